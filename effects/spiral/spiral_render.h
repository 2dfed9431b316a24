// Crossfade while the picture twists into a spiral about the rectangle's centre.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// Returns 0 (with the rectangle filled with the host's colour) when the rectangle has no
// radius to turn about, 1 otherwise.
int32_t RenderSpiral(const FrameView& v);

// The same with the turn of every distance tabulated in memory from `scratch`; without it
// each pixel works out its own turn, to the same bytes.
int32_t RenderSpiralWith(const FrameView& v, const ScratchSource& scratch);

}  // namespace zk
