// Exp, Log and Pow with the special values of the C library's conventions; the work is
// done in double-double by zmath_exp_log.cpp.
#include "zmath.h"

#include <cmath>
#include <limits>

#include "zmath_kernels.h"

namespace zk {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsInteger(double y) { return std::floor(y) == y; }

// Odd integers: all of them lie below 2^53, beyond which every double is even.
bool IsOddInteger(double y) {
  if (!IsInteger(y) || std::fabs(y) >= 0x1p53) return false;
  const double half = y * 0.5;
  return std::floor(half) != half;
}

}  // namespace

double Exp(double x) {
  if (math::IsNaN(x)) return x + x;
  return math::ExpDD(math::DD{x, 0.0});
}

double Log(double x) {
  if (math::IsNaN(x)) return x + x;
  if (x < 0.0) return kNaN;
  if (x == 0.0) return -kInfinity;
  if (!math::IsFinite(x)) return x;
  const math::DD v = math::LogDD(x);
  return v.hi + v.lo;
}

double Pow(double x, double y) {
  using namespace math;
  if (y == 0.0 || x == 1.0) return 1.0;
  if (IsNaN(x) || IsNaN(y)) return x + y;
  const double ax = std::fabs(x);
  if (!IsFinite(y)) {
    if (ax == 1.0) return 1.0;
    return (ax < 1.0) == (y > 0.0) ? 0.0 : kInfinity;
  }
  const bool odd = IsOddInteger(y);
  const bool xNegative = (Bits(x) >> 63) != 0;
  if (x == 0.0 || !IsFinite(x)) {
    // |x| is 0 or infinity: the result is 0 or infinity, signed by x for odd y.
    const bool big = (x == 0.0) == (y < 0.0);
    const double magnitude = big ? kInfinity : 0.0;
    return odd && xNegative ? -magnitude : magnitude;
  }
  if (xNegative && !IsInteger(y)) return kNaN;

  const DD logx = LogDD(ax);
  // The product decides overflow before it is formed exactly (|y| could be huge).
  const double rough = y * logx.hi;
  double magnitude;
  if (rough > 710.0) {
    magnitude = kInfinity;
  } else if (rough < -746.0) {
    magnitude = 0.0;
  } else {
    magnitude = ExpDD(Mul(logx, y));
  }
  return odd && xNegative ? -magnitude : magnitude;
}

}  // namespace zk
