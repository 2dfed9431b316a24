// Dream through its module: the sway worked out by hand on a 60 x 75 frame, the frame
// counter the module keeps from call to call, end points, narrow and tiny rectangles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dream_counter.h"
#include "image_files.h"
#include "reshaped_frames.h"
#include "test_support.h"

namespace zk {
namespace {

using test::BlendByte;
using test::OutsideRectUntouched;
using test::PatternFrame;

// 60 x 75: the sine has a half period of 60 / 17 = 3 rows and an amplitude of 75 / 15 = 5
// pixels, moves 75 / 70 = 1 row per frame, and tapers over trunc(60 x 0.05) = 3 columns.
constexpr int32_t kW = 60, kH = 75;

// Scene A codes column and row (blue 2x, green 2 row), B is plain: at p = 0.5 an output
// pixel reads (source column, row, 100).
FrameImage ColumnCodedA() {
  FrameImage f = MakeFrameImage(kW, kH);
  for (int32_t row = 0; row < kH; ++row)
    for (int32_t x = 0; x < kW; ++x) {
      PixelAt(f, x, row)[0] = static_cast<uint8_t>(2 * x);
      PixelAt(f, x, row)[1] = static_cast<uint8_t>(2 * row);
    }
  return f;
}

// sin(k x 3.1415926 / 3) x 5 truncates to 0, 4, 4, 0, -4, -4 for k = 0..5 (+-4.33; the
// near-zeros at k = 3 and 6 truncate to 0), k = row + phase.
int32_t SwayOfK(int32_t k) {
  static const int32_t kSway[6] = {0, 4, 4, 0, -4, -4};
  return kSway[k % 6];
}

// Source columns m = trunc(j + g t), t = l / 3 as a float near the edges (0, 1/3, 2/3),
// held inside 0..59. Worked by hand for g = 4: 1 + 1.33 -> 2, 2 + 2.67 -> 4; for g = -4:
// 58 - 2.67 -> 55, 59 - 1.33 -> 57.
std::vector<int32_t> SourceColumns(int32_t g) {
  std::vector<int32_t> m(kW);
  for (int32_t j = 1; j < kW; ++j) m[j] = std::clamp(j + g, 0, kW - 1);
  if (g == 4) m[1] = 2, m[2] = 4;
  if (g == -4) m[58] = 55, m[59] = 57;
  return m;
}

class DreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::OpenBuiltEffect("dream", &effect_));
    // A fall in progress restarts the count at 0; the next call is then frame 1.
    Render(1.0f);
    Render(0.0f);
  }
  void TearDown() override { CloseEffect(&effect_); }

  FrameImage Render(float p, int32_t requestMode = 0) {
    FrameImage out = MakeFrameImage(kW, kH);
    RenderChoices c;
    c.requestMode = requestMode;
    EXPECT_EQ(requestMode == 1 ? 0 : 1, RenderEffectFrame(effect_, a_, b_, p, c, &out));
    return out;
  }

  // Rows 0..11 of a p = 0.5 frame against the sway of the sine moved by `phase` rows.
  static void ExpectSway(const FrameImage& out, int32_t phase) {
    for (int32_t row = 0; row < 12; ++row) {
      const std::vector<int32_t> m = SourceColumns(SwayOfK(row + phase));
      for (int32_t j = 0; j < kW; ++j) {
        const uint8_t* px = PixelAt(out, j, row);
        ASSERT_EQ(m[j], px[0]) << "row " << row << " column " << j << " phase " << phase;
        ASSERT_EQ(row, px[1]);
        ASSERT_EQ(100, px[2]);
      }
    }
  }

  HostedEffect effect_;
  FrameImage a_ = ColumnCodedA();
  FrameImage b_ = test::SolidFrame(kW, kH, 0, 0, 200);
};

TEST_F(DreamTest, FirstFrameSwaysRowsByHand) { ExpectSway(Render(0.5f), 1); }

TEST_F(DreamTest, CountMovesTheSineAndRestartsOnAFall) {
  Render(0.5f, 1);  // declined calls do not count
  Render(0.5f);
  ExpectSway(Render(0.5f), 2);  // the same progress again counts too
  Render(0.5f);
  Render(0.5f);
  ExpectSway(Render(0.5f), 5);
  Render(0.6f);
  ExpectSway(Render(0.5f), 0);  // 0.5 < 0.6: count 0
}

TEST_F(DreamTest, EndsAreExactAndNarrowOrTinyRectanglesCrossfadeInPlace) {
  const FrameImage a = PatternFrame(64, 80, 11), b = PatternFrame(64, 80, 12);
  for (int pass = 0; pass < 2; ++pass) {
    FrameImage out = MakeFrameImage(64, 80);
    ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 0.0f, RenderChoices(), &out));
    EXPECT_TRUE(test::SamePicture(a, out));
    ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 1.0f, RenderChoices(), &out));
    EXPECT_TRUE(test::SamePicture(b, out));
  }
  // Under 20 columns there is no taper zone (under 17 no sine period): no sway, no fault.
  struct Rect {
    int32_t w, h;
  };
  for (Rect r : {Rect{1, 75}, Rect{16, 75}, Rect{17, 75}, Rect{19, 75}, Rect{1, 1}, Rect{2, 2},
                 Rect{3, 5}}) {
    FrameImage out = MakeFrameImage(64, 80, 0x5C);
    ASSERT_EQ(1, test::RenderRect(effect_, a, b, 0.5f, 4, 3, r.w, r.h, &out));
    EXPECT_TRUE(OutsideRectUntouched(out, 4, 3, r.w, r.h, 0x5C));
    for (int32_t row = 3; row < 3 + r.h; ++row)
      for (int32_t i = 12; i < 12 + 3 * r.w; ++i) {
        const size_t at = static_cast<size_t>(row) * a.stride + i;
        ASSERT_EQ(BlendByte(a.pixels[at], b.pixels[at], 0.5, 0.5), out.pixels[at]) << r.w;
      }
  }
}

TEST(DreamCounter, WrapsInsteadOfOverflowing) {
  DreamCounter c = {0.25f, 0xFFFFFFFFu};
  AdvanceDreamCounter(&c, 0.25f);
  EXPECT_EQ(0u, c.frameCount);
  AdvanceDreamCounter(&c, 0.5f);
  EXPECT_EQ(1u, c.frameCount);
  EXPECT_EQ(0.5f, c.lastProgress);
}

TEST(DreamCli, FramesOfOneRunSwayDifferently) {
  const std::string from = test::TempPath("dream_a.bmp"), to = test::TempPath("dream_b.bmp");
  std::string error;
  ASSERT_TRUE(WriteImageFile(from, ColumnCodedA(), &error)) << error;
  ASSERT_TRUE(WriteImageFile(to, test::SolidFrame(kW, kH, 0, 0, 200), &error)) << error;
  const std::string outputs[2] = {test::TempPath("dream_00.bmp"), test::TempPath("dream_01.bmp")};
  // A run that writes nothing must not pass on an earlier run's frames.
  for (const std::string& out : outputs) std::remove(out.c_str());
  ASSERT_EQ(0, test::RunZelkor("render dream --from " + from + " --to " + to + " --out " +
                               test::TempPath("dream_%02d.bmp") + " --sequence 0.5,0.5"));
  FrameImage first, second;
  ASSERT_TRUE(ReadBmp24(outputs[0], &first, &error)) << error;
  ASSERT_TRUE(ReadBmp24(outputs[1], &second, &error)) << error;
  // Frames 1 and 2 of the count: row 1 sways by +4 (k = 2), then stays (k = 3).
  EXPECT_EQ(7, PixelAt(first, 3, 1)[0]);
  EXPECT_EQ(3, PixelAt(second, 3, 1)[0]);
}

}  // namespace
}  // namespace zk
