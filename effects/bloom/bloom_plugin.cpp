#include "bloom_clock.h"
#include "bloom_params.h"
#include "bloom_render.h"
#include "plugin.h"

#if defined(_WIN32)
#include "bloom_dialog.h"
#define BLOOM_CONFIGURE ConfigureBloom
#else
#define BLOOM_CONFIGURE nullptr
#endif

namespace zk {
namespace {

int32_t RenderBloomFrame(const FrameView& view) { return RenderBloom(view, NoiseClockSeconds()); }

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
    /*paramBlockSize=*/static_cast<int32_t>(sizeof(BloomParams)),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/false,
    RenderBloomFrame,
    WriteBloomDefaults,
    BLOOM_CONFIGURE,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
