// The sphere drawer, whose rows start and end where pixels may first lie inside the rim,
// against the plain drawer that tries every pixel of the bounding box, byte for byte: rims
// of every sub-pixel place, radii just above half a pixel, centres far off the picture,
// marbles near the eye, field rows, 1 to 4 bytes a pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "marbles_draw.h"
#include "marbles_test_support.h"

namespace zk {
namespace {

using Random = test::MarbleRandom;

struct Picture : test::MarblePlane {
  Picture(int32_t w, int32_t h, int32_t rowStep, int32_t bpp, uint32_t seed)
      : MarblePlane(w, h, rowStep, bpp) {
    Random rnd{seed};
    rnd.Fill(&bytes);
  }
};

// Draws with both drawers on copies of one picture; true when the bytes agree.
bool SameAsPlain(int32_t w, int32_t h, int32_t rowStep, int32_t bpp, const MarbleLight& light,
                 Point3 centre, float radius, const MarbleLook& look, float opacity, uint32_t seed,
                 bool* drew) {
  Picture fast(w, h, rowStep, bpp, seed);
  Picture plain(w, h, rowStep, bpp, seed);
  const std::vector<uint8_t> before = fast.bytes;
  DrawMarble(&fast.view, &light, centre, radius, &look, opacity);
  DrawMarblePlain(&plain.view, &light, centre, radius, &look, opacity);
  *drew = fast.bytes != before;
  return fast.bytes == plain.bytes;
}

TEST(SpeedS3mDraw, RowBoundsLeaveNoPixelOfTheRimOut) {
  Random rnd{808};
  int64_t drawnTrials = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    const int32_t w = 8 + static_cast<int32_t>(rnd.Next() % 90);
    const int32_t h = 8 + static_cast<int32_t>(rnd.Next() % 60);
    const int32_t rowStep = trial % 4 == 0 ? 2 : 1;
    const int32_t bpp = trial % 9 == 0 ? 1 + static_cast<int32_t>(rnd.Next() % 4) : 3;
    MarbleLight light{Point3{rnd.In(-20, 20), rnd.In(-20, 20), rnd.In(-20, 20)},
                      rnd.Next() & 0xFFFFFF, 3000};
    const MarbleLook look{rnd.Next() & 0xFFFFFF, rnd.In(0.2f, 1.2f),
                          1 + static_cast<int32_t>(rnd.Next() % 8)};
    // Centres on whole pixels, on halves and in between; radii from just above a half
    // pixel (the projected radius is radius + 0.5 at rest).
    const float steps[] = {0.0f, 0.5f, 0.25f, 0.001f, 0.999f, rnd.In(0, 1)};
    const float cx = static_cast<float>(rnd.Next() % w) + steps[rnd.Next() % 6];
    const float cy = static_cast<float>(rnd.Next() % h) + steps[rnd.Next() % 6];
    float radius = trial % 3 == 0 ? rnd.In(0, 1.5f) : rnd.In(0, 25);
    if (trial % 7 == 0) radius = static_cast<float>(rnd.Next() % 20) + steps[rnd.Next() % 6];
    float z = trial % 5 == 0 ? rnd.In(-2999.9f, 0) : 0.0f;
    Point3 centre{cx, cy, z};
    if (trial % 11 == 0) {
      // Far off one side, large enough to reach in, or almost at the eye.
      centre.x = trial % 2 ? -1.0e5f : 1.0e5f;
      radius = 1.0e5f - static_cast<float>(rnd.Next() % 40);
      centre.z = 0;
    }
    if (trial % 13 == 0) centre.z = -2999.999f;
    const float opacity = trial % 2 ? 1.0f : rnd.In(0.1f, 1.5f);
    bool drew = false;
    ASSERT_TRUE(SameAsPlain(w, h, rowStep, bpp, light, centre, radius, look, opacity,
                            static_cast<uint32_t>(trial), &drew))
        << "trial " << trial << " centre " << centre.x << "," << centre.y << "," << centre.z
        << " radius " << radius;
    drawnTrials += drew;
  }
  EXPECT_GT(drawnTrials, 2500);
}

// Marbles whose projected radius is barely above half a pixel: the rim depth is positive
// only at the pixel nearest the centre, if there.
TEST(SpeedS3mDraw, TheSmallestMarbles) {
  const MarbleLight light{Point3{10, 10, 10}, 0xFFFFFF, 3000};
  const MarbleLook look{0x4080C0, 1.0f, 3};
  int64_t drawn = 0;
  for (int i = 0; i < 400; ++i) {
    // radius + 0.5 is the projected radius at z = 0.
    const float radius = 0.0f + static_cast<float>(i) * 0.0025f;
    const Point3 centre{10.0f + static_cast<float>(i % 7) * 0.125f,
                        6.0f + static_cast<float>(i % 5) * 0.2f, 0};
    bool drew = false;
    ASSERT_TRUE(SameAsPlain(21, 13, 1, 3, light, centre, radius, look, 1.0f, 5u, &drew)) << radius;
    drawn += drew;
  }
  EXPECT_GT(drawn, 200);
  EXPECT_LT(drawn, 400);  // the very smallest reach no pixel
}

}  // namespace
}  // namespace zk
