#include "curtain_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderCurtain};

}  // namespace zk
