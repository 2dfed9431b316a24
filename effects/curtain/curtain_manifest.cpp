#include "curtain_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kCurtainChoices;

namespace modules {

extern const ModuleManifest curtain = {
    "curtain",
    /*variantMask=*/0x300,
    /*variantDefault=*/kCurtainOpens,
    /*variantAlternate=*/0x200,
    /*writesExtraWords=*/true,
    /*extraMask=*/kCurtainShadowWide | kCurtainShadowMedium | kCurtainShadowNarrow,
    /*extraDefault=*/kCurtainShadowMedium,
    /*extraAlternate=*/kCurtainShadowMedium,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    /*settings=*/nullptr,
    &kCurtainChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
