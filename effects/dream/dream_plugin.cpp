#include "dream_counter.h"
#include "dream_render.h"
#include "module_state.h"
#include "plugin.h"

namespace zk {
namespace {

// One counter per loaded module, shared by every transition that uses it: frames are
// expected one after another in rising progress.
DreamCounter g_counter = {0.0f, 0u};

int32_t RenderDream(const FrameView& v) {
  AdvanceDreamCounter(&g_counter, v.progress);
  RenderDreamFrame(v, g_counter.frameCount);
  return 1;
}

}  // namespace

const PluginDefinition kPlugin = {RenderDream};

#if !defined(_WIN32)
// The counter is the state a host running several dream transitions swaps per transition.
namespace {
void* CounterBlock() { return &g_counter; }
void ResetCounter() { g_counter = DreamCounter{0.0f, 0u}; }
}  // namespace
const ModuleStateAccess kModuleState = {CounterBlock, sizeof(DreamCounter), ResetCounter};
#endif

}  // namespace zk
