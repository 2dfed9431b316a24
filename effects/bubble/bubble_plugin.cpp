#include "bubble_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0x30000,
    /*variantDefault=*/0x10000,
    /*variantAlternate=*/kBubbleShrinkA,
    /*writesExtraWords=*/true,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/false,  // renders whatever requestMode holds
    /*rectFromFrameOrigin=*/false,
    RenderBubble,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
