#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// A radar screen with a sweeping beam and echoes of the scenes' bright areas; scene A fades
// out at the start and scene B in at the end.
int32_t RenderRadar(const FrameView& view);

// With estimateAngles, a pixel's angle is first estimated and Atan is called only where the
// estimate cannot decide the colour; without, Atan is called for every pixel on the screen.
// Both give the same bytes; RenderRadar estimates.
int32_t RenderRadarWith(const FrameView& view, bool estimateAngles);

}  // namespace zk
