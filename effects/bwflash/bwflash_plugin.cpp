#include "bwflash_phase.h"
#include "bwflash_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderBwFlash};

}  // namespace zk
