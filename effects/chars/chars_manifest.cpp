#include "chars_params.h"
#include "chars_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest chars =
    Manifest("chars").Extra(0x300, 0, 0).Settings(&kCharsSchema).State(FrameState::FollowsProgress);

}  // namespace zk::modules
