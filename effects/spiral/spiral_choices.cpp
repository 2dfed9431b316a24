#include "host_choices.h"
#include "spiral_turn.h"

namespace zk {
namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, 2, "forward", "the usual winding (every word but 1)"},
    {HostWord::Variant, kSpiralVariantReverse, "reverse", "the spiral winds the other way"},
    {HostWord::Extra, 8, "colour", "the host colour (--color) fills what turns out of the frame"},
};

}  // namespace

extern const HostChoiceTable kSpiralChoices = MakeHostChoiceTable("spiral", kChoices);

}  // namespace zk
