#include "module_manifest.h"
#include "shaft_bars.h"
#include "shaft_render.h"

namespace zk {
extern const HostChoiceTable kShaftChoices;

namespace modules {

extern const ModuleManifest shaft = {
    "shaft",
    /*variantMask=*/kShaftRightToLeft | kShaftLeftToRight | kShaftFromCentre | kShaftFromSides,
    /*variantDefault=*/kShaftLeftToRight,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/false,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    /*settings=*/nullptr,
    &kShaftChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
