#include "cuboids2_params.h"
#include "cuboids2_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest cuboids2 =
    Manifest("cuboids2").Extra(0x300, 0, 0).FromFrameOrigin().Settings(&kCuboidsSchema);

}  // namespace zk::modules
