// Exponential and logarithm on double-double values, shared by Exp, Log and Pow.
//
// exp: a = k ln2/64 + r with |r| <= ln2/128, exp a = 2^(k/64) e^r, the 64 powers 2^(j/64)
// tabulated. log: x = 2^e m with m in [0.75, 1.5), m = c (1 + u) with c = j/128 tabulated,
// and log(m/c) = 2 atanh((m - c)/(m + c)), whose series argument stays below 2^-8.
#include <cmath>

#include "zmath_kernels.h"
#include "zmath_tables.h"

namespace zk::math {
namespace {

constexpr int kExpTerms = 9;
constexpr int kExpPlainFrom = 3;
constexpr int kAtanhTerms = 6;
constexpr int kAtanhPlainFrom = 2;

// Beyond these, exp overflows or underflows whatever the low part.
constexpr double kExpOverflow = 709.79;
constexpr double kExpUnderflow = -745.14;

// v * 2^n for the whole exponent range of the results (n may leave [-1022, 1023]).
double ScaleByPow2(double v, int n) {
  while (n > 1023) {
    v *= Pow2(1023);
    n -= 1023;
  }
  while (n < -1022) {
    v *= Pow2(-1022);
    n += 1022;
  }
  return v * Pow2(n);
}

}  // namespace

double ExpDD(DD a) {
  if (a.hi > kExpOverflow) return ScaleByPow2(2.0, 1023);  // +infinity
  if (a.hi < kExpUnderflow) return 0.0;
  const double kd = std::floor(a.hi * kSixtyFourOverLn2 + 0.5);
  const int k = static_cast<int>(kd);
  // a.hi - kd * head is exact: the head has 36 bits, |k| < 2^17, and a.hi lies within
  // half a step of kd * head.
  DD r = Sub(DD{a.hi - kd * kLn2Over64Part[0], 0.0}, TwoProd(kd, kLn2Over64Part[1]));
  r = Add(r, -(kd * kLn2Over64Part[2]));
  r = Add(r, a.lo);
  const DD er = PolyMixed(kExpPoly, kExpTerms, kExpPlainFrom, r);
  const int j = k & 63;
  const int e = (k - j) / 64;
  const DD v = Mul(kExp2Sixtyfourths[j], er);
  // Subnormal results round twice (once here, once in the scaling): at most one ulp off.
  return ScaleByPow2(v.hi + v.lo, e);
}

DD LogDD(double x) {
  int e = 0;
  if (ExponentField(x) == 0) {  // subnormal: make it normal first
    x *= 0x1p54;
    e -= 54;
  }
  e += ExponentField(x) - 1023;
  double m = FromBits((Bits(x) & ((uint64_t{1} << 52) - 1)) | (uint64_t{1023} << 52));
  if (m >= 1.5) {
    m *= 0.5;
    ++e;
  }
  const int j = static_cast<int>(m * 128.0 + 0.5);
  const double c = j / 128.0;
  // m - c is exact (the two are within 1/256 of each other); m + c may need one more bit.
  const DD s = Div(DD{m - c, 0.0}, TwoSum(m, c));
  const DD series = Mul(s, PolyMixed(kAtanhPoly, kAtanhTerms, kAtanhPlainFrom, Square(s)));
  const DD logm = Add(kLogTable[j - 96], Add(series, series));
  return Add(Mul(kLn2, static_cast<double>(e)), logm);
}

}  // namespace zk::math
