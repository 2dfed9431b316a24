// The fast sphere drawer against the plain one, byte for byte: random marbles of every
// size, place, depth, colour, light, impact, gloss and opacity on random pictures, with
// 1 to 4 bytes a pixel, odd widths, field rows and padding that must stay untouched.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "marbles_draw.h"
#include "marbles_power.h"
#include "marbles_test_support.h"

namespace zk {
namespace {

using Random = test::MarbleRandom;

// A plane of noise; `rnd` is left as it would be after filling any other plane this size.
struct Picture : test::MarblePlane {
  Picture(int32_t w, int32_t h, int32_t rowStep, int32_t bpp, Random& rnd)
      : MarblePlane(w, h, rowStep, bpp) {
    rnd.Fill(&bytes);
  }
};

TEST(MarblesSpeedDraw, FastDrawerGivesThePlainBytes) {
  Random rnd{2024};
  int64_t differing = 0;
  int64_t drawn = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const int32_t w = 1 + static_cast<int32_t>(rnd.Next() % 97);
    const int32_t h = 1 + static_cast<int32_t>(rnd.Next() % 61);
    const int32_t rowStep = rnd.Next() % 3 == 0 ? 2 : 1;
    const int32_t bpp = trial % 7 == 0 ? 1 + static_cast<int32_t>(rnd.Next() % 4) : 3;
    Random copy = rnd;
    Picture fast(w, h, rowStep, bpp, rnd);
    Picture plain(w, h, rowStep, bpp, copy);
    MarbleLight light{Point3{rnd.In(-50, 50), rnd.In(-50, 50), rnd.In(-50, 50)},
                      rnd.Next() & 0xFFFFFF, 3000};
    if (trial % 11 == 0) light.distance = 1 + static_cast<int32_t>(rnd.Next() % 400);
    if (trial % 17 == 0) light.position = Point3{0, 0, 0};
    MarbleLook look{rnd.Next() & 0xFFFFFF, rnd.In(0, 1.5f),
                    1 + static_cast<int32_t>(rnd.Next() % 15)};
    if (trial % 13 == 0)
      look.gloss = static_cast<int32_t>(rnd.Next() % 40) - 10;  // off the fast range
    if (trial % 19 == 0) look.impact = 1.0f;
    const Point3 centre{rnd.In(-20, w + 20.0f), rnd.In(-20, h + 20.0f),
                        trial % 5 == 0 ? rnd.In(-2990, 3000) : rnd.In(-5, 5)};
    const float radius = rnd.In(0.1f, 40);
    float opacity = 1.0f;
    if (trial % 3 == 1) opacity = rnd.In(0, 1);
    if (trial % 23 == 0) opacity = rnd.In(1, 2);  // turned behind the image plane
    const std::vector<uint8_t> before = fast.bytes;
    DrawMarble(&fast.view, &light, centre, radius, &look, opacity);
    DrawMarblePlain(&plain.view, &light, centre, radius, &look, opacity);
    if (fast.bytes != plain.bytes) ++differing;
    if (fast.bytes != before) ++drawn;
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(drawn, 1500);  // most trials put a marble on the picture
}

// A marble filling a large picture: every pixel of the lit and the dark side, every gloss.
TEST(MarblesSpeedDraw, LargeMarblesEveryGloss) {
  Random rnd{77};
  for (int32_t gloss = 1; gloss <= 16; ++gloss) {
    for (float impact : {1.0f, 0.6f, 1.3f}) {
      Random copy = rnd;
      Picture fast(301, 211, 1, 3, rnd);
      Picture plain(301, 211, 1, 3, copy);
      const MarbleLight light{Point3{rnd.In(-20, 20), rnd.In(-20, 20), rnd.In(-20, 5)}, 0xFFFFFF,
                              3000};
      const MarbleLook look{rnd.Next() & 0xFFFFFF, impact, gloss};
      const Point3 centre{150.3f, 104.7f, 1};
      DrawMarble(&fast.view, &light, centre, 99.25f, &look, 1.0f);
      DrawMarblePlain(&plain.view, &light, centre, 99.25f, &look, 1.0f);
      ASSERT_EQ(fast.bytes, plain.bytes) << "gloss " << gloss << " impact " << impact;
    }
  }
}

// The interval around the plain products holds WholePower, and the float it settles is
// the float of WholePower.
TEST(MarblesSpeedDraw, PowerIntervalHoldsTheWholePower) {
  Random rnd{5};
  int64_t settled = 0;
  for (int32_t n = 1; n <= 16; ++n) {
    for (int i = 0; i < 20000; ++i) {
      const float q = static_cast<float>(rnd.Next()) * (1.0f / 16777216.0f);
      const double x = q * static_cast<double>(rnd.In(0.01f, 1.5f));
      double lo, hi;
      if (!PowerInterval(x, n, &lo, &hi)) {
        EXPECT_LT(x, 0x1p-30);
        continue;
      }
      const double exact = WholePower(x, n);
      ASSERT_LE(lo, exact) << x << " ^ " << n;
      ASSERT_GE(hi, exact) << x << " ^ " << n;
      float v;
      if (WholePowerAsFloat(x, n, &v)) {
        ASSERT_EQ(v, static_cast<float>(exact)) << x << " ^ " << n;
        ++settled;
      }
    }
  }
  // Nearly every value is settled by the products.
  EXPECT_GT(settled, 16 * 20000 * 99 / 100);
  double lo, hi;
  float v;
  EXPECT_FALSE(PowerInterval(0.5, 0, &lo, &hi));
  EXPECT_FALSE(PowerInterval(0.5, 17, &lo, &hi));
  EXPECT_FALSE(PowerInterval(0x1p31, 2, &lo, &hi));
  EXPECT_FALSE(WholePowerAsFloat(-0.5, 3, &v));
}

}  // namespace
}  // namespace zk
