#include "crossfade_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest crossfade;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::crossfade, RenderCrossfade};

}  // namespace zk
