// Arctangent: atan t = atan c + atan((t - c) / (1 + t c)) with c the nearest sixteenth,
// leaving a series argument below 1/32; arguments above 1 go through pi/2 - atan(1/t).

#include "zmath.h"
#include "zmath_kernels.h"
#include "zmath_tables.h"

namespace zk {
namespace math {
namespace {

constexpr int kAtanTerms = 9;
constexpr int kAtanPlainFrom = 3;
constexpr double kTiny = 0x1p-27;  // atan x rounds to x below this

// atan t for 0 <= t <= 1.
DD AtanUnit(DD t) {
  const int i = static_cast<int>(t.hi * 16.0 + 0.5);
  const double c = i / 16.0;
  const DD v = Div(Add(t, -c), Add(Mul(t, c), 1.0));
  const DD series = Mul(v, PolyMixed(kAtanPoly, kAtanTerms, kAtanPlainFrom, Square(v)));
  return Add(kAtanTable[i], series);
}

// atan t for t >= 0.
DD AtanPositive(DD t) {
  if (t.hi > 1.0) return Sub(kHalfPi, AtanUnit(Div(DD{1.0, 0.0}, t)));
  return AtanUnit(t);
}

// small / large in double-double for 2^-60 <= small / large <= 1. Both are first scaled
// by the same power of two so that large lies in [1, 2): exact, since small stays normal,
// and it keeps the products inside the division clear of overflow and underflow.
DD UnitRatio(double small, double large) {
  if (ExponentField(large) == 0) {  // both subnormal
    small *= 0x1p60;
    large *= 0x1p60;
  }
  const int e = ExponentField(large) - 1023;
  const double first = Pow2(-e / 2);
  const double second = Pow2(-e - (-e / 2));
  small = small * first * second;
  large = large * first * second;
  return Div(DD{small, 0.0}, DD{large, 0.0});
}

double WithSign(double magnitude, bool negative) { return negative ? -magnitude : magnitude; }

}  // namespace
}  // namespace math

double Atan(double x) {
  using namespace math;
  if (IsNaN(x)) return x + x;
  const bool negative = x < 0;
  const double ax = negative ? -x : x;
  if (ax < kTiny) return x;
  // Beyond 2^60, pi/2 - 1/x rounds to the double nearest pi/2 (infinity included).
  if (ax > 0x1p60) return WithSign(kHalfPi.hi, negative);
  const DD a = AtanPositive(DD{ax, 0.0});
  return WithSign(a.hi + a.lo, negative);
}

double Atan2(double y, double x) {
  using namespace math;
  if (IsNaN(x) || IsNaN(y)) return x + y;
  const bool yNegative = (Bits(y) >> 63) != 0;
  const bool xNegative = (Bits(x) >> 63) != 0;  // -0 counts as negative
  const double ax = xNegative ? -x : x;
  const double ay = yNegative ? -y : y;

  if (ay == 0.0) return xNegative ? WithSign(kPi.hi, yNegative) : y;
  if (ax == 0.0) return WithSign(kHalfPi.hi, yNegative);
  if (!IsFinite(ax)) {
    if (!IsFinite(ay)) {
      return WithSign(xNegative ? kThreeQuarterPi.hi : kQuarterPi.hi, yNegative);
    }
    return xNegative ? WithSign(kPi.hi, yNegative) : WithSign(0.0, yNegative);
  }
  if (!IsFinite(ay)) return WithSign(kHalfPi.hi, yNegative);

  // Angle in the first quadrant from the ratio of the smaller side to the larger.
  const bool steep = ay > ax;
  const double small = steep ? ax : ay;
  const double large = steep ? ay : ax;
  const double ratio = small / large;
  DD angle;
  if (ratio < 0x1p-60) {
    angle = DD{ratio, 0.0};  // atan t = t to far below an ulp (subnormal quotients too)
  } else {
    angle = AtanUnit(UnitRatio(small, large));
  }
  if (steep) angle = Sub(kHalfPi, angle);
  if (xNegative) angle = Sub(kPi, angle);
  return WithSign(angle.hi + angle.lo, yNegative);
}

}  // namespace zk
