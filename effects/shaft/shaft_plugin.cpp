#include "plugin.h"
#include "shaft_bars.h"
#include "shaft_render.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/kShaftRightToLeft | kShaftLeftToRight | kShaftFromCentre | kShaftFromSides,
    /*variantDefault=*/kShaftLeftToRight,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/false,
    0,
    0,
    0,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderShaft,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
