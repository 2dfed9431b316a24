#include "crossfade_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest crossfade = Manifest("crossfade").KeepingHostExtraWords();

}  // namespace zk::modules
