#include "marbles_dialog.h"
#include "marbles_render.h"
#include "plugin.h"

namespace zk {

const PluginDefinition kPlugin = {RenderMarbles, ZK_WIN32_ONLY(RegisterMarblesControls)};

}  // namespace zk
