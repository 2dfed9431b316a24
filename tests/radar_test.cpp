// Radar: exact end points, trail and echo colours worked out by hand on 9 x 9 frames
// (centre (4, 4), screen radius 4), the echo threshold, the fades, field mode and the
// rectangle contract.
#include <gtest/gtest.h>

#include "direct_render_support.h"

namespace zk {
namespace {

using test::At;
using test::Bgr;
using test::SolidFrame;

class RadarTest : public test::BuiltModuleTest {
 protected:
  RadarTest() : BuiltModuleTest("radar") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, int32_t field = 0) {
    return RenderWhole(a, b, p, test::Choose(0, field));
  }
  const FrameImage black_ = SolidFrame(9, 9, 0, 0, 0), white_ = SolidFrame(9, 9, 255, 255, 255);
};

TEST(RadarDescription, WordsAndNames) {
  test::ExpectDescription("radar", {0, 0, 0, false, 0, 0, 0}, "雷达-外加", "外加",
                          "Simulation of Radar-screen");
}

TEST_F(RadarTest, EndPointsAreTheScenesExactly) {
  // At p = 1 the fade-in weight must be exactly 1 (0.99999994 would leave B - 1).
  const FrameImage a = test::PatternFrame(16, 11, 1), b = test::PatternFrame(16, 11, 2);
  for (int32_t field : {0, 1}) {
    EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, field), a, a.width, a.height));
    EXPECT_TRUE(test::SameRect(Render(a, b, 1.0f, field), b, b.width, b.height));
  }
}

TEST_F(RadarTest, TrailAndBeamWorkedByHand) {
  // p = 0.5: beam at 180 degrees. Angles: left of centre 90, right 270, below (4, 7) ~0,
  // above (4, 1) ~180. Trail green = trunc(170 f^2), f = (beam - angle) / 360 (mod 360).
  const FrameImage half = Render(black_, black_, 0.5f);
  EXPECT_EQ(Bgr(0, 10, 0), At(half, 1, 4));  // f 0.25
  EXPECT_EQ(Bgr(0, 95, 0), At(half, 7, 4));  // f 0.75
  EXPECT_EQ(Bgr(0, 42, 0), At(half, 4, 7));  // f 0.4999995
  EXPECT_EQ(Bgr(0, 0, 0), At(half, 4, 1));   // just under the beam
  EXPECT_EQ(Bgr(0, 0, 0), At(half, 0, 4));   // distance 4: off the screen
  EXPECT_EQ(Bgr(0, 0, 0), At(half, 8, 4));
  // p = 0.25: beam at trunc(0.75 x 1080) mod 360 = 90.
  const FrameImage quarter = Render(black_, black_, 0.25f);
  EXPECT_EQ(Bgr(0, 0, 0), At(quarter, 1, 4));
  EXPECT_EQ(Bgr(0, 42, 0), At(quarter, 7, 4));
}

TEST_F(RadarTest, EchoColoursWorkedByHand) {
  // White: echo (255 - 165) x 255 / 165 = 139, g' = 139 / 255. At f = 0: (15 g', 136 g', 0);
  // at f = 0.5 (f^5 = 1/32): blue 247 / 32 + 8.18, green 181 / 32 + 74.1, red 255 / 32.
  // p = 0.25 shows echoes of A only, p = 0.75 of B only (the beam then at 270).
  EXPECT_EQ(Bgr(8, 74, 0), At(Render(white_, black_, 0.25f), 1, 4));
  EXPECT_EQ(Bgr(15, 79, 7), At(Render(white_, black_, 0.25f), 7, 4));
  EXPECT_EQ(Bgr(0, 42, 0), At(Render(white_, black_, 0.75f), 1, 4));  // trail only
  EXPECT_EQ(Bgr(8, 74, 0), At(Render(black_, white_, 0.75f), 7, 4));
  // p = 0.5: half of each, G = trunc(139 / 2) = 69: (trunc(4.06), trunc(36.8), 0).
  EXPECT_EQ(Bgr(4, 36, 0), At(Render(white_, black_, 0.5f), 4, 1));
  // Grey (integer mean) 165 gives no echo, 166 the echo 1, at f = 0.5.
  EXPECT_EQ(Bgr(0, 42, 0), At(Render(SolidFrame(9, 9, 200, 200, 97), black_, 0.25f), 7, 4));
  EXPECT_EQ(Bgr(8, 8, 7), At(Render(SolidFrame(9, 9, 166, 166, 166), black_, 0.25f), 7, 4));
}

TEST_F(RadarTest, ScenesFadeOutAndIn) {
  const FrameImage tinted = SolidFrame(9, 9, 200, 101, 7);
  // p = 0.1: A laid over with weight 0.5: half of A off the screen, half the trail (beam
  // 251, angle 90: 34) on black.
  EXPECT_EQ(Bgr(100, 50, 3), At(Render(tinted, black_, 0.1f), 0, 0));
  EXPECT_EQ(Bgr(0, 17, 0), At(Render(black_, black_, 0.1f), 1, 4));
  // p = 0.9: B with weight (0.9f - 0.8) x 5 = 0.49999988.
  EXPECT_EQ(Bgr(99, 50, 3), At(Render(black_, tinted, 0.9f), 0, 0));
  EXPECT_EQ(Bgr(0, 0, 0), At(Render(tinted, tinted, 0.5f), 0, 0));
}

TEST_F(RadarTest, FieldModeScreenIsRoundInPictureLines) {
  // 9 x 5 rows: 10 lines, centre line 5, radius 5 (2 without field mode).
  const FrameImage black = SolidFrame(9, 5, 0, 0, 0);
  const FrameImage field = Render(black, black, 0.5f, 1), plain = Render(black, black, 0.5f);
  EXPECT_EQ(Bgr(0, 6, 0), At(field, 1, 2));   // line 4: angle 90 + atan(1/3), f 0.1988
  EXPECT_EQ(Bgr(0, 42, 0), At(field, 4, 4));  // line 8: as (4, 7) of 9 x 9
  EXPECT_EQ(Bgr(0, 0, 0), At(plain, 1, 2));
  EXPECT_EQ(Bgr(0, 0, 0), At(plain, 4, 4));
}

TEST_F(RadarTest, RectangleContract) {
  for (int32_t field : {0, 1}) ExpectRectangleContract(test::Choose(0, field));
  // 2 x 2: only its pixel (1, 1), the centre, is on the screen (angle 90).
  const FrameImage out = RenderInRect(black_, black_, 0.5f, {}, 2, 1, 2, 2);
  EXPECT_EQ(Bgr(0, 10, 0), At(out, 3, 2));
  EXPECT_EQ(Bgr(0, 0, 0), At(out, 2, 1));
  EXPECT_EQ(Bgr(0, 0, 0), At(RenderInRect(black_, black_, 0.5f, {}, 3, 2, 1, 1), 3, 2));
}

}  // namespace
}  // namespace zk
