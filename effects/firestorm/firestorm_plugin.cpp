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
// Its buffers are the module's own, so copies kept of it are made apart.
namespace {
void* FireStateBlock() { return ModuleFireState(); }
size_t SavedSize() { return MostSavedFireBytes(*ModuleFireState()); }
size_t Save(uint8_t* to) { return SaveFireState(*ModuleFireState(), to); }
void Restore(const uint8_t* from, size_t size) { RestoreFireState(ModuleFireState(), from, size); }
}  // namespace
const ModuleStateAccess kModuleState = {
    FireStateBlock, sizeof(FireState), ReleaseModuleFireState, SavedSize, Save, Restore};
#endif

}  // namespace zk
