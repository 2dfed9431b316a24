#include "plugin.h"
#include "waves_render.h"
#include "waves_rings.h"

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/kWavesRingsOutward | kWavesRingsInward,
    /*variantDefault=*/kWavesRingsOutward,
    /*variantAlternate=*/kWavesRingsInward,
    /*writesExtraWords=*/true,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/0,
    /*declinesRequestMode=*/false,  // waves renders whatever requestMode holds
    /*rectFromFrameOrigin=*/false,
    RenderWaves,
    /*writeDefaults=*/nullptr,
    /*configure=*/nullptr,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
