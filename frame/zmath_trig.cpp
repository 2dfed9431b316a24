// Sine, cosine and tangent: reduce by pi/2, then Taylor series on |r| <= pi/4 with the
// leading terms in double-double, so only the final rounding loses precision.

#include "zmath.h"
#include "zmath_kernels.h"
#include "zmath_tables.h"

namespace zk {
namespace math {

// Enough terms that the first one left out is below 2^-70 of the sum on |r| <= pi/4;
// terms from the fifth on are small enough for plain doubles.
constexpr int kTrigTerms = 12;
constexpr int kTrigPlainFrom = 5;

DD SinKernel(DD r) { return Mul(r, PolyMixed(kSinPoly, kTrigTerms, kTrigPlainFrom, Square(r))); }

DD CosKernel(DD r) { return PolyMixed(kCosPoly, kTrigTerms, kTrigPlainFrom, Square(r)); }

namespace {

// Below this, sin x and tan x round to x and cos x to 1.
constexpr double kTiny = 0x1p-27;

// n mod 4 and r for |x|, where |x| = n * pi/2 + r.
int Reduce(double ax, DD* r) {
  if (ax <= kQuarterPi.hi) {
    *r = DD{ax, 0.0};
    return 0;
  }
  return ReduceHalfPi(ax, r);
}

double Round(DD v) { return v.hi + v.lo; }

}  // namespace
}  // namespace math

double Sin(double x) {
  using namespace math;
  if (!IsFinite(x)) return x - x;  // NaN stays NaN, infinities give NaN
  const double ax = x < 0 ? -x : x;
  if (ax < kTiny) return x;
  DD r;
  const int n = Reduce(ax, &r);
  DD v = (n & 1) ? CosKernel(r) : SinKernel(r);
  if (n & 2) v = Neg(v);
  const double s = Round(v);
  return x < 0 ? -s : s;
}

double Cos(double x) {
  using namespace math;
  if (!IsFinite(x)) return x - x;
  const double ax = x < 0 ? -x : x;
  if (ax < kTiny) return 1.0;
  DD r;
  const int n = Reduce(ax, &r);
  DD v = (n & 1) ? SinKernel(r) : CosKernel(r);
  if (n == 1 || n == 2) v = Neg(v);
  return Round(v);
}

double Tan(double x) {
  using namespace math;
  if (!IsFinite(x)) return x - x;
  const double ax = x < 0 ? -x : x;
  if (ax < kTiny) return x;
  DD r;
  const int n = Reduce(ax, &r);
  const DD s = SinKernel(r);
  const DD c = CosKernel(r);
  const DD v = (n & 1) ? Neg(Div(c, s)) : Div(s, c);
  const double t = Round(v);
  return x < 0 ? -t : t;
}

}  // namespace zk
