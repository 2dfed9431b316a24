#include "marbles_dialog.h"
#include "marbles_params.h"
#include "marbles_render.h"
#include "plugin.h"

namespace zk {

namespace modules {
extern const ModuleManifest marbles;
}  // namespace modules

const PluginDefinition kPlugin = {&modules::marbles, RenderMarbles,
                                  ZK_WIN32_ONLY(RegisterMarblesControls)};

}  // namespace zk
