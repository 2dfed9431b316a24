#include "cuboids2_params.h"
#include "cuboids2_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest cuboids2 = {
    "cuboids2",
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/true,
    &kCuboidsSchema,
    /*choices=*/nullptr,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
