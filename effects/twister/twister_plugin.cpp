#include "plugin.h"
#include "twister_params.h"
#include "twister_render.h"

#if defined(_WIN32)
#include "twister_dialog.h"
#define TWISTER_CONFIGURE ConfigureTwister
#else
#define TWISTER_CONFIGURE nullptr
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
    /*paramBlockSize=*/sizeof(TwisterParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderTwister,
    WriteTwisterDefaults,
    TWISTER_CONFIGURE,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
