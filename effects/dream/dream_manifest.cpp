#include "dream_counter.h"
#include "dream_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest dream = {
    "dream",
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
    FrameState::FollowsProgress,
};

}  // namespace modules
}  // namespace zk
