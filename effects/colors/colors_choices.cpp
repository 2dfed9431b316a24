#include "colors_offsets.h"
#include "host_choices.h"

namespace zk {
namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kColorsVariantFlyIn, "fly-in", "scene B's channels fly in over scene A"},
    {HostWord::Variant, 0, "fly-out", "scene A's channels fly out over scene B"},
};

}  // namespace

extern const HostChoiceTable kColorsChoices = MakeHostChoiceTable("colors", kChoices);

}  // namespace zk
