// Curtain: the fold table worked out by hand, the flat curtain at the start, shaded and
// scaled columns, both variants, each shadow choice, black cloth, the fold table's scratch
// memory, stages too narrow for folds and the rectangle contract.
#include <gtest/gtest.h>

#include <tuple>

#include "curtain_folds.h"
#include "curtain_render.h"
#include "direct_render_support.h"

namespace zk {
namespace {

using test::At;
using test::Bgr;
using test::PatternFrame;
using test::SolidFrame;
constexpr uint32_t kOpens = 0x100, kCloses = 0x200;

class CurtainTest : public test::BuiltModuleTest {
 protected:
  CurtainTest() : BuiltModuleTest("curtain") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    uint32_t extra) {
    return RenderWhole(a, b, p, test::Choose(variant, 0, extra));
  }
};

TEST(CurtainDescription, WordsAndNames) {
  test::ExpectDescription("curtain", {0x300, 0x100, 0x200, true, 0x70, 0x20, 0x20}, "窗帘-Zelkor",
                          "A外加", "3d-Curtain is opening");
}

TEST(CurtainFolds, TableWorkedByHand) {
  // W = 50, t = 0.25: n = trunc(0.75 x 25) = 18, period 3.5, amplitude 1.
  ASSERT_EQ(18, CurtainHalfColumns(50, 0.25f));
  FoldEntry f[18];
  BuildFoldTable(50, 0.25f, f, 18);
  // z1 = 1 - sin(3.14159 / 3.5) = 0.218169, a1 = sqrt(0.781831^2 + 1), slope -38.0194
  // degrees: h1 = 1 - 6.9806 / 45; z3 rises again (slope +28.415): h3 = -(1 - 16.585 / 45).
  EXPECT_NEAR(0.218169, f[1].depth, 1e-5);
  EXPECT_NEAR(1.269354, f[1].arc, 1e-5);
  EXPECT_NEAR(0.844876, f[1].shade, 1e-5);
  EXPECT_NEAR(1.000623, f[1].scale, 1e-6);
  EXPECT_NEAR(2.287827, f[2].arc, 1e-5);
  EXPECT_NEAR(-0.631451, f[3].shade, 1e-5);
  // Entry 0 lies at full depth 2M - M = 1 and borrows entry 1's arc and shade.
  EXPECT_EQ(1.0f, f[0].depth);
  EXPECT_EQ(f[1].arc, f[0].arc);
  EXPECT_EQ(f[1].shade, f[0].shade);
  // Closed (t = 0): flat cloth with a shade of exactly 0, arcs 1, 1, 2, 3, ...
  BuildFoldTable(80, 0.0f, f, 18);
  for (int32_t i = 0; i < 18; ++i) {
    EXPECT_TRUE(f[i].depth == 0 && f[i].shade == 0 && f[i].scale == 1) << i;
    EXPECT_EQ(static_cast<float>(i == 0 ? 1 : i), f[i].arc);
  }
}

TEST_F(CurtainTest, EndPointsAndTheFlatCurtain) {
  // Closed, left column i shows cloth column i + 1 (the last its own), right column
  // W - n + i shows W/2 + i (the first W/2 + 1); an odd middle column stays uncovered.
  for (int32_t w : {12, 13}) {
    const FrameImage a = PatternFrame(w, 6, 3), b = PatternFrame(w, 6, 4);
    EXPECT_TRUE(test::SameRect(Render(a, b, 1.0f, kOpens, 0x20), b, b.width, b.height));
    EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, kCloses, 0x20), a, a.width, a.height));
    const FrameImage open = Render(a, b, 0.0f, kOpens, 0), close = Render(a, b, 1.0f, kCloses, 0);
    const int32_t n = w / 2;
    for (int32_t row = 0; row < 6; ++row) {
      for (int32_t i = 0; i < n; ++i) {
        const int32_t left = i == n - 1 ? i : i + 1, right = i == 0 ? n + 1 : n + i;
        EXPECT_EQ(At(a, left, row), At(open, i, row));
        EXPECT_EQ(At(b, left, row), At(close, i, row));
        EXPECT_EQ(At(a, right, row), At(open, w - n + i, row));
        EXPECT_EQ(At(b, right, row), At(close, w - n + i, row));
      }
      if (w % 2 == 1) {
        EXPECT_EQ(At(b, n, row), At(open, n, row));
      }
    }
  }
}

TEST_F(CurtainTest, ShadedAndScaledColumnsWorkedByHand) {
  // W = 50, H = 10, p = 0.25: halves of 18 columns. Entry 1 (scale 1.000623) maps y = 5 and
  // 6 to row 5, y = 9 to row 8, so row 9 shows the background.
  FrameImage cloth = SolidFrame(50, 10, 100, 100, 100);
  for (int32_t c = 0; c < 50; ++c) PixelAt(cloth, c, 0)[0] = static_cast<uint8_t>(2 * c + 1);
  const FrameImage back = SolidFrame(50, 10, 7, 9, 11);
  const FrameImage out = Render(cloth, back, 0.25f, kOpens, 0);
  // Right column 33: cloth column 26, times 1 + 0.75 h1 = 1.63366 (blue 53 -> 86).
  EXPECT_EQ(Bgr(163, 163, 163), At(out, 33, 4));
  EXPECT_EQ(Bgr(86, 163, 163), At(out, 33, 0));
  EXPECT_EQ(Bgr(7, 9, 11), At(out, 33, 9));
  // Left column 16: cloth column 24, times 1 - 0.75 h1 = 0.36634 (blue 49 -> 17).
  EXPECT_EQ(Bgr(36, 36, 36), At(out, 16, 4));
  EXPECT_EQ(Bgr(17, 36, 36), At(out, 16, 0));
  for (int32_t x = 17; x < 33; ++x) EXPECT_EQ(x == 17 || x == 32, At(out, x, 4) != Bgr(7, 9, 11));
  // Closing at p is opening at 1 - p with the scenes' roles swapped.
  const FrameImage a = PatternFrame(40, 12, 5), b = PatternFrame(40, 12, 6);
  EXPECT_EQ(Render(b, a, 0.25f, kOpens, 0x20).pixels, Render(a, b, 0.75f, kCloses, 0x20).pixels);
}

TEST_F(CurtainTest, ShadowOffsetOfEachExtraChoice) {
  // 120 x 70: divisor 20 -> (6, 3), 35 -> (3, 2), 60 -> (2, 1), bit 0x40 before 0x10 before
  // 0x20. An uncovered pixel whose (x - ox, row + oy) is cloth shows the background halved.
  const FrameImage cloth = SolidFrame(120, 70, 200, 180, 160),
                   back = SolidFrame(120, 70, 41, 60, 81);
  const FrameImage plain = Render(cloth, back, 0.5f, kOpens, 0);
  auto isCloth = [&](int32_t x, int32_t row) { return At(plain, x, row) != Bgr(41, 60, 81); };
  const std::tuple<uint32_t, int32_t, int32_t> choices[] = {
      {0x10, 6, 3}, {0x20, 3, 2}, {0x40, 2, 1}, {0x30, 6, 3}, {0x70, 2, 1}};
  for (auto [extra, ox, oy] : choices) {
    const FrameImage out = Render(cloth, back, 0.5f, kOpens, extra);
    int shadowed = 0;
    for (int32_t row = 0; row < 70; ++row) {
      for (int32_t x = 0; x < 120; ++x) {
        if (isCloth(x, row)) continue;
        const bool shade = row + oy < 70 && x >= ox && isCloth(x - ox, row + oy);
        shadowed += shade;
        ASSERT_EQ(shade ? Bgr(20, 30, 40) : Bgr(41, 60, 81), At(out, x, row)) << extra;
      }
    }
    EXPECT_GE(shadowed, ox * (70 - oy - 8));  // at least the strip beside the left half
  }
  // Black cloth shows the background and casts no shadow.
  const FrameImage black = SolidFrame(60, 20, 0, 0, 0), pattern = PatternFrame(60, 20, 7);
  EXPECT_TRUE(test::SameRect(Render(black, pattern, 0.4f, kOpens, 0x10), pattern, pattern.width,
                             pattern.height));
}

TEST_F(CurtainTest, FoldTableScratch) {
  const FrameImage a = PatternFrame(30, 8, 8), b = PatternFrame(30, 8, 9);
  FrameImage out = MakeFrameImage(30, 8, 0x3C);
  const RenderChoices c = test::Choose(kOpens, 0, 0x20);
  EXPECT_EQ(0, RenderCurtainWith(test::DirectView(&out, a, b, 0.4f, c), test::kFailingScratch));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 0, 0, 0, 0, 0x3C));
  test::g_scratchCounts = test::ScratchCounts();
  EXPECT_EQ(1, RenderCurtainWith(test::DirectView(&out, a, b, 0.4f, c), test::kCountingScratch));
  // One table of n = trunc((1 - 0.4f) x 15) = trunc(8.9999999) = 8 entries, given back.
  EXPECT_EQ(1, test::g_scratchCounts.allocations);
  EXPECT_EQ(1, test::g_scratchCounts.releases);
  EXPECT_EQ(8 * sizeof(FoldEntry), test::g_scratchCounts.lastBytes);
  // A fully open curtain needs no table.
  EXPECT_EQ(1, RenderCurtainWith(test::DirectView(&out, a, b, 1.0f, c), test::kFailingScratch));
}

TEST_F(CurtainTest, StagesTooNarrowForFoldsAndRectangles) {
  // Under ten columns the fold period W/10 - W/25 is 0: flat cloth, no division by zero.
  // W = 5, p = 0.5: one column each side, both showing cloth column 2.
  const FrameImage a = PatternFrame(5, 3, 10), b = PatternFrame(5, 3, 11);
  const FrameImage out = Render(a, b, 0.5f, kOpens, 0x20);
  for (int32_t row = 0; row < 3; ++row) {
    for (int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(x == 0 || x == 4 ? At(a, 2, row) : At(b, x, row), At(out, x, row));
    }
  }
  for (uint32_t variant : {kOpens, kCloses}) {
    for (uint32_t extra : {0x00u, 0x10u, 0x20u, 0x40u})
      ExpectRectangleContract(test::Choose(variant, 0, extra));
  }
}

}  // namespace
}  // namespace zk
