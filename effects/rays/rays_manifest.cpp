#include "module_manifest.h"
#include "rays_params.h"
#include "rays_render.h"

namespace zk::modules {

extern const ModuleManifest rays = Manifest("rays").Extra(0x100, 0, 0).Settings(&kRaysSchema);

}  // namespace zk::modules
