#include "plugin.h"
#include "shaft_bars.h"
#include "shaft_render.h"

namespace zk {

const PluginDefinition kPlugin = {RenderShaft};

}  // namespace zk
