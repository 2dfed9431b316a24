#include "plugin.h"
#include "rays_dialog.h"
#include "rays_params.h"
#include "rays_render.h"

namespace zk {

namespace modules {
extern const ModuleManifest rays;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::rays, RenderRays, ZK_DIALOG(ConfigureRays)};

}  // namespace zk
