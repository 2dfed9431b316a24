#include "curtain_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kCurtainChoices;
namespace modules {

extern const ModuleManifest curtain =
    Manifest("curtain")
        .Variant(0x300, kCurtainOpens, 0x200)
        .Extra(kCurtainShadowWide | kCurtainShadowMedium | kCurtainShadowNarrow,
               kCurtainShadowMedium, kCurtainShadowMedium)
        .Choices(&kCurtainChoices);

}  // namespace modules
}  // namespace zk
