#include "plugin.h"
#include "shaft_bars.h"
#include "shaft_render.h"

namespace zk {

namespace modules {
extern const ModuleManifest shaft;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::shaft, RenderShaft};

}  // namespace zk
