#include "module_manifest.h"
#include "mosaic_render.h"

namespace zk::modules {

extern const ModuleManifest mosaic = Manifest("mosaic").KeepingHostExtraWords();

}  // namespace zk::modules
