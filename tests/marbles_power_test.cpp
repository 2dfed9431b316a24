// The lighting's whole powers against zk::Pow, bit for bit, over the values the lighting
// raises (float cosines times float impacts); against exact values where they are known,
// over the arguments it hands on too.
#include "marbles_power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

#include "float_bits.h"
#include "zmath.h"

namespace zk {
namespace {

TEST(MarblesPower, MatchesPowBitForBit) {
  uint32_t state = 12345;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state;
  };
  const float impacts[] = {1.0f, 0.75f, 0.01f, 0.37f, 1.5f};
  int64_t checked = 0;
  for (int32_t n = 1; n <= 16; ++n) {
    for (int i = 0; i < 40000; ++i) {
      // A float cosine in 0..1 with every bit pattern likely, times a float impact.
      const float q = static_cast<float>(next() >> 8) * (1.0f / 16777216.0f);
      const double x = q * static_cast<double>(impacts[i % 5]);
      ASSERT_EQ(Bits(WholePower(x, n)), Bits(Pow(x, n))) << x << " ^ " << n;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 640000);
}

// x = sign * odd * 2^exponent with odd 1 or 3: x^n is odd^n (exact below 2^53 for n <= 33)
// times a power of two, and for n < 0 the one rounding of 1 / odd^-n, scaled exactly.
struct ExactBase {
  bool negative;
  double odd;
  int32_t exponent;
};

double ExactPower(const ExactBase& x, int32_t n) {
  double m = 1.0;
  for (int32_t k = 0; k < (n < 0 ? -n : n); ++k) m *= x.odd;
  const double magnitude = std::ldexp(n < 0 ? 1.0 / m : m, x.exponent * n);
  return x.negative && n % 2 != 0 ? -magnitude : magnitude;
}

constexpr int32_t kPowers[] = {-2, -1, 0, 1, 2, 3, 15, 16, 17, 33};

// Inside the fast range (1 <= n <= 16, 2^-30 <= x <= 2^30) and outside it, where the
// routine hands on, against the exact value or its one rounding.
TEST(MarblesPower, ExactPowersInAndBeyondTheFastRange) {
  const ExactBase bases[] = {{false, 1, 0},   {false, 1, -1},  {false, 3, -2}, {false, 1, -30},
                             {false, 1, 30},  {false, 1, -31}, {false, 1, 31}, {false, 3, 30},
                             {false, 1, -40}, {true, 1, -1},   {true, 3, 31}};
  for (const ExactBase& b : bases) {
    const double x = ExactPower(b, 1);
    for (int32_t n : kPowers)
      EXPECT_EQ(Bits(ExactPower(b, n)), Bits(WholePower(x, n))) << x << " ^ " << n;
  }
}

// Signed zeros, infinities and NaN, worked by hand for n = -2, -1, 0, 1, 2, 3, 15, 16, 17, 33.
TEST(MarblesPower, ZerosInfinitiesAndNaN) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    double x;
    double want[std::size(kPowers)];
  };
  const Row rows[] = {
      {0.0, {kInf, kInf, 1, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}},
      {-0.0, {kInf, -kInf, 1, -0.0, 0.0, -0.0, -0.0, 0.0, -0.0, -0.0}},
      {kInf, {0.0, 0.0, 1, kInf, kInf, kInf, kInf, kInf, kInf, kInf}},
      {-kInf, {0.0, -0.0, 1, -kInf, kInf, -kInf, -kInf, kInf, -kInf, -kInf}},
      {kNaN, {kNaN, kNaN, 1, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN}},
  };
  for (const Row& row : rows)
    for (size_t i = 0; i < std::size(kPowers); ++i) {
      const double got = WholePower(row.x, kPowers[i]);
      if (std::isnan(row.want[i]))
        EXPECT_TRUE(std::isnan(got)) << row.x << " ^ " << kPowers[i] << " = " << got;
      else
        EXPECT_EQ(Bits(row.want[i]), Bits(got)) << row.x << " ^ " << kPowers[i];
    }
}

}  // namespace
}  // namespace zk
