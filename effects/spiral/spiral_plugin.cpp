#include "plugin.h"
#include "spiral_render.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/3,
    /*variantDefault=*/2,
    /*variantAlternate=*/0,
    // Extra bit 8 announces that the host's colour word is read (the fill colour).
    /*writesExtraWords=*/true,
    /*extraMask=*/8,
    /*extraDefault=*/8,
    /*extraAlternate=*/8,
    /*auxWord=*/2,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderSpiral,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
