#include "plugin.h"
#include "twister_render.h"

namespace zk {

const PluginDefinition kPlugin = {RenderTwister};

}  // namespace zk
