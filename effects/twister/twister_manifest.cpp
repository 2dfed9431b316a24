#include "module_manifest.h"
#include "twister_params.h"
#include "twister_render.h"

namespace zk {
namespace modules {

extern const ModuleManifest twister = {
    "twister",
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x100,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    &kTwisterSchema,
    /*choices=*/nullptr,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
