// The frame call of the split-flap board.
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// The progress of the previous frame call, kept by the module between calls. Cleared at
// load: the first call after it has no step to estimate the frame count from.
struct AirportClock {
  float previousProgress;
  bool hasPrevious;
};

constexpr int32_t kLargestAirportFrameCount = 1 << 16;

// Crossfades the rectangle, then draws the board over it. Returns 1, or 0 (with the
// crossfade written) for a missing settings record, tiles under one pixel or short memory.
int32_t RenderAirport(const FrameView& view, AirportClock* clock);

}  // namespace zk
