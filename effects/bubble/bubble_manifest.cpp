#include "bubble_render.h"
#include "module_manifest.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest bubble = Manifest("bubble")
                                         .Variant(0x30000, 0x10000, kBubbleShrinkA)
                                         // Renders whatever requestMode holds.
                                         .RenderingEveryRequestMode()
                                         .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, 0x10000, "growing", "a bubble of scene B grows over scene A"},
    {HostWord::Variant, kBubbleShrinkA, "shrinking", "a bubble of scene A shrinks over scene B"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("bubble", kChoices);

}  // namespace

}  // namespace zk::modules
