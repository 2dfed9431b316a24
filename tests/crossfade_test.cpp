// Crossfade through its real entry points: hand-worked bytes, exact end points,
// rectangles, and the table kernel against the plain formula.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "pixel_rows.h"
#include "test_support.h"

namespace zk {
namespace {

using namespace test;

class CrossfadeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("crossfade", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }
  HostedEffect effect_;
};

TEST_F(CrossfadeTest, HandWorkedBytes) {
  FrameImage black = SolidFrame(3, 2, 0, 0, 0);
  FrameImage white = SolidFrame(3, 2, 255, 255, 255);
  FrameImage out = MakeFrameImage(3, 2);
  ASSERT_EQ(1, RenderEffectFrame(effect_, black, white, 0.5f, RenderChoices(), &out));
  for (int32_t row = 0; row < 2; ++row)
    for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(127, out.pixels[row * out.stride + i]);

  FrameImage a = SolidFrame(3, 2, 200, 200, 200);
  FrameImage b = SolidFrame(3, 2, 100, 100, 100);
  ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 0.25f, RenderChoices(), &out));
  for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(175, out.pixels[i]);
  // Row padding (3 pixels = 9 bytes, stride 12) keeps its zero bytes.
  for (int32_t i = 9; i < 12; ++i) EXPECT_EQ(0, out.pixels[i]);
}

TEST_F(CrossfadeTest, EndPointsCopyTheScenesExactly) {
  const FrameImage a = PatternFrame(13, 7, 1);
  const FrameImage b = PatternFrame(13, 7, 2);
  FrameImage out = MakeFrameImage(13, 7);
  ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 0.0f, RenderChoices(), &out));
  for (int32_t row = 0; row < 7; ++row)
    for (int32_t i = 0; i < 39; ++i)
      ASSERT_EQ(a.pixels[row * a.stride + i], out.pixels[row * out.stride + i]);
  ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 1.0f, RenderChoices(), &out));
  for (int32_t row = 0; row < 7; ++row)
    for (int32_t i = 0; i < 39; ++i)
      ASSERT_EQ(b.pixels[row * b.stride + i], out.pixels[row * out.stride + i]);
}

TEST_F(CrossfadeTest, EveryByteIsTheTruncatedDoubleBlend) {
  const FrameImage a = PatternFrame(17, 5, 3);
  const FrameImage b = PatternFrame(17, 5, 4);
  for (float p : {1e-7f, 0.1f, 0.3333333f, 0.5f, 0.9f, 0.99999994f}) {
    FrameImage out = MakeFrameImage(17, 5);
    ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, p, RenderChoices(), &out));
    for (int32_t row = 0; row < 5; ++row) {
      for (int32_t i = 0; i < 51; ++i) {  // the last pixel of the row included
        const size_t at = static_cast<size_t>(row) * a.stride + i;
        const double d = (1.0 - p) * a.pixels[at] + static_cast<double>(p) * b.pixels[at];
        ASSERT_EQ(static_cast<int>(std::trunc(d)), out.pixels[at]) << "p=" << p << " row " << row;
      }
    }
  }
}

TEST_F(CrossfadeTest, RectangleAtColumn7Row3StartsAtTheRightByte) {
  // Width 10: stride 32. Pixel (7, 3) starts at byte 3 * 32 + 21 = 117 in all three frames.
  const FrameImage a = SolidFrame(10, 6, 10, 20, 30);
  const FrameImage b = SolidFrame(10, 6, 110, 120, 130);
  FrameImage out = MakeFrameImage(10, 6, 0xEE);
  ASSERT_EQ(1, RenderRect(effect_, a, b, 0.5f, 7, 3, 1, 1, &out));
  EXPECT_EQ(60, out.pixels[117]);
  EXPECT_EQ(70, out.pixels[118]);
  EXPECT_EQ(80, out.pixels[119]);
  EXPECT_TRUE(OutsideRectUntouched(out, 7, 3, 1, 1, 0xEE));
}

TEST_F(CrossfadeTest, BytesOutsideTheRectangleAreNeverWritten) {
  for (int32_t width : {1, 5, 6, 7}) {
    const FrameImage a = PatternFrame(width, 9, 5);
    const FrameImage b = PatternFrame(width, 9, 6);
    for (float p : {0.0f, 0.4f, 1.0f}) {
      FrameImage out = MakeFrameImage(width, 9, 0x5A);
      const int32_t left = width > 2 ? 1 : 0;
      const int32_t w = width > 2 ? width - 2 : width;
      ASSERT_EQ(1, RenderRect(effect_, a, b, p, left, 2, w, 5, &out));
      EXPECT_TRUE(OutsideRectUntouched(out, left, 2, w, 5, 0x5A)) << width << " " << p;
    }
  }
}

TEST_F(CrossfadeTest, EmptyRectangleWritesNothingAndSucceeds) {
  const FrameImage a = PatternFrame(8, 8, 7);
  const FrameImage b = PatternFrame(8, 8, 8);
  for (float p : {0.0f, 0.5f, 1.0f}) {
    FrameImage out = MakeFrameImage(8, 8, 0x33);
    EXPECT_EQ(1, RenderRect(effect_, a, b, p, 2, 2, 0, 4, &out));
    EXPECT_EQ(1, RenderRect(effect_, a, b, p, 2, 2, 4, 0, &out));
    EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, 0x33));
  }
}

TEST_F(CrossfadeTest, RequestMode1DeclinesAndWritesNothing) {
  const FrameImage a = PatternFrame(8, 4, 9);
  const FrameImage b = PatternFrame(8, 4, 10);
  FrameImage out = MakeFrameImage(8, 4, 0x77);
  RenderChoices choices;
  choices.requestMode = 1;
  EXPECT_EQ(0, RenderEffectFrame(effect_, a, b, 0.5f, choices, &out));
  EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, 0x77));
  choices.requestMode = 2;  // only 1 declines
  EXPECT_EQ(1, RenderEffectFrame(effect_, a, b, 0.5f, choices, &out));
}

TEST(CrossfadeKernel, TablePathMatchesPlainFormulaByteForByte) {
  std::mt19937 rng(12345);
  std::vector<uint8_t> a(4099), b(4099), fast(4099), plain(4099);
  for (size_t i = 0; i < a.size(); ++i) {
    a[i] = static_cast<uint8_t>(rng());
    b[i] = static_cast<uint8_t>(rng());
  }
  for (int k = 0; k < 2000; ++k) {
    const float p = static_cast<float>(rng()) / static_cast<float>(rng.max());
    ByteBlendTable table;
    MakeCrossfadeTable(p, &table);
    BlendRowWithTable(fast.data(), a.data(), b.data(), static_cast<int32_t>(a.size()), table);
    CrossfadeRowPlain(plain.data(), a.data(), b.data(), static_cast<int32_t>(a.size()), p);
    ASSERT_EQ(plain, fast) << "p=" << p;
    // Every length, so the vector loop and the tail both meet every alignment.
    const int32_t n = k % 64;
    std::vector<uint8_t> simd(4099, 0xEE);
    CrossfadeRowSse2(simd.data() + 1, a.data(), b.data(), n, p);
    for (int32_t i = 0; i < n; ++i) ASSERT_EQ(plain[i], simd[i + 1]) << "p=" << p << " n=" << n;
    ASSERT_EQ(0xEE, simd[n + 1]);
    CrossfadeRowSse2(simd.data(), a.data(), b.data(), static_cast<int32_t>(a.size()), p);
    ASSERT_EQ(plain, simd) << "p=" << p;
  }
}

}  // namespace
}  // namespace zk
