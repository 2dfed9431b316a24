#include "cuboids2_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderCuboids};

}  // namespace zk
