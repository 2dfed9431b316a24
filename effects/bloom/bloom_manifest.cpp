#include "bloom_clock.h"
#include "bloom_params.h"
#include "bloom_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest bloom = Manifest("bloom").Extra(0x300, 0, 0).Settings(&kBloomSchema);

}  // namespace zk::modules
