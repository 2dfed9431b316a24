#include "bloom_clock.h"
#include "bloom_render.h"
#include "plugin.h"

namespace zk {
namespace {

int32_t RenderBloomFrame(const FrameView& view) { return RenderBloom(view, NoiseClockSeconds()); }

}  // namespace

const PluginDefinition kPlugin = {RenderBloomFrame};

}  // namespace zk
