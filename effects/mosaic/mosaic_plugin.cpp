#include "mosaic_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest mosaic;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::mosaic, RenderMosaic};

}  // namespace zk
