#include "plugin.h"
#include "spiral_render.h"

namespace zk {

namespace modules {
extern const ModuleManifest spiral;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::spiral, RenderSpiral};

}  // namespace zk
