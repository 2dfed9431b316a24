#include "firestorm_params.h"
#include "firestorm_render.h"
#include "module_state.h"
#include "plugin.h"

#if defined(_WIN32)
#include "firestorm_dialog.h"
#define FIRESTORM_CONFIGURE ConfigureFirestorm
#else
#define FIRESTORM_CONFIGURE nullptr
#endif

namespace zk {

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/sizeof(FirestormParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderFirestorm,
    WriteFirestormDefaults,
    FIRESTORM_CONFIGURE,
    /*onAttach=*/ForgetModuleFireState,
    /*onDetach=*/ReleaseModuleFireState,
};

#if !defined(_WIN32)
// The fire is the state a host running several firestorm transitions swaps per transition.
namespace {
void* FireStateBlock() { return ModuleFireState(); }
}  // namespace
const ModuleStateAccess kModuleState = {FireStateBlock, sizeof(FireState), ReleaseModuleFireState};
#endif

}  // namespace zk
