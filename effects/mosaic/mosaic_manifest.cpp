#include "module_manifest.h"
#include "mosaic_render.h"

namespace zk {
namespace modules {

extern const ModuleManifest mosaic = Manifest("mosaic").KeepingHostExtraWords();

}  // namespace modules
}  // namespace zk
