// Firestorm: scene A crossfades into scene B under a cellular fire that starts at hot
// spots on the picture's edges and is carried from frame to frame.
#pragma once

#include <cstdint>

#include "fire_state.h"
#include "frame_view.h"

namespace zk {

// One frame with the given fire state: crossfade, hot spots, fire step, overlay.
// Returns 0 without writing when there is no settings record.
int32_t RenderFirestormWith(FireState* state, const FrameView& view);

// The module's own fire state, kept between frames.
int32_t RenderFirestorm(const FrameView& view);
FireState* ModuleFireState();
void ForgetModuleFireState();   // process attach: nothing made yet
void ReleaseModuleFireState();  // process detach: give the memory back

}  // namespace zk
