// The fast row kernels and per-frame tables of frame/ against the plain forms they replace,
// byte for byte: level blends, row distances, whole-degree arctangents, and the error of
// the arctangent estimate that effects check their results against.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "arctan_degrees.h"
#include "arctan_estimate.h"
#include "level_blend.h"
#include "level_blend_rows.h"
#include "pixel_rows.h"
#include "row_distances.h"
#include "saturated_rows.h"
#include "speed_test_support.h"
#include "zmath.h"

namespace zk {
namespace {

using test::NextRandom;

TEST(SpeedLevelBlend, EveryByteAndLevelLikeThePlainForm) {
  // Every (a, b) pair at every level, starting at an odd address with a tail after it.
  std::vector<uint8_t> a(65536 + 7), b(65536 + 7), q(65536 + 7);
  std::vector<uint8_t> plain(65536 + 7), fast(65536 + 9, 0xEE);
  for (int32_t i = 0; i < 65536; ++i) {
    a[i] = static_cast<uint8_t>(i);
    b[i] = static_cast<uint8_t>(i >> 8);
  }
  for (int32_t level = 0; level < 256; ++level) {
    for (uint8_t& v : q) v = static_cast<uint8_t>(level);
    BlendRowLevelsPlain(plain.data(), a.data(), b.data(), q.data(), 65536 + 7);
    BlendRowLevels(fast.data() + 1, a.data(), b.data(), q.data(), 65536 + 7);
    for (int32_t i = 0; i < 65536; ++i) {
      ASSERT_EQ(BlendLevel(a[i], b[i], level), plain[i]);
      ASSERT_EQ(plain[i], fast[i + 1]) << "a " << int(a[i]) << " b " << int(b[i]) << " q " << level;
    }
    ASSERT_EQ(0xEE, fast[65536 + 7 + 1]);
  }
}

TEST(SpeedLevelBlend, RandomRowsOfEveryLength) {
  uint32_t seed = 5;
  for (int32_t n = 0; n < 80; ++n) {
    std::vector<uint8_t> a(n), b(n), q(n), plain(n), fast(n + 1, 0x5A);
    for (int32_t i = 0; i < n; ++i) {
      a[i] = static_cast<uint8_t>(NextRandom(&seed));
      b[i] = static_cast<uint8_t>(NextRandom(&seed));
      q[i] = static_cast<uint8_t>(NextRandom(&seed));
    }
    BlendRowLevelsPlain(plain.data(), a.data(), b.data(), q.data(), n);
    BlendRowLevels(fast.data(), a.data(), b.data(), q.data(), n);
    for (int32_t i = 0; i < n; ++i) ASSERT_EQ(plain[i], fast[i]) << n << " " << i;
    EXPECT_EQ(0x5A, fast[n]);
  }
  const uint8_t pixels[3] = {7, 200, 255};
  uint8_t spread[9];
  SpreadPixelLevels(spread, pixels, 3);
  EXPECT_EQ(std::vector<uint8_t>(spread, spread + 9),
            (std::vector<uint8_t>{7, 7, 7, 200, 200, 200, 255, 255, 255}));
}

TEST(SpeedCrossfade, FixedPointRowsEqualTheDoubleBlendForEveryPair) {
  // Every (a, b) pair, at an odd address and with a tail of plain bytes.
  const int32_t n = 65536 + 13;
  std::vector<uint8_t> a(n), b(n), plain(n), fast(n + 2, 0xEE);
  for (int32_t i = 0; i < n; ++i) {
    a[i] = static_cast<uint8_t>(i);
    b[i] = static_cast<uint8_t>(i >> 8);
  }
  std::vector<float> progress = {
      0x1p-7f, std::nextafter(0x1p-7f, 1.0f), 0.01f, 0.1f, 0.25f, 1.0f / 3,
      0.5f,    std::nextafter(0.5f, 0.0f),    0.75f, 0.9f, 0.99f, std::nextafter(1.0f, 0.0f)};
  uint32_t seed = 3;
  for (int32_t i = 0; i < 40; ++i) {
    progress.push_back(0x1p-7f + (test::NextRandom(&seed) % 1000000) * 0.99e-6f);
  }
  for (float p : progress) {
    ASSERT_TRUE(CrossfadeFixedPointApplies(p)) << p;
    CrossfadeRowPlain(plain.data(), a.data(), b.data(), n, p);
    CrossfadeRowFixedSse2(fast.data() + 1, a.data(), b.data(), n, p);
    for (int32_t i = 0; i < n; ++i) ASSERT_EQ(plain[i], fast[i + 1]) << "p " << p << " at " << i;
    ASSERT_EQ(0xEE, fast[n + 1]);
  }
  for (float p : {0.0f, 1e-30f, std::nextafter(0x1p-7f, 0.0f), 1.0f, 1.5f, -0.25f}) {
    EXPECT_FALSE(CrossfadeFixedPointApplies(p)) << p;
  }
}

TEST(SpeedSaturatedRows, EveryByteAndStepLikeThePlainForm) {
  std::vector<uint8_t> s(256 + 19), plain(256 + 19), fast(256 + 21, 0xEE);
  for (int32_t i = 0; i < 256 + 19; ++i) s[i] = static_cast<uint8_t>(i * 7);
  for (int32_t n = 0; n < 256; ++n) {
    for (bool add : {true, false}) {
      if (add) {
        AddSaturatedRowPlain(plain.data(), s.data(), 256 + 19, static_cast<uint8_t>(n));
        AddSaturatedRow(fast.data() + 1, s.data(), 256 + 19, static_cast<uint8_t>(n));
      } else {
        SubtractSaturatedRowPlain(plain.data(), s.data(), 256 + 19, static_cast<uint8_t>(n));
        SubtractSaturatedRow(fast.data() + 1, s.data(), 256 + 19, static_cast<uint8_t>(n));
      }
      for (int32_t i = 0; i < 256 + 19; ++i) {
        const int32_t expected = add ? std::min(255, s[i] + n) : std::max(0, s[i] - n);
        ASSERT_EQ(expected, plain[i]);
        ASSERT_EQ(plain[i], fast[i + 1]) << n << " " << add << " " << i;
      }
      ASSERT_EQ(0xEE, fast[256 + 19 + 1]);
    }
  }
}

TEST(SpeedRowDistances, TwoAtATimeLikeOneAtATime) {
  const int32_t widths[] = {0, 1, 2, 3, 17, 160, 1921};
  const int32_t centres[] = {0, 1, 8, 80, 960, -3, 2000};
  const int32_t dys[] = {0, 1, -1, 45, -540, 1000, 70000};
  for (int32_t w : widths) {
    for (int32_t c : centres) {
      for (int32_t dy : dys) {
        std::vector<int32_t> plain(w + 1, -7), fast(w + 1, -7);
        RowDistancesPlain(c, dy, w, plain.data());
        RowDistances(c, dy, w, fast.data());
        ASSERT_EQ(plain, fast) << w << " " << c << " " << dy;
      }
    }
  }
  // Beyond 2^25 the squares are no longer exact doubles: the plain form takes over.
  std::vector<int32_t> plain(4), fast(4);
  RowDistancesPlain(-(1 << 26), 3, 4, plain.data());
  RowDistances(-(1 << 26), 3, 4, fast.data());
  EXPECT_EQ(plain, fast);
  EXPECT_EQ(TruncatedDistance(3, 4), 5);
  EXPECT_EQ(TruncatedDistance(-7, 0), 7);
}

constexpr double kBloomDegrees = 57.29582790879778;

TEST(SpeedArctanDegrees, StartsAreWhereTheWholeDegreesBegin) {
  ArctanDegreeSteps steps;
  MakeArctanDegreeSteps(kBloomDegrees, &steps);
  EXPECT_EQ(90, steps.top);  // the constant is a little above 180 / pi: 90 is reached
  for (int32_t n = 1; n <= steps.top; ++n) {
    const double s = steps.start[n];
    EXPECT_EQ(n, ArctanDegreesDirect(kBloomDegrees, s)) << n;
    EXPECT_EQ(n - 1, ArctanDegreesDirect(kBloomDegrees, std::nextafter(s, 0.0))) << n;
    EXPECT_GT(s, steps.start[n - 1]);
  }
}

TEST(SpeedArctanDegrees, TableValuesEqualTheDirectOnes) {
  for (double k : {kBloomDegrees, 180 / 3.14159265358979323846, 30.0}) {
    ArctanDegreeSteps steps;
    MakeArctanDegreeSteps(k, &steps);
    int32_t hint = 0;
    // Around every start, a few ulps either side and the band edges, both signs.
    for (int32_t n = 0; n <= steps.top + 1; ++n) {
      const double s = n <= steps.top ? steps.start[n] : 1e300;
      double below = s, above = s;
      for (int32_t i = 0; i < 4; ++i) {
        for (double t : {below, above, -below, -above, s * (1 + 1e-6), s * (1 - 1e-6)}) {
          ASSERT_EQ(ArctanDegreesDirect(k, t), ArctanDegrees(steps, t, &hint)) << k << " " << t;
        }
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, 1e308);
      }
    }
    // The arguments of an angle order: line height over column distance.
    for (int32_t num = -300; num <= 300; num += 7) {
      for (int32_t dx = -400; dx <= 400; ++dx) {
        const double q = dx != 0 ? static_cast<double>(dx) : 0.00001;
        const double t = num / q;
        ASSERT_EQ(ArctanDegreesDirect(k, t), ArctanDegrees(steps, t, &hint)) << num << "/" << dx;
      }
    }
    for (double t : {0.0, -0.0, 1e-300, 5e7, -5e7, 1e20}) {
      ASSERT_EQ(ArctanDegreesDirect(k, t), ArctanDegrees(steps, t, &hint)) << t;
    }
  }
}

TEST(SpeedArctanEstimate, WithinItsBoundOfAtan) {
  double worst = 0;
  for (int32_t dy = -600; dy <= 600; dy += 3) {
    for (int32_t dx = -1000; dx <= 1000; ++dx) {
      if (dx == 0) continue;
      const double e = std::fabs(ArctanEstimate(dy, dx) - Atan(static_cast<double>(dy) / dx));
      if (e > worst) worst = e;
    }
  }
  uint32_t seed = 11;
  for (int32_t i = 0; i < 200000; ++i) {
    const double y = (static_cast<int32_t>(NextRandom(&seed)) - 0x800000) * 1e-3;
    const double x = (static_cast<int32_t>(NextRandom(&seed)) - 0x800000 + 0.5) * 1e-3;
    const double e = std::fabs(ArctanEstimate(y, x) - Atan(y / x));
    if (e > worst) worst = e;
  }
  // The effects rely on kArctanEstimateError; the estimate keeps far inside it.
  EXPECT_LT(worst, kArctanEstimateError / 100);
}

}  // namespace
}  // namespace zk
