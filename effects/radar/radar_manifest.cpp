#include "module_manifest.h"
#include "radar_render.h"

namespace zk {
namespace modules {

extern const ModuleManifest radar = Manifest("radar").KeepingHostExtraWords();

}  // namespace modules
}  // namespace zk
