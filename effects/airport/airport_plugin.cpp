#include "airport_render.h"
#include "module_state.h"
#include "plugin.h"

namespace zk {
namespace {

// The previous frame's progress, one per loaded module.
AirportClock g_clock{};

int32_t RenderFrame(const FrameView& view) { return RenderAirport(view, &g_clock); }

void ClearClock() { g_clock = AirportClock{}; }

}  // namespace

const PluginDefinition kPlugin = {RenderFrame, ClearClock, nullptr};

#if !defined(_WIN32)
// A host running several transitions of this effect in one process swaps the clock per
// transition, so each estimates its own frame count.
namespace {
void* AirportClockBlock() { return &g_clock; }
}  // namespace
const ModuleStateAccess kModuleState = {AirportClockBlock, sizeof(AirportClock), ClearClock};
#endif

}  // namespace zk
