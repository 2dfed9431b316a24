// The block grid of one mosaic frame: block sizes halve in powers of two from half the
// rectangle (the middle of the transition) down to between one and two pixels (its ends).
#pragma once

#include <cstdint>

namespace zk {

struct MosaicGrid {
  float blockHeight;  // m: picture rows per block, possibly fractional
  float blockWidth;   // u: columns per block
  int32_t rows;       // nr = trunc(H / m)
  int32_t columns;    // nc = trunc(W / u)
};

// Block side along an extent of `size` pixels at coarseness e (1 at the ends, 0 at the
// middle): size/2 halved trunc(e * (n - 1)) times, n being the number of halvings of
// size/2 that stay at least 1. An extent too short to halve (0 or 1) gets blocks of one
// pixel, so the grid never divides by zero.
float MosaicBlockSide(int32_t size, double coarseness);

// Coarseness e = |1 - 2p| for progress p (held to [0, 1]).
double MosaicCoarseness(float progress);

MosaicGrid MakeMosaicGrid(int32_t width, int32_t height, float progress);

}  // namespace zk
