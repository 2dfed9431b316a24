#include "colors_offsets.h"
#include "colors_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kColorsChoices;

namespace modules {

extern const ModuleManifest colors = {
    "colors",
    /*variantMask=*/0x30000,
    /*variantDefault=*/kColorsVariantFlyIn,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/false,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    /*settings=*/nullptr,
    &kColorsChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
