#include "marbles_power.h"

#include <cmath>

#include "zmath.h"

namespace zk {
namespace {

struct DoubleDouble {
  double hi, lo;
};

// a * b exactly as hi + lo (Dekker: halves of 26 bits multiply without rounding).
DoubleDouble TwoProduct(double a, double b) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double p = a * b;
  const double ca = kSplitter * a;
  const double ah = ca - (ca - a);
  const double al = a - ah;
  const double cb = kSplitter * b;
  const double bh = cb - (cb - b);
  const double bl = b - bh;
  return DoubleDouble{p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DoubleDouble Times(const DoubleDouble& a, double b) {
  DoubleDouble p = TwoProduct(a.hi, b);
  p.lo += a.lo * b;
  const double hi = p.hi + p.lo;
  return DoubleDouble{hi, p.lo - (hi - p.hi)};
}

// Half the gap to the neighbouring double on the side `below` or above.
double HalfGap(double hi, bool below) {
  int e = 0;
  const double m = std::frexp(hi, &e);  // hi = m * 2^e, 0.5 <= |m| < 1
  // Below a power of two the doubles are twice as dense.
  return std::ldexp(1.0, (below && std::fabs(m) == 0.5) ? e - 55 : e - 54);
}

constexpr double kSmallest = 0x1p-30;
constexpr double kLargest = 0x1p30;
constexpr double kMargin = 0x1p-85;  // relative; zk::Pow errs by less than 2^-90

}  // namespace

double WholePower(double x, int32_t n) {
  if (n < 1 || n > 16 || !(x >= kSmallest && x <= kLargest)) return Pow(x, n);
  DoubleDouble r{x, 0.0};
  for (int32_t k = 1; k < n; ++k) r = Times(r, x);
  // r.hi is r rounded to double; keep it only when no error of either computation can
  // carry the true power past the rounding boundary on r.lo's side.
  const double gap = HalfGap(r.hi, r.lo < 0);
  if (std::fabs(r.lo) + kMargin * r.hi < gap) return r.hi;
  return Pow(x, n);
}

}  // namespace zk
