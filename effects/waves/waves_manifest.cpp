#include "module_manifest.h"
#include "waves_render.h"
#include "waves_rings.h"

namespace zk {
extern const HostChoiceTable kWavesChoices;

namespace modules {

extern const ModuleManifest waves = {
    "waves",
    /*variantMask=*/kWavesRingsOutward | kWavesRingsInward,
    /*variantDefault=*/kWavesRingsOutward,
    /*variantAlternate=*/kWavesRingsInward,
    /*writesExtraWords=*/true,
    /*extraMask=*/0,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*declinesRequestMode=*/false,
    /*rectFromFrameOrigin=*/  // waves renders whatever requestMode holds
    false,
    /*settings=*/nullptr,
    &kWavesChoices,
    FrameState::None,
};

}  // namespace modules
}  // namespace zk
