#include "plugin.h"
#include "radar_render.h"

namespace zk {

namespace modules {
extern const ModuleManifest radar;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::radar, RenderRadar};

}  // namespace zk
