#include "host_choices.h"
#include "waves_rings.h"

namespace zk {
namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kWavesRingsOutward, "outward", "the rings travel out to the border"},
    {HostWord::Variant, kWavesRingsInward, "inward", "the rings travel in to the centre"},
};

}  // namespace

extern const HostChoiceTable kWavesChoices = MakeHostChoiceTable("waves", kChoices);

}  // namespace zk
