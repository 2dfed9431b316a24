#include "bwflash_phase.h"
#include "bwflash_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest bwflash;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::bwflash, RenderBwFlash};

}  // namespace zk
