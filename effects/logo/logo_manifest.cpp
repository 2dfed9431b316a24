#include "logo_params.h"
#include "logo_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest logo =
    Manifest("logo").Extra(0x300, 0x300, 0x300).FromFrameOrigin().Settings(&kLogoSchema);

}  // namespace zk::modules
