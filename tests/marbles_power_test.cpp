// The lighting's whole powers against zk::Pow, bit for bit, over the values the lighting
// raises (float cosines times float impacts) and over the arguments it hands on.
#include "marbles_power.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

#include "zmath.h"

namespace zk {
namespace {

uint64_t Bits(double d) {
  uint64_t u;
  std::memcpy(&u, &d, 8);
  return u;
}

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
  // Values whose powers are exact, at the boundaries of the fast range and beyond it.
  const double special[] = {1.0,
                            0.5,
                            0.75,
                            0x1p-30,
                            0x1p30,
                            0x1p-31,
                            3e9,
                            0.0,
                            -0.0,
                            -0.5,
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
  for (double x : special) {
    for (int32_t n : {-2, 0, 1, 2, 3, 15, 16, 17, 33}) {
      const double want = Pow(x, n);
      const double got = WholePower(x, n);
      if (want != want) {
        EXPECT_NE(got, got) << x << " ^ " << n;
      } else {
        EXPECT_EQ(Bits(got), Bits(want)) << x << " ^ " << n;
      }
    }
  }
}

}  // namespace
}  // namespace zk
