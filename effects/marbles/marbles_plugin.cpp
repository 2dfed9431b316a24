#include "marbles_params.h"
#include "marbles_render.h"
#include "plugin.h"

#if defined(_WIN32)
#include "marbles_dialog.h"
#define MARBLES_CONFIGURE ConfigureMarbles
#define MARBLES_ATTACH RegisterMarblesControls
#else
#define MARBLES_CONFIGURE nullptr
#define MARBLES_ATTACH nullptr
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
    /*paramBlockSize=*/static_cast<int32_t>(sizeof(MarblesParams)),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderMarbles,
    WriteMarblesDefaults,
    MARBLES_CONFIGURE,
    MARBLES_ATTACH,
    /*onDetach=*/nullptr,
};

}  // namespace zk
