// Rand15 draws scaled to 0..1 with the single-precision reciprocal of 32767, as the fire
// code has always scaled them (the float constant is part of the picture).
#pragma once

#include <cstdint>

namespace zk {

constexpr float kRand15Unit = 0.000030518509f;

inline double Rand15ToUnit(int32_t draw) {
  return static_cast<double>(draw) * static_cast<double>(kRand15Unit);
}

}  // namespace zk
