#include "plugin.h"
#include "twister_params.h"
#include "twister_render.h"

namespace zk {

namespace modules {
extern const ModuleManifest twister;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::twister, RenderTwister};

}  // namespace zk
