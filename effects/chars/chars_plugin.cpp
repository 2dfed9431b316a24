#include "chars_render.h"
#include "module_state.h"
#include "plugin.h"

namespace zk {
namespace {

// Process-wide: zero when the module is loaded and never reset, so consecutive frame
// calls of every transition that uses the module share one estimate of the frame count.
FrameClock g_frameClock{};

#if defined(_WIN32)
constexpr GlyphSheetLoader kLoadSheet = LoadResourceGlyphSheet;
#else
constexpr GlyphSheetLoader kLoadSheet = LoadEmbeddedGlyphSheet;
#endif

int32_t RenderFrame(const FrameView& view) { return RenderChars(view, &g_frameClock, kLoadSheet); }

}  // namespace

const PluginDefinition kPlugin = {RenderFrame};

#if !defined(_WIN32)
// A host running several transitions of this effect in one process swaps the clock per
// transition, so each estimates its own frame count.
namespace {
void* FrameClockBlock() { return &g_frameClock; }
void ForgetFrameClock() { g_frameClock = FrameClock{}; }
}  // namespace
const ModuleStateAccess kModuleState = {FrameClockBlock, sizeof(FrameClock), ForgetFrameClock};
#endif

}  // namespace zk
