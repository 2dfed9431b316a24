#include "cuboids2_params.h"
#include "cuboids2_render.h"
#include "plugin.h"

#if defined(_WIN32)
#include "cuboids2_dialog.h"
#define CUBOIDS_CONFIGURE ConfigureCuboids
#else
#define CUBOIDS_CONFIGURE nullptr
#endif

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/sizeof(CuboidsParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/true,
    RenderCuboids,
    WriteCuboidsDefaults,
    CUBOIDS_CONFIGURE,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
