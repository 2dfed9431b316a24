#include "logo_params.h"
#include "logo_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest logo = {
    "logo",
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0x300,
    /*extraAlternate=*/0x300,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/true,
    &kLogoSchema,
    /*choices=*/nullptr,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
