#include "plugin.h"
#include "rays_params.h"
#include "rays_render.h"

namespace zk {

namespace modules {
extern const ModuleManifest rays;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::rays, RenderRays};

}  // namespace zk
