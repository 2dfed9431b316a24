#include "colors_offsets.h"
#include "colors_render.h"
#include "module_manifest.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest colors = Manifest("colors")
                                         .Variant(0x30000, kColorsVariantFlyIn, 0)
                                         .KeepingHostExtraWords()
                                         .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kColorsVariantFlyIn, "fly-in", "scene B's channels fly in over scene A"},
    {HostWord::Variant, 0, "fly-out", "scene A's channels fly out over scene B"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("colors", kChoices);

}  // namespace

}  // namespace zk::modules
