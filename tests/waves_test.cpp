// Waves: ring levels worked by hand on a 64 x 48 frame for both variants, the end points,
// narrow rectangles without rings, depth held at 0 beyond 2R, field mode as every other
// picture line, requestMode ignored, the rectangle contract and the description words.
#include <gtest/gtest.h>

#include <cstring>

#include "direct_render_support.h"
#include "test_support.h"
#include "waves_rings.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::PixelIs;
using test::SolidFrame;

constexpr uint32_t kOutward = 0x10000;
constexpr uint32_t kInward = 0x20000;

class WavesTest : public test::BuiltModuleTest {
 protected:
  WavesTest() : BuiltModuleTest("waves") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0, int32_t requestMode = 0) {
    return RenderWhole(a, b, p, test::Choose(variant, field, 0, requestMode));
  }
};

TEST(WavesDescription, VariantWordsAndNames) {
  test::ExpectDescription("waves", {0x30000, 0x10000, 0x20000, true, 0, 0, 0}, "波纹-Zelkor",
                          "A外加", "波形运动从屏幕中间到边框");
}

// 64 x 48 at p = 0.3: hw 32, hh 24, R 24, R8 3, a = 0.6; O = trunc(0.7 x 24) = 16 for
// 0x10000 and trunc(24 x 0.3) = 7 for 0x20000 (half a ring period apart).
TEST(WavesRings, FrameConstants) {
  const WavesFrame out = MakeWavesFrame(64, 48, 0.3f, kOutward);
  EXPECT_EQ(32, out.halfWidth);
  EXPECT_EQ(24, out.halfLines);
  EXPECT_EQ(24, out.radius);
  EXPECT_EQ(3, out.ringStep);
  EXPECT_EQ(16, out.phase);
  EXPECT_NEAR(0.6, out.amplitude, 1e-7);
  EXPECT_EQ(7, MakeWavesFrame(64, 48, 0.3f, kInward).phase);
  EXPECT_EQ(16, MakeWavesFrame(64, 48, 0.3f, 0).phase);  // no bit: as 0x10000
  EXPECT_EQ(0, MakeWavesFrame(1, 48, 0.3f, kOutward).radius);
}

TEST(WavesRings, DepthAndLevelsByHand) {
  const WavesFrame out = MakeWavesFrame(64, 48, 0.3f, kOutward);
  // K = trunc(0.6 x (48 - D) x 255 / 48).
  EXPECT_EQ(153, WaveDepth(out, 0));
  EXPECT_EQ(143, WaveDepth(out, 3));
  EXPECT_EQ(121, WaveDepth(out, 10));
  EXPECT_EQ(0, WaveDepth(out, 48));
  EXPECT_EQ(0, WaveDepth(out, 70));  // beyond 2R: held at 0
  // D 0: sin(18.5 x 3.14 / 3) = -0.508, M = 0.492 x 76 = 37.4; q = trunc(102 x 0.3 + 37).
  EXPECT_EQ(67, WaveMixLevel(out, 0));
  // D 3: sin(21.4567) = 0.509, M = 1.509 x 71 = 107.2; q = trunc(112 x 0.3 + 107).
  EXPECT_EQ(140, WaveMixLevel(out, 3));
  // D 10: sin(28.7833) = -0.487, M = 0.513 x 60 = 30.8; q = trunc(134 x 0.3 + 30).
  EXPECT_EQ(70, WaveMixLevel(out, 10));
  const WavesFrame in = MakeWavesFrame(64, 48, 0.3f, kInward);
  EXPECT_EQ(144, WaveMixLevel(in, 0));   // sin(8.8967) = 0.504, M = 114.3
  EXPECT_EQ(68, WaveMixLevel(in, 3));    // sin(12.0367) = -0.505, M = 35.1
  EXPECT_EQ(129, WaveMixLevel(in, 10));  // sin(19.3633) = 0.491, M = 89.5
}

TEST(WavesRings, NarrowAndFlatFrames) {
  // 10 x 10 at p = 0.5: R 5, R8 0, no rings: q = trunc((255 - K) x 0.5), K = trunc((10 - D)
  // x 25.5).
  const WavesFrame f = MakeWavesFrame(10, 10, 0.5f, kOutward);
  EXPECT_EQ(0, f.ringStep);
  EXPECT_EQ(0, WaveMixLevel(f, 0));
  EXPECT_EQ(13, WaveMixLevel(f, 1));
  EXPECT_EQ(64, WaveMixLevel(f, 5));
  EXPECT_EQ(127, WaveMixLevel(f, 10));  // D = 2R at p = 0.5
  // A single column or line has R = 0: a plain crossfade, no division by zero.
  const WavesFrame line = MakeWavesFrame(1, 30, 0.6f, kInward);
  EXPECT_EQ(0, WaveDepth(line, 3));
  EXPECT_EQ(153, WaveMixLevel(line, 3));
}

TEST_F(WavesTest, HandWorkedPixels) {
  const FrameImage a = SolidFrame(64, 48, 200, 0, 255);
  const FrameImage b = SolidFrame(64, 48, 100, 255, 0);
  // out = trunc(A (255 - q) / 255) + trunc(B q / 255) per byte.
  const FrameImage out = Render(a, b, 0.3f, kOutward);
  EXPECT_TRUE(PixelIs(out, 32, 24, 173, 67, 188));   // centre, q 67
  EXPECT_TRUE(PixelIs(out, 35, 24, 144, 140, 115));  // D 3, q 140
  EXPECT_TRUE(PixelIs(out, 32, 14, 172, 70, 185));   // D 10, q 70
  const FrameImage in = Render(a, b, 0.3f, kInward);
  EXPECT_TRUE(PixelIs(in, 32, 24, 143, 144, 111));
  EXPECT_TRUE(PixelIs(in, 29, 24, 172, 68, 187));  // D 3 on the other side
  EXPECT_TRUE(PixelIs(in, 32, 34, 148, 129, 126));
}

TEST_F(WavesTest, FarCornersOfWideFramesAreAPlainCrossfade) {
  // 64 x 8: R 4, so column 0 (D >= 32) is far beyond 2R; K is held at 0 there and q is
  // trunc(255 x 0.5) = 127: 200 x 128 / 255 = 100, 100 x 127 / 255 = 49.
  const FrameImage out =
      Render(SolidFrame(64, 8, 200, 200, 200), SolidFrame(64, 8, 100, 100, 100), 0.5f, kOutward);
  for (int32_t row = 0; row < 8; ++row) EXPECT_TRUE(PixelIs(out, 0, row, 149, 149, 149));
}

TEST_F(WavesTest, EndPointsShowOneSceneExactly) {
  for (int32_t w : {1, 33, 64}) {
    for (int32_t h : {1, 40}) {
      const FrameImage a = PatternFrame(w, h, 21);
      const FrameImage b = PatternFrame(w, h, 22);
      for (uint32_t variant : {kOutward, kInward}) {
        for (int32_t field : {0, 1}) {
          SCOPED_TRACE(::testing::Message() << w << "x" << h << " " << variant << " " << field);
          EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, variant, field), a, w, h));
          EXPECT_TRUE(test::SameRect(Render(a, b, 1.0f, variant, field), b, w, h));
        }
      }
    }
  }
}

// In field mode row r stands for picture line 2r: the frame is the even lines of a frame
// twice as tall rendered without field mode.
TEST_F(WavesTest, FieldModeRowsAreEveryOtherPictureLine) {
  const FrameImage a = PatternFrame(48, 20, 25);
  const FrameImage b = PatternFrame(48, 20, 26);
  FrameImage tallA = MakeFrameImage(48, 40);
  FrameImage tallB = MakeFrameImage(48, 40);
  for (int32_t row = 0; row < 40; ++row) {
    std::memcpy(PixelAt(tallA, 0, row), PixelAt(a, 0, row / 2), 48 * 3);
    std::memcpy(PixelAt(tallB, 0, row), PixelAt(b, 0, row / 2), 48 * 3);
  }
  for (float p : {0.2f, 0.5f, 0.77f}) {
    for (uint32_t variant : {kOutward, kInward}) {
      const FrameImage field = Render(a, b, p, variant, 1);
      const FrameImage tall = Render(tallA, tallB, p, variant, 0);
      for (int32_t row = 0; row < 20; ++row) {
        ASSERT_EQ(0, std::memcmp(PixelAt(field, 0, row), PixelAt(tall, 0, 2 * row), 48 * 3))
            << "row " << row << " p " << p;
      }
      // And it is not simply the frame rendered without field mode.
      EXPECT_FALSE(test::SameRect(field, Render(a, b, p, variant, 0), 48, 20));
    }
  }
}

TEST_F(WavesTest, FieldModeCentreIsOnRowHalfTheHeight) {
  // 64 x 24 rows in field mode: 48 lines, the same rings as the 64 x 48 frame above; the
  // centre (q 67 at p = 0.3) lies on row 12.
  const FrameImage out =
      Render(SolidFrame(64, 24, 200, 0, 255), SolidFrame(64, 24, 100, 255, 0), 0.3f, kOutward, 1);
  EXPECT_TRUE(PixelIs(out, 32, 12, 173, 67, 188));
  EXPECT_TRUE(PixelIs(out, 32, 7, 172, 70, 185));  // line 14: D 10
}

TEST_F(WavesTest, RequestModeIsNotRead) {
  const FrameImage a = PatternFrame(30, 20, 27);
  const FrameImage b = PatternFrame(30, 20, 28);
  for (int32_t mode : {1, 2, -1}) {
    FrameImage out = MakeFrameImage(30, 20, 0xC5);
    ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 0.4f, test::Choose(kInward, 0, 0, mode), &out));
    EXPECT_TRUE(test::SameRect(out, Render(a, b, 0.4f, kInward), 30, 20)) << mode;
  }
}

TEST_F(WavesTest, RectangleContract) {
  for (uint32_t variant : {kOutward, kInward}) {
    for (int32_t field : {0, 1}) ExpectRectangleContract(test::Choose(variant, field));
  }
}

}  // namespace
}  // namespace zk
