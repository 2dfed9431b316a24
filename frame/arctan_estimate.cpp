#include "arctan_estimate.h"

#include "zmath_tables.h"

namespace zk {

double ArctanEstimate(double y, double x) {
  const double ay = y < 0 ? -y : y;
  const double ax = x < 0 ? -x : x;
  // The smaller side over the larger, then around the nearest sixteenth c:
  // atan r = atan c + atan v with v = (r - c) / (1 + r c), |v| below 1/32.
  const bool steep = ay > ax;
  const double small = steep ? ax : ay;
  const double large = steep ? ay : ax;
  const int i = static_cast<int>(small / large * 16.0 + 0.5);
  const double c = i / 16.0;
  const double v = (small - c * large) / (large + c * small);
  const double v2 = v * v;
  // Series of atan v to v^11: the next term is below 1e-18 for |v| < 1/32.
  const double series =
      v * (1.0 + v2 * (-1.0 / 3 + v2 * (1.0 / 5 + v2 * (-1.0 / 7 + v2 * (1.0 / 9 - v2 / 11)))));
  double a = (math::kAtanTable[i].hi + series) + math::kAtanTable[i].lo;
  if (steep) a = (math::kHalfPi.hi - a) + math::kHalfPi.lo;
  return (y < 0) != (x < 0) ? -a : a;
}

}  // namespace zk
