#include "cuboids2_params.h"
#include "cuboids2_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest cuboids2;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::cuboids2, RenderCuboids};

}  // namespace zk
