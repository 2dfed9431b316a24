// Random numbers of the 3D kit's fast-path tests: a small linear congruential stream, and
// positions with about 48 random bits, so that they need more precision than a float holds
// and the roundings of texel fractions show.
#pragma once

#include <cstdint>

namespace zk::test {

inline uint32_t Next(uint32_t* s) {
  *s = *s * 1664525u + 1013904223u;
  return *s >> 8;
}

// Uniform in [lo, hi).
inline double Uniform(uint32_t* s, double lo, double hi) {
  const double r = (Next(s) + Next(s) / 16777216.0) / 16777216.0;
  return lo + (hi - lo) * r;
}

}  // namespace zk::test
