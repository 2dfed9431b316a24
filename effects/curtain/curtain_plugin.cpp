#include "curtain_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest curtain;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::curtain, RenderCurtain};

}  // namespace zk
