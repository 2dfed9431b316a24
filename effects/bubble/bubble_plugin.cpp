#include "bubble_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest bubble;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::bubble, RenderBubble};

}  // namespace zk
