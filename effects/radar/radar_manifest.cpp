#include "module_manifest.h"
#include "radar_render.h"

namespace zk::modules {

extern const ModuleManifest radar = Manifest("radar").KeepingHostExtraWords();

}  // namespace zk::modules
