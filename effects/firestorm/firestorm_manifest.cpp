#include "firestorm_params.h"
#include "firestorm_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest firestorm = {
    "firestorm",
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    &kFirestormSchema,
    /*choices=*/nullptr,
    FrameState::FollowsPictures,
};

}  // namespace modules
}  // namespace zk
