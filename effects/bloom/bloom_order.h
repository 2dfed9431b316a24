// The order of the pixels along a bloom direction: every pixel gets an integer order M from
// its position, and the direction an extent D (computed once per frame) that M runs up to.
#pragma once

#include <cstdint>

namespace zk {

struct BloomGeometry {
  int32_t direction;  // 0 to 20; unknown directions are stored as 0
  int32_t width;      // W: columns of the rectangle
  int32_t lines;      // Hs: picture lines, rectangle rows times the line step
  int32_t extent;     // D
};

BloomGeometry MakeBloomGeometry(int32_t direction, int32_t width, int32_t lines);

// The order M of column x on picture line y, exactly as the direction defines it; it can
// stray a little outside 0..D at the corners. Callers must not ask for the orders of a
// geometry whose extent is 0 (the diagonal orders divide by it).
int32_t BloomOrder(const BloomGeometry& g, int32_t x, int32_t y);

}  // namespace zk
