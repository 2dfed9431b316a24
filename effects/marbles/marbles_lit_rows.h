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

// The same look with each number twice over, one for each of two lanes, made once per
// marble rather than once per row.
struct alignas(16) LitLanes {
  double marble[3][2];
  double light[3][2];
  double impact[2];
  double opacity[2];
  int32_t gloss;
};
LitLanes LitLanesOf(const LitLook& look);

// For every i in [0, count) with J[i] > 0 (inside the rim), the pixel at px + 3 i gets
// the bytes the per-pixel lighting gives it; where the products leave the power's rounding
// open (or SSE2 is not there), the pixel is untouched and pending[i] = 1. Other entries of
// `pending` are left as they are (the caller keeps them 0). Returns how many it marked.
int32_t LightRow3(const LitLanes& look, const double* J, const float* q, int32_t count, uint8_t* px,
                  uint8_t* pending);
inline int32_t LightRow3(const LitLook& look, const double* J, const float* q, int32_t count,
                         uint8_t* px, uint8_t* pending) {
  return LightRow3(LitLanesOf(look), J, q, count, px, pending);
}

}  // namespace zk
