#include "module_manifest.h"
#include "twister_params.h"
#include "twister_render.h"

namespace zk::modules {

extern const ModuleManifest twister =
    Manifest("twister").Extra(0x100, 0, 0).Settings(&kTwisterSchema);

}  // namespace zk::modules
