// Truncating division by a divisor that many numerators share, done as a multiplication:
// q = (n * m) >> 38 with m = ceil(2^38 / d) is exactly floor(n / d) whenever n * d < 2^38
// (the error n * (m d - 2^38) / (d 2^38) stays below 1 / d, the smallest fraction n / d can
// have). Callers check their numerators and divisors against the two limits below.
#pragma once

#include <cstdint>

namespace zk {

constexpr int kFixedDivisorShift = 38;
// |n| * |d| must stay below this for the quotient to be exact ...
constexpr int64_t kFixedDivisionLimit = int64_t{1} << kFixedDivisorShift;
// ... and |n| below this, so that n * m (m at most 2^38) fits in 64 bits.
constexpr int64_t kFixedNumeratorLimit = int64_t{1} << 26;

struct FixedDivisor {
  uint64_t multiplier;  // ceil(2^38 / |d|)
  bool negative;        // the divisor's sign
};

// d != 0, |d| < 2^31.
inline FixedDivisor MakeFixedDivisor(int64_t d) {
  const uint64_t magnitude = static_cast<uint64_t>(d < 0 ? -d : d);
  return FixedDivisor{((uint64_t{1} << kFixedDivisorShift) + magnitude - 1) / magnitude, d < 0};
}

// n / d truncated toward zero, as C++ integer division gives it.
inline int32_t DivideBy(int64_t n, const FixedDivisor& d) {
  const bool negative = (n < 0) != d.negative;
  const uint64_t magnitude = static_cast<uint64_t>(n < 0 ? -n : n);
  const int32_t q = static_cast<int32_t>((magnitude * d.multiplier) >> kFixedDivisorShift);
  return negative ? -q : q;
}

}  // namespace zk
