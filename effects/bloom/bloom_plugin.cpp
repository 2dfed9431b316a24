#include "bloom_clock.h"
#include "bloom_params.h"
#include "bloom_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest bloom;
}  // namespace modules
namespace {

int32_t RenderBloomFrame(const FrameView& view) { return RenderBloom(view, NoiseClockSeconds()); }

}  // namespace

const PluginDefinition kPlugin = {&modules::bloom, RenderBloomFrame};

}  // namespace zk
