#include "threshold_curve.h"

#include "zmath.h"

namespace zk {
namespace {

// An odd power of a base of either sign, taken as |base|^n with the base's sign.
double SignedPower(double base, double n) { return base < 0.0 ? -Pow(-base, n) : Pow(base, n); }

}  // namespace

double ThresholdCurve(double x, int32_t exponent, double level) {
  // Neither a zero level nor a zero exponent describes a curve (both divide by zero);
  // such settings light nothing through the threshold.
  if (exponent == 0 || level == 0.0) return 0.0;
  const double n = exponent;
  const double q = SignedPower(1.0 / level - 1.0, 1.0 / n);
  return level * (SignedPower((q + 1.0) * x - 1.0, n) + 1.0);
}

}  // namespace zk
