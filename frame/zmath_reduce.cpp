// Argument reduction by pi/2. Medium arguments subtract n * pi/2 in pieces whose products
// with n are exact (Cody and Waite's idea); large ones take the few bits of 2/pi that
// decide x * 2/pi modulo 4 and multiply them out in 32-bit limbs (Payne and Hanek's idea),
// so that even arguments near 2^1023 keep a precise remainder.
#include <cmath>

#include "zmath_kernels.h"
#include "zmath_tables.h"

namespace zk::math {
namespace {

// Below this, n = round(x * 2/pi) stays under 2^20 and n times the 33-bit pieces is exact.
constexpr double kMediumLimit = 823549.0;

constexpr int kWindowWords = 7;                  // words of 2/pi multiplied with the mantissa
constexpr int kProductWords = kWindowWords + 2;  // mantissa takes two 32-bit limbs

// 32 bits of the little-endian product starting at bit `pos`.
uint32_t BitsAt(const uint32_t* product, int pos) {
  const int word = pos / 32;
  const int shift = pos % 32;
  uint64_t v = product[word];
  if (word + 1 < kProductWords) v |= static_cast<uint64_t>(product[word + 1]) << 32;
  return static_cast<uint32_t>(v >> shift);
}

}  // namespace

int ReduceHalfPiLarge(double x, DD* r) {
  const uint64_t bits = Bits(x);
  const uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  const int e = ExponentField(x) - 1023 - 52;  // x = mantissa * 2^e, e >= -33 here

  // Bits of 2/pi with index i <= e - 2 only add multiples of 4 to x * 2/pi: skip whole
  // words of them.
  const int firstWord = e >= 2 ? (e - 2) / 32 : 0;
  uint32_t window[kWindowWords];  // little-endian: window[0] is the least significant
  for (int j = 0; j < kWindowWords; ++j) {
    window[j] = kTwoOverPiWords[firstWord + kWindowWords - 1 - j];
  }
  const uint32_t m[2] = {static_cast<uint32_t>(mantissa), static_cast<uint32_t>(mantissa >> 32)};
  uint32_t product[kProductWords] = {};
  for (int i = 0; i < 2; ++i) {
    uint64_t carry = 0;
    for (int j = 0; j < kWindowWords; ++j) {
      const uint64_t t = static_cast<uint64_t>(m[i]) * window[j] + product[i + j] + carry;
      product[i + j] = static_cast<uint32_t>(t);
      carry = t >> 32;
    }
    product[i + kWindowWords] = static_cast<uint32_t>(carry);
  }

  // x * 2/pi = product * 2^-point (mod 4): two integer bits above `point`, the fraction below.
  const int point = 32 * (firstWord + kWindowWords) - e;
  int n = static_cast<int>(BitsAt(product, point) & 3);
  constexpr int kFractionWords = 5;
  uint32_t f[kFractionWords];  // f[0] most significant
  for (int i = 0; i < kFractionWords; ++i) f[i] = BitsAt(product, point - 32 * (i + 1));

  // Take the nearer multiple of pi/2: a fraction of one half or more counts from n + 1.
  const bool negative = (f[0] & 0x80000000u) != 0;
  if (negative) {
    n = (n + 1) & 3;
    uint64_t borrow = 1;  // two's complement: invert and add one, from the low word up
    for (int i = kFractionWords - 1; i >= 0; --i) {
      const uint64_t t = static_cast<uint64_t>(static_cast<uint32_t>(~f[i])) + borrow;
      f[i] = static_cast<uint32_t>(t);
      borrow = t >> 32;
    }
  }
  DD frac{0.0, 0.0};
  for (int i = kFractionWords - 1; i >= 0; --i) {
    frac = Add(frac, static_cast<double>(f[i]) * Pow2(-32 * (i + 1)));
  }
  DD rr = Mul(frac, kHalfPi);
  *r = negative ? Neg(rr) : rr;
  return n;
}

int ReduceHalfPi(double x, DD* r) {
  if (x >= kMediumLimit) return ReduceHalfPiLarge(x, r);
  const double n = std::floor(x * kTwoOverPi + 0.5);
  const double r1 = x - n * kHalfPiPart[0];  // exact: both factors short, x close to it
  DD t = TwoSum(r1, -(n * kHalfPiPart[1]));
  t = Sub(t, TwoProd(n, kHalfPiPart[2]));
  t = Add(t, -(n * kHalfPiPart[3]));
  *r = t;
  return static_cast<int>(n) & 3;
}

}  // namespace zk::math
