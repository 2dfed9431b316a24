// The frame counter that animates the sway: frames rendered while the progress kept
// rising (or stayed put). A fall in progress means a new pass over the transition.
#pragma once

#include <cstdint>

namespace zk {

struct DreamCounter {
  float lastProgress;
  // Kept unsigned: after 2^32 frames the count wraps, as the sine phase built from it does.
  uint32_t frameCount;
};

// Counts the render call at progress p and remembers p for the next call.
void AdvanceDreamCounter(DreamCounter* counter, float p);

}  // namespace zk
