// Bloom: every pixel runs its own short transition, started in the order of a direction
// and shaped by a mode (crossfade, through white, through black, through noise).
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// The noise seed of a frame: the low 32 bits of trunc(clockSeconds * progress).
uint32_t BloomNoiseSeed(double clockSeconds, float progress);

// Renders one frame with the settings record of the view. `clockSeconds` is the calendar
// time the noise modes are seeded from. Returns 0 without writing when there is no
// settings record or no scratch memory, else 1.
int32_t RenderBloom(const FrameView& view, double clockSeconds);

}  // namespace zk
