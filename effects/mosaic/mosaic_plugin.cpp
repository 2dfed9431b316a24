#include "mosaic_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderMosaic};

}  // namespace zk
