#include "airport_params.h"
#include "airport_render.h"
#include "module_state.h"
#include "plugin.h"

#if defined(_WIN32)
#include "airport_dialog.h"
#endif

namespace zk {
namespace {

// The previous frame's progress, one per loaded module.
AirportClock g_clock{};

#if defined(_WIN32)
constexpr int32_t (*kConfigure)(const ConfigureRequest&) = RunAirportDialog;
#else
constexpr int32_t (*kConfigure)(const ConfigureRequest&) = nullptr;
#endif

int32_t RenderFrame(const FrameView& view) { return RenderAirport(view, &g_clock); }

void ClearClock() { g_clock = AirportClock{}; }

}  // namespace

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0,
    /*extraAlternate=*/0,
    /*auxWord=*/0,
    /*paramBlockSize=*/sizeof(AirportParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderFrame,
    WriteAirportDefaults,
    kConfigure,
    /*onAttach=*/ClearClock,
    /*onDetach=*/nullptr,
};

#if !defined(_WIN32)
// A host running several transitions of this effect in one process swaps the clock per
// transition, so each estimates its own frame count.
namespace {
void* AirportClockBlock() { return &g_clock; }
}  // namespace
const ModuleStateAccess kModuleState = {AirportClockBlock, sizeof(AirportClock), ClearClock};
#endif

}  // namespace zk
