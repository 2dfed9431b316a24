// Crossfade while the picture twists into a spiral about the rectangle's centre.
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Returns 0 (with the rectangle filled with the host's colour) when the rectangle has no
// radius to turn about, 1 otherwise.
int32_t RenderSpiral(const FrameView& v);

}  // namespace zk
