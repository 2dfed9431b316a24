#include "crossfade_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderCrossfade};

}  // namespace zk
