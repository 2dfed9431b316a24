#include "colors_offsets.h"
#include "colors_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderColors};

}  // namespace zk
