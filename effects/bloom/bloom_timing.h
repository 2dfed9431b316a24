// When each pixel changes: a pixel of order M starts at t0 = M * k with k = (1 - d) / D and
// needs the share d of the transition, so its local position f runs from 0 to 1.
#pragma once

#include <cstdint>

#include "bloom_order.h"

namespace zk {

// k as a 32-bit float. With an extent of 0 (a rectangle too small for the direction to
// mean anything) every pixel starts at once: k is 0 rather than infinite.
float BloomStartStep(float duration, int32_t extent);

// The local position of a pixel of the given order at progress p, always within 0..1: 0
// until t0, 1 from the end time t0 + d (a 32-bit float) on, (p - t0) / d in between.
float BloomLocalPosition(int32_t order, float step, float duration, float progress);

// Local positions of the `g.width` pixels of picture line y, one order and one position
// at a time: the reference for the table path below.
void BloomLocalPositionRow(const BloomGeometry& g, int32_t y, float step, float duration,
                           float progress, float* positions);

// The positions of one frame by order: orders 0 .. count - 1 (count = D + 3 covers the few
// that stray past D at the corners) are looked up, any other order worked out.
struct BloomPositionTable {
  float step;
  float duration;
  float progress;
  int32_t count;
  float* byOrder;  // count entries, owned by the caller
};
void FillBloomPositionTable(BloomPositionTable* table);

// positions[x] = BloomLocalPosition(orders[x], ...) for `width` pixels.
void BloomPositionsFromOrders(const BloomPositionTable& table, const int32_t* orders, int32_t width,
                              float* positions);

}  // namespace zk
