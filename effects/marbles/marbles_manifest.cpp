#include "marbles_params.h"
#include "marbles_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest marbles =
    Manifest("marbles").Extra(0x300, 0, 0).Settings(&kMarblesSchema);

}  // namespace zk::modules
