#include "plugin.h"
#include "radar_render.h"

namespace zk {

const PluginDefinition kPlugin = {RenderRadar};

}  // namespace zk
