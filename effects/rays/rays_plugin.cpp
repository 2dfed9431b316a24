#include "plugin.h"
#include "rays_render.h"

namespace zk {

const PluginDefinition kPlugin = {RenderRays};

}  // namespace zk
