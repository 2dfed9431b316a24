#include "colors_offsets.h"
#include "colors_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest colors;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::colors, RenderColors};

}  // namespace zk
