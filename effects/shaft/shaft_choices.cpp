#include "host_choices.h"
#include "shaft_bars.h"

namespace zk {
namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kShaftLeftToRight, "left-to-right", "the bars start from the left"},
    {HostWord::Variant, kShaftRightToLeft, "right-to-left", "the bars start from the right"},
    {HostWord::Variant, kShaftFromSides, "inward", "the bars start from both sides inward"},
    {HostWord::Variant, kShaftFromCentre, "outward", "the bars start from the centre outward"},
};

}  // namespace

extern const HostChoiceTable kShaftChoices = MakeHostChoiceTable("shaft", kChoices);

}  // namespace zk
