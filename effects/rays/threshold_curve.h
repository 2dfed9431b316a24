// The brightness threshold curve: rises from 0 at x = 0 to 1 at x = 1 through a flat
// turning point at height `level`; a larger odd `exponent` makes the middle flatter and
// the ends steeper.
#pragma once

#include <cstdint>

namespace zk {

// T(x) = level * (((q + 1) x - 1)^exponent + 1) with q = (1 / level - 1)^(1 / exponent);
// powers of negative bases keep their sign.
double ThresholdCurve(double x, int32_t exponent, double level);

}  // namespace zk
