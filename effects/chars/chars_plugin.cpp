#include "chars_params.h"
#include "chars_render.h"
#include "module_state.h"
#include "plugin.h"

#if defined(_WIN32)
#include "chars_dialog.h"
#endif

namespace zk {
namespace {

// Process-wide: zero when the module is loaded and never reset, so consecutive frame
// calls of every transition that uses the module share one estimate of the frame count.
FrameClock g_frameClock{};

#if defined(_WIN32)
constexpr GlyphSheetLoader kLoadSheet = LoadResourceGlyphSheet;
constexpr int32_t (*kConfigure)(const ConfigureRequest&) = RunCharsDialog;
#else
constexpr GlyphSheetLoader kLoadSheet = LoadEmbeddedGlyphSheet;
constexpr int32_t (*kConfigure)(const ConfigureRequest&) = nullptr;
#endif

int32_t RenderFrame(const FrameView& view) { return RenderChars(view, &g_frameClock, kLoadSheet); }

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
    /*paramBlockSize=*/sizeof(CharsParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderFrame,
    WriteCharsDefaults,
    kConfigure,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

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
