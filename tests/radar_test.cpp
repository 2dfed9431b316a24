// Radar: exact end points, the green trail and the echo colours worked out by hand on
// 9 x 9 frames, the echo threshold, the fades, field mode and rectangles.
#include <gtest/gtest.h>

#include <algorithm>

#include "direct_render_support.h"
#include "radar_screen.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::PixelIs;
using test::SolidFrame;

class RadarTest : public test::BuiltModuleTest {
 protected:
  RadarTest() : BuiltModuleTest("radar") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, int32_t field = 0) {
    return RenderWhole(a, b, p, test::Choose(0, field));
  }
};

TEST(RadarDescription, AllWordsZeroAndExtraMaskLeftToTheHost) {
  test::ExpectDescription("radar", {0, 0, 0, false, 0, 0, 0}, "雷达-外加", "外加",
                          "Simulation of Radar-screen");
}

TEST_F(RadarTest, EndPointsAreTheScenesExactly) {
  // At p = 1 the fade-in weight must be exactly 1; a weight of 0.99999994 leaves B - 1.
  for (int32_t w : {9, 16, 33}) {
    const FrameImage a = PatternFrame(w, 11, 1);
    const FrameImage b = PatternFrame(w, 11, 2);
    for (int32_t field : {0, 1}) {
      EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, field), a, w, 11)) << w;
      EXPECT_TRUE(test::SameRect(Render(a, b, 1.0f, field), b, w, 11)) << w;
    }
  }
}

TEST_F(RadarTest, TrailOnBlackHalfway) {
  // p = 0.5: beam at 180 degrees, no fades, no echoes on black. Centre (4, 4), radius 4.
  const FrameImage black = SolidFrame(9, 9, 0, 0, 0);
  const FrameImage out = Render(black, black, 0.5f);
  EXPECT_TRUE(PixelIs(out, 1, 4, 0, 10, 0));  // angle 90: f = 0.25, 170 f^2 = 10.6
  EXPECT_TRUE(PixelIs(out, 7, 4, 0, 95, 0));  // angle 270: f = 0.75, 95.6
  EXPECT_TRUE(PixelIs(out, 4, 7, 0, 42, 0));  // angle ~0: f ~ 0.5, 42.5
  EXPECT_TRUE(PixelIs(out, 4, 1, 0, 0, 0));   // angle ~180: just under the beam
  // Distance 4 = radius: off the screen, black where the trail would show 10 and 95.
  EXPECT_TRUE(PixelIs(out, 0, 4, 0, 0, 0));
  EXPECT_TRUE(PixelIs(out, 8, 4, 0, 0, 0));
  EXPECT_TRUE(PixelIs(out, 0, 0, 0, 0, 0));
}

TEST_F(RadarTest, BeamTurnsThreeTimes) {
  // p = 0.25: beam at trunc(0.75 x 1080) mod 360 = 90.
  const FrameImage black = SolidFrame(9, 9, 0, 0, 0);
  const FrameImage out = Render(black, black, 0.25f);
  EXPECT_TRUE(PixelIs(out, 1, 4, 0, 0, 0));   // under the beam
  EXPECT_TRUE(PixelIs(out, 7, 4, 0, 42, 0));  // half a turn behind
  EXPECT_EQ(90, MakeRadarTiming(0.25f).beamAngle);
  EXPECT_EQ(0, MakeRadarTiming(0.0f).beamAngle);  // 1080 mod 360
  EXPECT_EQ(251, MakeRadarTiming(0.1f).beamAngle);
}

TEST_F(RadarTest, EchoColoursOfAWhiteScene) {
  // White gives the echo (255 - 165) x 255 / 165 = 139, g' = 0.5451.
  const FrameImage white = SolidFrame(9, 9, 255, 255, 255);
  const FrameImage black = SolidFrame(9, 9, 0, 0, 0);
  // p = 0.25: echoes of A only (mix 1), so B's black plays no part.
  const FrameImage early = Render(white, black, 0.25f);
  EXPECT_TRUE(PixelIs(early, 1, 4, 8, 74, 0));   // f = 0: (15 g', 136 g', 0)
  EXPECT_TRUE(PixelIs(early, 7, 4, 15, 79, 7));  // f = 0.5, f^5 = 1/32
  EXPECT_TRUE(PixelIs(early, 0, 0, 0, 0, 0));    // off the screen
  // p = 0.75: echoes of B only; A's white plays no part and black B leaves the trail.
  const FrameImage late = Render(white, black, 0.75f);  // beam at 270
  EXPECT_TRUE(PixelIs(late, 7, 4, 0, 0, 0));
  EXPECT_TRUE(PixelIs(late, 1, 4, 0, 42, 0));
  const FrameImage lateB = Render(black, white, 0.75f);
  EXPECT_TRUE(PixelIs(lateB, 7, 4, 8, 74, 0));
  // p = 0.5: half of each, G = trunc(139 x 0.5) = 69; under the beam (4, 1): (4, 36, 0).
  const FrameImage halfway = Render(white, black, 0.5f);
  EXPECT_TRUE(PixelIs(halfway, 4, 1, 4, 36, 0));
}

TEST_F(RadarTest, EchoStartsAboveGrey165) {
  const FrameImage black = SolidFrame(9, 9, 0, 0, 0);
  // Beam at 90 (p = 0.25); pixel (7, 4) half a turn behind it, f = 0.5.
  EXPECT_TRUE(PixelIs(Render(SolidFrame(9, 9, 165, 165, 165), black, 0.25f), 7, 4, 0, 42, 0));
  EXPECT_TRUE(PixelIs(Render(SolidFrame(9, 9, 166, 166, 166), black, 0.25f), 7, 4, 8, 8, 7));
  // The grey is the integer mean of the three bytes: (255 + 255 + 0) / 3 = 170, echo 7.
  EXPECT_EQ(7, EchoOf(PixelAt(SolidFrame(1, 1, 255, 255, 0), 0, 0)));
  EXPECT_EQ(139, EchoOf(PixelAt(SolidFrame(1, 1, 255, 255, 255), 0, 0)));
  EXPECT_EQ(0, EchoOf(PixelAt(SolidFrame(1, 1, 200, 200, 97), 0, 0)));  // grey 165
}

TEST_F(RadarTest, ScenesFadeOutAndIn) {
  const FrameImage black = SolidFrame(9, 9, 0, 0, 0);
  const FrameImage tinted = SolidFrame(9, 9, 200, 101, 7);
  // p = 0.1: A over the screen with weight 0.5. Off the screen: half of A.
  const FrameImage early = Render(tinted, black, 0.1f);
  EXPECT_TRUE(PixelIs(early, 0, 0, 100, 50, 3));
  // A black A over the trail (beam 251, angle 90: 170 f^2 = 34) halves the trail.
  const FrameImage earlyBlack = Render(black, black, 0.1f);
  EXPECT_TRUE(PixelIs(earlyBlack, 1, 4, 0, 17, 0));
  // p = 0.9: B with weight (0.9f - 0.8) x 5 = 0.49999988, so 200 -> 99, 101 -> 50, 7 -> 3.
  const FrameImage late = Render(black, tinted, 0.9f);
  EXPECT_TRUE(PixelIs(late, 0, 0, 99, 50, 3));
  // Between the fades the corners are black whatever the scenes.
  EXPECT_TRUE(PixelIs(Render(tinted, tinted, 0.5f), 0, 0, 0, 0, 0));
}

TEST_F(RadarTest, FieldModeScreenIsRoundInPictureLines) {
  // 9 x 5 rows in field mode: 10 lines, centre line 5, radius 5.
  const FrameImage black = SolidFrame(9, 5, 0, 0, 0);
  const FrameImage field = Render(black, black, 0.5f, 1);
  const FrameImage plain = Render(black, black, 0.5f, 0);
  // Row 2 samples line 4 (dy = 1): at x = 1 the distance is 3.2, on the screen:
  // angle 90 + atan(1/3) = 108.4, f = 0.1988, 170 f^2 = 6.7.
  EXPECT_TRUE(PixelIs(field, 1, 2, 0, 6, 0));
  EXPECT_TRUE(PixelIs(plain, 1, 2, 0, 0, 0));  // radius 2 without field mode
  // Row 4 samples line 8 (dy = -3): the 9 x 9 value at (4, 7).
  EXPECT_TRUE(PixelIs(field, 4, 4, 0, 42, 0));
  EXPECT_TRUE(PixelIs(plain, 4, 4, 0, 0, 0));
}

TEST_F(RadarTest, TinyRectangles) {
  const FrameImage black = SolidFrame(5, 5, 0, 0, 0);
  // 1 x 1: radius 0, off the screen.
  FrameImage out = MakeFrameImage(5, 5, 0x99);
  ASSERT_EQ(1, test::RenderRect(effect_, black, black, 0.5f, 3, 2, 1, 1, &out));
  EXPECT_TRUE(PixelIs(out, 3, 2, 0, 0, 0));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 3, 2, 1, 1, 0x99));
  // 2 x 2: only the centre pixel (1, 1) of the rectangle is on the screen, at angle 90.
  out = MakeFrameImage(5, 5, 0x99);
  ASSERT_EQ(1, test::RenderRect(effect_, black, black, 0.5f, 2, 1, 2, 2, &out));
  EXPECT_TRUE(PixelIs(out, 3, 2, 0, 10, 0));
  EXPECT_TRUE(PixelIs(out, 2, 1, 0, 0, 0));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 2, 1, 2, 2, 0x99));
  // On black scenes the trail and the off-screen pixels both have a blue byte of 0.
  EXPECT_TRUE(TinyRectanglesFilled(SolidFrame(6, 6, 0, 0, 0), SolidFrame(6, 6, 0, 0, 0), 0.6f,
                                   test::Choose(0), {0}));
}

TEST_F(RadarTest, RectangleAwayFromTheOriginMatchesTheSameFramesCropped) {
  // Scene A with a bright diagonal so that echoes show.
  FrameImage a = PatternFrame(30, 24, 3);
  const FrameImage b = SolidFrame(30, 24, 250, 250, 250);
  for (int32_t i = 0; i < 30; ++i) std::fill_n(PixelAt(a, i, i % 24), 3, uint8_t{240});
  for (int32_t field : {0, 1}) {
    for (float p : {0.1f, 0.4f, 0.5f, 0.6f, 0.95f}) {
      EXPECT_TRUE(RectMatchesCropped(a, b, p, test::Choose(0, field), 6, 5, 17, 15));
    }
  }
}

TEST(RadarTiming, MixAndFadeWeights) {
  EXPECT_EQ(1.0f, MakeRadarTiming(0.0f).fadeA);
  EXPECT_EQ(0.0f, MakeRadarTiming(0.2f).fadeA);
  EXPECT_EQ(1.0f, MakeRadarTiming(1.0f).fadeB);
  EXPECT_EQ(0.0f, MakeRadarTiming(0.8f).fadeB);
  EXPECT_EQ(1.0, MakeRadarTiming(0.3f).echoMix);
  EXPECT_EQ(0.0, MakeRadarTiming(0.7f).echoMix);
  EXPECT_NEAR(0.5, MakeRadarTiming(0.5f).echoMix, 1e-7);
}

TEST_F(RadarTest, WildProgressIsHeldToTheEnds) {
  const FrameImage a = PatternFrame(24, 8, 4);
  const FrameImage b = PatternFrame(24, 8, 5);
  for (int32_t field : {0, 1}) EXPECT_TRUE(WildProgressHeldToEnds(a, b, test::Choose(0, field)));
}

}  // namespace
}  // namespace zk
