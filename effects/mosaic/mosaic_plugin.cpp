#include "mosaic_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/false,
    0,
    0,
    0,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderMosaic,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
