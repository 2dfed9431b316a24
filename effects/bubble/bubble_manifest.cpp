#include "bubble_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kBubbleChoices;

namespace modules {

extern const ModuleManifest bubble = {
    "bubble",
    /*variantMask=*/0x30000,
    /*variantDefault=*/0x10000,
    /*variantAlternate=*/kBubbleShrinkA,
    /*writesExtraWords=*/true,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/false,
    /*rectFromFrameOrigin=*/  // renders whatever requestMode holds
    false,
    /*settings=*/nullptr,
    &kBubbleChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
