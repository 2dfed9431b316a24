#include "bwflash_phase.h"
#include "bwflash_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kBwflashChoices;

namespace modules {

extern const ModuleManifest bwflash = {
    "bwflash",
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/kFlashStrength06 | kFlashStrength08 | kFlashStrength09,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    /*settings=*/nullptr,
    &kBwflashChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
