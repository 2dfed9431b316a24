#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// Crossfade through concentric sine rings about the centre of the rectangle.
int32_t RenderWaves(const FrameView& view);

// The same with scratch memory from `scratch` for the per-frame level table; without it
// the levels are worked out pixel by pixel, to the same bytes.
int32_t RenderWavesWith(const FrameView& view, const ScratchSource& scratch);

}  // namespace zk
