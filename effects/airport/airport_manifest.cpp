#include "airport_params.h"
#include "airport_render.h"
#include "module_manifest.h"

namespace zk::modules {

extern const ModuleManifest airport = Manifest("airport")
                                          .Extra(0x300, 0, 0)
                                          .Settings(&kAirportSchema)
                                          .State(FrameState::FollowsProgress);

}  // namespace zk::modules
