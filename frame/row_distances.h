// Distances from a centre along one row, as the ring, screen and spiral effects take them:
// trunc(sqrt(dx^2 + dy^2)), the root of the exact integer sum of squares.
#pragma once

#include <cmath>
#include <cstdint>

namespace zk {

inline int32_t TruncatedDistance(int64_t dx, int64_t dy) {
  return static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

// distances[x] = TruncatedDistance(x - centreX, dy) for x = 0 .. width - 1, one at a time.
void RowDistancesPlain(int32_t centreX, int32_t dy, int32_t width, int32_t* distances);

// The same, two square roots per instruction where the squares are exact doubles (every
// |dx| and |dy| below 2^25); byte-identical to the plain form.
void RowDistances(int32_t centreX, int32_t dy, int32_t width, int32_t* distances);

}  // namespace zk
