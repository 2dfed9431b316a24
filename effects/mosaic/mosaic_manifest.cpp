#include "module_manifest.h"
#include "mosaic_render.h"

namespace zk {
namespace modules {

extern const ModuleManifest mosaic = {
    "mosaic",
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/false,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    /*settings=*/nullptr,
    /*choices=*/nullptr,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
