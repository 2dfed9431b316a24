#include "firestorm_params.h"
#include "firestorm_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest firestorm = Manifest("firestorm")
                                            .Extra(0x300, 0, 0)
                                            .Settings(&kFirestormSchema)
                                            .State(FrameState::FollowsPictures);

}  // namespace zk::modules
