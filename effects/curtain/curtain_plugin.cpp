#include "curtain_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0x300,
    /*variantDefault=*/kCurtainOpens,
    /*variantAlternate=*/0x200,
    /*writesExtraWords=*/true,
    /*extraMask=*/kCurtainShadowWide | kCurtainShadowMedium | kCurtainShadowNarrow,
    /*extraDefault=*/kCurtainShadowMedium,
    /*extraAlternate=*/kCurtainShadowMedium,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderCurtain,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
