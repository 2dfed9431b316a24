#include "marbles_params.h"
#include "marbles_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest marbles = {
    "marbles",
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
    &kMarblesSchema,
    /*choices=*/nullptr,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
