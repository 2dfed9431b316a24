#include "colors_offsets.h"
#include "colors_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0x30000,
    /*variantDefault=*/kColorsVariantFlyIn,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/false,
    0,
    0,
    0,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderColors,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
