#include "bwflash_phase.h"
#include "bwflash_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/kFlashStrength06 | kFlashStrength08 | kFlashStrength09,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderBwFlash,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
