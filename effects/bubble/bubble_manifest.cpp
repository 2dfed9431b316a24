#include "bubble_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kBubbleChoices;
namespace modules {

extern const ModuleManifest bubble = Manifest("bubble")
                                         .Variant(0x30000, 0x10000, kBubbleShrinkA)
                                         // Renders whatever requestMode holds.
                                         .RenderingEveryRequestMode()
                                         .Choices(&kBubbleChoices);

}  // namespace modules
}  // namespace zk
