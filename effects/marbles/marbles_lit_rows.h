// The lighting of a run of 3-byte pixels of one marble row, two pixels at a time in SSE2
// lanes: the power from plain products, the lit colour and the blend over the old bytes.
// Pixels whose power the products cannot settle are left for the per-pixel path.
#pragma once

#include <cstdint>

namespace zk {

struct LitLook {
  double marble[3];  // the marble's bytes in memory order
  double light[3];   // the light's
  double impact;
  int32_t gloss;
  float opacity;
};

// For every i in [0, count) with J[i] > 0 (inside the rim), the pixel at px + 3 i gets
// the bytes the per-pixel lighting gives it, and pending[i] = 0; where the products leave
// the power's rounding open (or SSE2 is not there), the pixel is untouched and
// pending[i] = 1. Pixels outside the rim get pending[i] = 0. Returns how many are pending.
int32_t LightRow3(const LitLook& look, const double* J, const float* q, int32_t count, uint8_t* px,
                  uint8_t* pending);

}  // namespace zk
