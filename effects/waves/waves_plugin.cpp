#include "plugin.h"
#include "waves_render.h"
#include "waves_rings.h"

namespace zk {

namespace modules {
extern const ModuleManifest waves;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::waves, RenderWaves};

}  // namespace zk
