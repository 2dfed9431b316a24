#include "plugin.h"
#include "rays_params.h"
#include "rays_render.h"

#if defined(_WIN32)
#include "rays_dialog.h"
#define RAYS_CONFIGURE ConfigureRays
#else
#define RAYS_CONFIGURE nullptr
#endif

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x100,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/sizeof(RaysParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderRays,
    WriteRaysDefaults,
    RAYS_CONFIGURE,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
