#include "plugin.h"
#include "spiral_render.h"

namespace zk {

const PluginDefinition kPlugin = {RenderSpiral};

}  // namespace zk
