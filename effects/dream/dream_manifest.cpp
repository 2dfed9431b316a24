#include "dream_counter.h"
#include "dream_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest dream =
    Manifest("dream").KeepingHostExtraWords().State(FrameState::FollowsProgress);

}  // namespace zk::modules
