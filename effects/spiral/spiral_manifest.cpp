#include "module_manifest.h"
#include "spiral_render.h"

namespace zk {
extern const HostChoiceTable kSpiralChoices;

namespace modules {

extern const ModuleManifest spiral = {
    "spiral",
    /*variantMask=*/3,
    /*variantDefault=*/2,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/  // Extra bit 8 announces that the host's colour word is read (the fill
                           // colour).
    true,
    /*extraMask=*/8,
    /*extraDefault=*/8,
    /*extraAlternate=*/8,
    /*auxWord=*/2,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    /*settings=*/nullptr,
    &kSpiralChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
