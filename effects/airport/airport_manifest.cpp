#include "airport_params.h"
#include "airport_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest airport = {
    "airport",
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
    &kAirportSchema,
    /*choices=*/nullptr,
    FrameState::FollowsProgress,
};

}  // namespace modules
}  // namespace zk
