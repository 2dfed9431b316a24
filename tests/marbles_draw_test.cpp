// One marble on a small plane: the pixel facing the light takes the light colour, the far
// side keeps part of the marble colour, the soft rim, opacity, clipping, the cases that
// draw nothing, field rows and 1- and 4-byte pixels.
#include "marbles_draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "marbles_test_support.h"

namespace zk {
namespace {

using Plane = test::MarblePlane;

const MarbleLight kLight{Point3{10, 10, 10}, 0xFFFFFF, 3000};
constexpr uint32_t kMarbleColour = 0x204080;  // blue 0x20, green 0x40, red 0x80

// R = 13.856406f has R * R rounded to float exactly 192, so at the offset (8, 8) from the
// centre the height is sqrt(192 - 128) = 8: the normal is (8, 8, 8) / R, parallel to
// (1, 1, 1), the direction of the light at (10, 10, 10).
constexpr float kFacingRadius = 13.856406f - 0.5f;

TEST(MarblesDraw, ThePixelFacingTheLightTakesTheLightColour) {
  ASSERT_EQ(static_cast<float>(static_cast<double>(13.856406f) * 13.856406f), 192.0f);
  Plane p(40, 40);
  const MarbleLook look{kMarbleColour, 1.0f, 3};
  DrawMarble(&p.view, &kLight, Point3{20, 20, 0}, kFacingRadius, &look, 1.0f);
  const uint8_t* facing = p.At(28, 28);
  EXPECT_EQ(facing[0], 255);
  EXPECT_EQ(facing[1], 255);
  EXPECT_EQ(facing[2], 255);
  // A light of another colour: that colour exactly.
  MarbleLight red = kLight;
  red.lightColor = 0x0000FF;
  Plane q(40, 40);
  DrawMarble(&q.view, &red, Point3{20, 20, 0}, kFacingRadius, &look, 1.0f);
  EXPECT_EQ(q.At(28, 28)[0], 0);
  EXPECT_EQ(q.At(28, 28)[1], 0);
  EXPECT_EQ(q.At(28, 28)[2], 255);
  EXPECT_TRUE(p.PaddingUntouched(0));
}

TEST(MarblesDraw, TheFarSideKeepsAboutFortyFivePercent) {
  Plane p(40, 40);
  const MarbleLook look{kMarbleColour, 1.0f, 3};
  DrawMarble(&p.view, &kLight, Point3{20, 20, 0}, kFacingRadius, &look, 1.0f);
  // No pixel fully inside the rim falls below (1 - (2/3)^(3/2)) = 0.456 of the marble
  // colour: the visible half never faces straight away from the light.
  int checked = 0;
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const double rho = std::sqrt(double(x - 20) * (x - 20) + double(y - 20) * (y - 20));
      if (rho > 13.856406 - 1.5) continue;
      const uint8_t* px = p.At(x, y);
      EXPECT_GE(px[0], static_cast<int>(0x20 * 0.455)) << x << "," << y;
      EXPECT_GE(px[1], static_cast<int>(0x40 * 0.455)) << x << "," << y;
      EXPECT_GE(px[2], static_cast<int>(0x80 * 0.455)) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 400);
  // (12, 11) faces away: q = (-8 - 9 + sqrt(192 - 145)) / (R sqrt 3) = -0.4227, so the
  // colour keeps 1 - 0.4227^3 = 0.9245 of itself: red 128 -> 118.
  EXPECT_EQ(p.At(12, 11)[2], 118);
  // The centre faces the viewer: q = 1/sqrt(3), V = q^3 = 0.19245 of the way to white.
  EXPECT_EQ(p.At(20, 20)[2], static_cast<int>(0x80 + (255 - 0x80) * 0.19245));
}

TEST(MarblesDraw, TheRimIsSoftAndOpacityWeighsEveryPixel) {
  // Without lighting (impact 0: V = 0) a pixel's target is the marble colour itself.
  const MarbleLook flat{0x000000C8, 0.0f, 3};  // red 200
  Plane p(21, 21, 1, 3, 100);
  DrawMarble(&p.view, &kLight, Point3{10, 10, 0}, 5.5f, &flat, 1.0f);  // R = 6
  EXPECT_EQ(p.At(10, 10)[2], 200);                                     // inside: weight 1
  EXPECT_EQ(p.At(10, 10)[0], 0);
  // (15, 10): J = 6 - (5 + 0.5) = 0.5, halfway from 100 to 200 (and to 0 for blue).
  EXPECT_EQ(p.At(15, 10)[2], 150);
  EXPECT_EQ(p.At(15, 10)[0], 50);
  EXPECT_EQ(p.At(16, 10)[2], 100);  // J = -0.5: outside
  EXPECT_EQ(p.At(10, 4)[2], 100);

  Plane half(21, 21, 1, 3, 100);
  DrawMarble(&half.view, &kLight, Point3{10, 10, 0}, 5.5f, &flat, 0.5f);
  EXPECT_EQ(half.At(10, 10)[2], 150);
  EXPECT_EQ(half.At(15, 10)[2], 125);  // weight 0.5 * 0.5

  // Opacity above 1 (a marble turned behind the plane) overshoots: held to 0..255.
  Plane over(21, 21, 1, 3, 100);
  DrawMarble(&over.view, &kLight, Point3{10, 10, 0}, 5.5f, &flat, 3.0f);
  EXPECT_EQ(over.At(10, 10)[2], 255);  // 100 + 100 * 3
  EXPECT_EQ(over.At(10, 10)[0], 0);    // 100 - 100 * 3
}

TEST(MarblesDraw, CasesThatDrawNothing) {
  const MarbleLook look{kMarbleColour, 1.0f, 3};
  const auto untouched = [](const Plane& p) {
    for (uint8_t b : p.bytes)
      if (b != 7) return false;
    return true;
  };
  Plane p(20, 20, 1, 3, 7);
  DrawMarble(&p.view, &kLight, Point3{10, 10, -3000}, 4, &look, 1.0f);  // at the eye
  DrawMarble(&p.view, &kLight, Point3{10, 10, -5000}, 4, &look, 1.0f);  // behind it
  DrawMarble(&p.view, &kLight, Point3{10, 10, 0}, 4, &look, 0.0f);      // fully transparent
  DrawMarble(&p.view, &kLight, Point3{10, 10, 0}, 4, &look,
             std::numeric_limits<float>::quiet_NaN());
  DrawMarble(&p.view, &kLight, Point3{-50, 10, 0}, 4, &look, 1.0f);  // wholly off the left
  DrawMarble(&p.view, &kLight, Point3{10, 90, 0}, 4, &look, 1.0f);   // wholly off the bottom
  DrawMarble(nullptr, &kLight, Point3{10, 10, 0}, 4, &look, 1.0f);
  DrawMarble(&p.view, nullptr, Point3{10, 10, 0}, 4, &look, 1.0f);
  DrawMarble(&p.view, &kLight, Point3{10, 10, 0}, 4, nullptr, 1.0f);
  ImagePlane wide = p.view;
  wide.bytesPerPixel = 5;
  DrawMarble(&wide, &kLight, Point3{10, 10, 0}, 4, &look, 1.0f);
  wide.bytesPerPixel = 0;
  DrawMarble(&wide, &kLight, Point3{10, 10, 0}, 4, &look, 1.0f);
  EXPECT_TRUE(untouched(p));
  // Just in front of the eye a marble is huge and clipped to the plane.
  DrawMarble(&p.view, &kLight, Point3{10, 10, -2999.99f}, 4, &look, 1.0f);
  EXPECT_FALSE(untouched(p));
  EXPECT_TRUE(p.PaddingUntouched(7));
}

TEST(MarblesDraw, PerspectiveShrinksAndShiftsTowardsTheCentre) {
  // At depth D the scale is 1/2: centre (30, 10) on a 40 x 20 plane lands at (25, 10) and
  // the radius 3.5 + 0.5 at 2.
  const MarbleLook flat{0x000000C8, 0.0f, 1};
  Plane p(40, 20);
  DrawMarble(&p.view, &kLight, Point3{30, 10, 3000}, 3.5f, &flat, 1.0f);
  EXPECT_EQ(p.At(25, 10)[2], 200);
  EXPECT_EQ(p.At(30, 10)[2], 0);
  EXPECT_EQ(p.At(25, 8)[2], 0);  // J = 2 - 2.5 < 0
}

TEST(MarblesDraw, FieldRowsAreVisitedOnceEach) {
  // rowStep 2: scene rows y0, y0 + 2, ...; with opacity 0.5 a stored row written twice
  // would show 150 instead of 100.
  const MarbleLook flat{0x000000C8, 0.0f, 3};
  Plane p(21, 21, 2, 3, 0);
  DrawMarble(&p.view, &kLight, Point3{10, 11, 0}, 5.5f, &flat, 0.5f);  // y0 = 4, odd rows none
  // Scene rows 4 to 17 are in the bounds: 6 and 16 are on the rim (weight 0.5 * 0.5).
  for (int32_t y = 8; y <= 14; y += 2) EXPECT_EQ(p.At(10, y)[2], 100) << y;
  EXPECT_EQ(p.At(10, 6)[2], 50);
  EXPECT_EQ(p.At(10, 16)[2], 50);
  EXPECT_EQ(p.At(10, 4)[2], 0);
  EXPECT_TRUE(p.PaddingUntouched(0));
}

TEST(MarblesDraw, OneAndFourBytePixels) {
  const MarbleLook flat{0x00C86432, 0.0f, 3};  // blue 200, green 100, red 50
  Plane grey(11, 11, 1, 1, 9);
  DrawMarble(&grey.view, &kLight, Point3{5, 5, 0}, 3.5f, &flat, 1.0f);
  EXPECT_EQ(grey.At(5, 5)[0], 200);  // the first channel only
  Plane four(11, 11, 1, 4, 9);
  DrawMarble(&four.view, &kLight, Point3{5, 5, 0}, 3.5f, &flat, 1.0f);
  EXPECT_EQ(four.At(5, 5)[0], 200);
  EXPECT_EQ(four.At(5, 5)[1], 100);
  EXPECT_EQ(four.At(5, 5)[2], 50);
  EXPECT_EQ(four.At(5, 5)[3], 0);  // the fourth channel's colour is 0
  EXPECT_TRUE(four.PaddingUntouched(9));
}

TEST(MarblesDraw, ALightAtTheOriginLeavesTheMarbleColour) {
  const MarbleLight none{Point3{0, 0, 0}, 0xFFFFFF, 3000};
  const MarbleLook look{kMarbleColour, 1.0f, 3};
  Plane p(21, 21);
  DrawMarble(&p.view, &none, Point3{10, 10, 0}, 5.5f, &look, 1.0f);
  EXPECT_EQ(p.At(10, 10)[0], 0x20);
  EXPECT_EQ(p.At(12, 9)[2], 0x80);
}

}  // namespace
}  // namespace zk
