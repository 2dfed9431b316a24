// Double-double arithmetic: a value carried as an unevaluated sum hi + lo with |lo| at most
// half an ulp of hi, good to about 106 bits. The elementary functions keep their leading
// terms in this form so that only the final rounding to one double loses precision, which
// makes their results the correctly rounded ones in all but a tiny share of arguments.
//
// Everything here relies on plain IEEE double arithmetic with no fused multiply-add and
// no extended precision: the builds use SSE2 doubles and -ffp-contract=off.
#pragma once

#include <cstdint>
#include <cstring>

namespace zk::math {

struct DD {
  double hi;
  double lo;
};

// s + err == a + b exactly, whatever the magnitudes.
inline DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  const double err = (a - (s - bb)) + (b - bb);
  return DD{s, err};
}

// The same for |a| >= |b| (or a == 0).
inline DD FastTwoSum(double a, double b) {
  const double s = a + b;
  return DD{s, b - (s - a)};
}

// a = hi + lo with both halves of at most 26 significant bits, so their products are exact.
inline void Split(double a, double* hi, double* lo) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  *hi = c - (c - a);
  *lo = a - *hi;
}

// p + err == a * b exactly (barring overflow and underflow).
inline DD TwoProd(double a, double b) {
  const double p = a * b;
  double ah, al, bh, bl;
  Split(a, &ah, &al);
  Split(b, &bh, &bl);
  const double err = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
  return DD{p, err};
}

inline DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  const DD t = TwoSum(a.lo, b.lo);
  s.lo += t.hi;
  s = FastTwoSum(s.hi, s.lo);
  s.lo += t.lo;
  return FastTwoSum(s.hi, s.lo);
}

inline DD Add(DD a, double b) {
  DD s = TwoSum(a.hi, b);
  s.lo += a.lo;
  return FastTwoSum(s.hi, s.lo);
}

inline DD Neg(DD a) { return DD{-a.hi, -a.lo}; }
inline DD Sub(DD a, DD b) { return Add(a, Neg(b)); }

inline DD Mul(DD a, DD b) {
  DD p = TwoProd(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return FastTwoSum(p.hi, p.lo);
}

inline DD Mul(DD a, double b) {
  DD p = TwoProd(a.hi, b);
  p.lo += a.lo * b;
  return FastTwoSum(p.hi, p.lo);
}

inline DD Div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  const DD r = Sub(a, Mul(b, q1));
  const double q2 = r.hi / b.hi;
  const DD r2 = Sub(r, Mul(b, q2));
  const double q3 = r2.hi / b.hi;
  return Add(FastTwoSum(q1, q2), q3);
}

inline DD Square(DD a) {
  DD p = TwoProd(a.hi, a.hi);
  p.lo += 2.0 * a.hi * a.lo;
  return FastTwoSum(p.hi, p.lo);
}

// sum c[i] x^i for i < count, the low `plainCount` coefficients' contribution carried
// in double-double and the rest, which is tiny against them, in plain doubles.
inline DD PolyMixed(const DD* c, int count, int plainFrom, DD x) {
  double tail = 0.0;
  for (int i = count - 1; i >= plainFrom; --i) tail = c[i].hi + x.hi * tail;
  DD acc{tail, 0.0};
  for (int i = plainFrom - 1; i >= 0; --i) acc = Add(Mul(acc, x), c[i]);
  return acc;
}

inline uint64_t Bits(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

inline double FromBits(uint64_t u) {
  double x;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// 2^n for -1022 <= n <= 1023, built from its bits (exact).
inline double Pow2(int n) { return FromBits(static_cast<uint64_t>(n + 1023) << 52); }

// Biased exponent field (0 for zeros and subnormals, 2047 for infinities and NaN).
inline int ExponentField(double x) { return static_cast<int>((Bits(x) >> 52) & 0x7FF); }

inline bool IsNaN(double x) { return x != x; }
inline bool IsFinite(double x) { return ExponentField(x) != 0x7FF; }

}  // namespace zk::math
