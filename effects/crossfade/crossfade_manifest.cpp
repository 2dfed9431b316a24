#include "crossfade_render.h"
#include "module_manifest.h"

namespace zk {
namespace modules {

extern const ModuleManifest crossfade = Manifest("crossfade").KeepingHostExtraWords();

}  // namespace modules
}  // namespace zk
