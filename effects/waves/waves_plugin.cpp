#include "plugin.h"
#include "waves_render.h"
#include "waves_rings.h"

namespace zk {

const PluginDefinition kPlugin = {RenderWaves};

}  // namespace zk
