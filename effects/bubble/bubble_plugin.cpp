#include "bubble_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderBubble};

}  // namespace zk
