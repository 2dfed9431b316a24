// The render call of the block transition: background, depth buffer, camera, and every
// block of the grid set up, turned and drawn.
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Draws from the first pixel of the output frame (the rectangle's origin is not applied).
// Returns 0 without drawing when there is no settings record, 0 after the background when
// the depth buffer cannot be had, else 1.
int32_t RenderCuboids(const FrameView& view);

}  // namespace zk
