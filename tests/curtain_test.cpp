// Curtain: the fold table against values worked out by hand, the flat curtain at the
// start, shaded and scaled columns, the shadow offsets of each extra bit, black cloth,
// the fold table's scratch memory, narrow stages and rectangles.
#include <gtest/gtest.h>

#include "curtain_folds.h"
#include "curtain_render.h"
#include "direct_render_support.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::PixelFrom;
using test::PixelIs;
using test::SolidFrame;

constexpr uint32_t kOpens = 0x100;
constexpr uint32_t kCloses = 0x200;

class CurtainTest : public test::BuiltModuleTest {
 protected:
  CurtainTest() : BuiltModuleTest("curtain") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    uint32_t extra) {
    return RenderWhole(a, b, p, test::Choose(variant, 0, extra));
  }
};

TEST(CurtainDescription, VariantAndShadowWords) {
  test::ExpectDescription("curtain", {0x300, 0x100, 0x200, true, 0x70, 0x20, 0x20}, "窗帘-Zelkor",
                          "A外加", "3d-Curtain is opening");
}

TEST(CurtainFolds, TableWorkedByHand) {
  // W = 50, t = 0.25: n = trunc(0.75 x 25) = 18, period 3.5, amplitude 1.
  ASSERT_EQ(18, CurtainHalfColumns(50, 0.25f));
  FoldEntry f[18];
  BuildFoldTable(50, 0.25f, f, 18);
  // z1 = 1 - sin(3.14159 / 3.5) = 0.218169; a1 = sqrt(0.781831^2 + 1) = 1.269354;
  // slope atan(-0.781831) = -38.0194 degrees, h1 = 1 - 6.9806 / 45 = 0.844876.
  EXPECT_NEAR(0.218169, f[1].depth, 1e-5);
  EXPECT_NEAR(1.269354, f[1].arc, 1e-5);
  EXPECT_NEAR(0.844876, f[1].shade, 1e-5);
  EXPECT_NEAR(1.000623, f[1].scale, 1e-6);
  // z2 = 0.025072, a2 = a1 + sqrt(0.193097^2 + 1), slope -10.929: h2 = 0.242870.
  EXPECT_NEAR(0.025072, f[2].depth, 1e-5);
  EXPECT_NEAR(2.287827, f[2].arc, 1e-5);
  EXPECT_NEAR(0.242870, f[2].shade, 1e-5);
  // z3 = 0.566114 rises again: slope +28.415 darkens, h3 = -(1 - 16.585 / 45) = -0.631451.
  EXPECT_NEAR(-0.631451, f[3].shade, 1e-5);
  // Entry 0 is at full depth (z0 = 2M - M = 1) and borrows entry 1's arc and shade.
  EXPECT_EQ(1.0f, f[0].depth);
  EXPECT_NEAR(1.002857, f[0].scale, 1e-6);
  EXPECT_EQ(f[1].arc, f[0].arc);
  EXPECT_EQ(f[1].shade, f[0].shade);
}

TEST(CurtainFolds, ClosedCurtainIsFlatAndUnshaded) {
  FoldEntry f[40];
  BuildFoldTable(80, 0.0f, f, 40);
  for (int32_t i = 0; i < 40; ++i) {
    EXPECT_EQ(0.0f, f[i].depth);
    EXPECT_EQ(0.0f, f[i].shade) << i;  // exactly: the shade works in single precision
    EXPECT_EQ(1.0f, f[i].scale);
    EXPECT_EQ(static_cast<float>(i == 0 ? 1 : i), f[i].arc);
  }
}

TEST(CurtainFolds, StagesNarrowerThanTenColumnsHaveFlatCloth) {
  // W / 10 = W / 25 = 0 leaves no room for a fold period: the table stays finite and flat.
  for (int32_t w = 2; w < 10; ++w) {
    for (float t : {0.0f, 0.3f, 0.7f}) {
      const int32_t n = CurtainHalfColumns(w, t);
      FoldEntry f[5];
      BuildFoldTable(w, t, f, n);
      for (int32_t i = 0; i < n; ++i) {
        EXPECT_EQ(0.0f, f[i].depth) << w;
        EXPECT_EQ(1.0f, f[i].scale) << w;
      }
    }
  }
}

TEST_F(CurtainTest, EndPointsOfBothVariants) {
  const FrameImage a = PatternFrame(24, 10, 1);
  const FrameImage b = PatternFrame(24, 10, 2);
  for (uint32_t extra : {0x00u, 0x10u, 0x20u, 0x40u}) {
    EXPECT_TRUE(test::SameRect(Render(a, b, 1.0f, kOpens, extra), b, 24, 10));  // n = 0
    EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, kCloses, extra), a, 24, 10));
  }
}

// The flat curtain: left column i shows cloth column i + 1 (the last one its own), right
// column W/2 + i shows W/2 + i (the first one W/2 + 1); an odd middle column is uncovered.
void ExpectFlatCurtain(const FrameImage& out, const FrameImage& cloth,
                       const FrameImage& background) {
  const int32_t w = out.width;
  const int32_t n = w / 2;
  for (int32_t row = 0; row < out.height; ++row) {
    for (int32_t i = 0; i < n; ++i) {
      EXPECT_TRUE(PixelFrom(out, i, row, cloth, i == n - 1 ? i : i + 1, row));
      const int32_t x = w - n + i;
      EXPECT_TRUE(PixelFrom(out, x, row, cloth, i == 0 ? n + 1 : n + i, row));
    }
    if (w % 2 == 1) {
      EXPECT_TRUE(PixelFrom(out, n, row, background, n, row));
    }
  }
}

TEST_F(CurtainTest, ClosedCurtainShowsTheClothShiftedByAtMostOneColumn) {
  for (int32_t w : {12, 13}) {
    SCOPED_TRACE(w);
    const FrameImage a = PatternFrame(w, 6, 3);
    const FrameImage b = PatternFrame(w, 6, 4);
    ExpectFlatCurtain(Render(a, b, 0.0f, kOpens, 0), a, b);
    ExpectFlatCurtain(Render(a, b, 1.0f, kCloses, 0), b, a);
  }
}

TEST_F(CurtainTest, ShadedAndScaledColumnsWorkedByHand) {
  // W = 50, H = 10, p = 0.25 opening: n = 18, left columns 0..17, right 32..49.
  // Entry 1: arc 1.27, shade 0.844876, scale 1.000623: rows y = 5 and 6 both land on row 5,
  // so y = 9 lands on row 8 and row 9 stays uncovered.
  FrameImage cloth = SolidFrame(50, 10, 100, 100, 100);
  for (int32_t c = 0; c < 50; ++c) PixelAt(cloth, c, 0)[0] = static_cast<uint8_t>(2 * c + 1);
  const FrameImage back = SolidFrame(50, 10, 7, 9, 11);
  const FrameImage out = Render(cloth, back, 0.25f, kOpens, 0);
  // Right column 33 (entry 1) shows cloth column 25 + 1, brightened by 1 + 0.75 h = 1.63366.
  EXPECT_TRUE(PixelIs(out, 33, 4, 163, 163, 163));
  EXPECT_TRUE(PixelIs(out, 33, 0, 86, 163, 163));  // blue 53 x 1.63366 = 86.6
  EXPECT_TRUE(PixelIs(out, 33, 9, 7, 9, 11));
  // Left column 16 (entry 1) shows cloth column 25 - 1, darkened by 1 - 0.75 h = 0.36634.
  EXPECT_TRUE(PixelIs(out, 16, 4, 36, 36, 36));
  EXPECT_TRUE(PixelIs(out, 16, 0, 17, 36, 36));  // blue 49 x 0.36634 = 17.95
  EXPECT_TRUE(PixelIs(out, 16, 9, 7, 9, 11));
  // The stage between the halves shows the background.
  for (int32_t x = 18; x < 32; ++x) EXPECT_TRUE(PixelIs(out, x, 4, 7, 9, 11));
  EXPECT_FALSE(PixelIs(out, 17, 4, 7, 9, 11));
  EXPECT_FALSE(PixelIs(out, 32, 4, 7, 9, 11));
}

TEST_F(CurtainTest, ClosingVariantDrawsSceneBOverSceneA) {
  // Variant 0x200 at p is the opening curtain at 1 - p with the scenes' roles swapped.
  const FrameImage a = PatternFrame(40, 12, 5);
  const FrameImage b = PatternFrame(40, 12, 6);
  const FrameImage closing = Render(a, b, 0.75f, kCloses, 0x20);
  const FrameImage opening = Render(b, a, 0.25f, kOpens, 0x20);
  EXPECT_EQ(opening.pixels, closing.pixels);
}

// Pixels the cloth covers, from a shadowless frame whose cloth never equals the background.
std::vector<bool> ClothMask(const FrameImage& out, const FrameImage& back) {
  std::vector<bool> cloth(static_cast<size_t>(out.width) * out.height);
  for (int32_t row = 0; row < out.height; ++row) {
    for (int32_t x = 0; x < out.width; ++x) {
      cloth[row * out.width + x] = !PixelFrom(out, x, row, back, x, row);
    }
  }
  return cloth;
}

TEST_F(CurtainTest, ShadowOffsetsOfEachExtraBit) {
  // 120 x 70: divisor 20 -> (6, 3), 35 -> (3, 2), 60 -> (2, 1). A shadowed pixel is an
  // uncovered one whose neighbour (x - ox, row + oy) is cloth; it shows the background halved.
  const FrameImage cloth = SolidFrame(120, 70, 200, 180, 160);
  const FrameImage back = SolidFrame(120, 70, 41, 60, 81);
  struct Case {
    uint32_t extra;
    int32_t ox, oy;
  };
  for (float p : {0.3f, 0.6f}) {
    const std::vector<bool> covered = ClothMask(Render(cloth, back, p, kOpens, 0), back);
    for (Case c : {Case{0x10, 6, 3}, Case{0x20, 3, 2}, Case{0x40, 2, 1}, Case{0x30, 6, 3},
                   Case{0x50, 2, 1}, Case{0x70, 2, 1}}) {
      SCOPED_TRACE(::testing::Message() << "extra " << c.extra << " p " << p);
      const FrameImage out = Render(cloth, back, p, kOpens, c.extra);
      int shadowed = 0;
      for (int32_t row = 0; row < 70; ++row) {
        for (int32_t x = 0; x < 120; ++x) {
          if (covered[row * 120 + x]) continue;
          const int32_t sr = row + c.oy, sx = x - c.ox;
          const bool shade = sr < 70 && sx >= 0 && covered[sr * 120 + sx];
          shadowed += shade;
          ASSERT_TRUE(shade ? PixelIs(out, x, row, 20, 30, 40) : PixelIs(out, x, row, 41, 60, 81));
        }
      }
      EXPECT_GT(shadowed, 0);
    }
  }
}

TEST_F(CurtainTest, ShadowBesideTheLeftHalfWorkedByHand) {
  // 120 x 70 at p = 0.5: n = 30. With divisor 20 the six columns 30..35 beside the left
  // half are shadowed on rows whose row + 3 is cloth; the last three rows never are.
  const FrameImage cloth = SolidFrame(120, 70, 200, 180, 160);
  const FrameImage back = SolidFrame(120, 70, 41, 60, 81);
  const FrameImage out = Render(cloth, back, 0.5f, kOpens, 0x10);
  for (int32_t x = 30; x < 36; ++x) EXPECT_TRUE(PixelIs(out, x, 30, 20, 30, 40)) << x;
  EXPECT_TRUE(PixelIs(out, 36, 30, 41, 60, 81));
  EXPECT_TRUE(PixelIs(out, 30, 67, 41, 60, 81));
  const FrameImage plain = Render(cloth, back, 0.5f, kOpens, 0);
  EXPECT_TRUE(PixelIs(plain, 30, 30, 41, 60, 81));
}

TEST_F(CurtainTest, BlackClothShowsTheBackgroundAndCastsNoShadow) {
  const FrameImage black = SolidFrame(60, 20, 0, 0, 0);
  const FrameImage back = PatternFrame(60, 20, 7);
  for (float p : {0.0f, 0.4f, 0.8f}) {
    EXPECT_TRUE(test::SameRect(Render(black, back, p, kOpens, 0x10), back, 60, 20)) << p;
  }
}

TEST_F(CurtainTest, FailedFoldTableAllocationWritesNothing) {
  const FrameImage a = PatternFrame(30, 8, 8);
  const FrameImage b = PatternFrame(30, 8, 9);
  FrameImage out = MakeFrameImage(30, 8, 0x3C);
  RenderChoices c;
  c.variantFlags = kOpens;
  c.extraFlags = 0x20;
  EXPECT_EQ(0, RenderCurtainWith(test::DirectView(&out, a, b, 0.4f, c), test::kFailingScratch));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 0, 0, 0, 0, 0x3C));
  // A fully open curtain needs no table.
  EXPECT_EQ(1, RenderCurtainWith(test::DirectView(&out, a, b, 1.0f, c), test::kFailingScratch));
  EXPECT_TRUE(test::SameRect(out, b, 30, 8));
}

TEST_F(CurtainTest, FoldTableIsReleasedBeforeReturning) {
  const FrameImage a = PatternFrame(30, 8, 8);
  const FrameImage b = PatternFrame(30, 8, 9);
  FrameImage out = MakeFrameImage(30, 8);
  RenderChoices c;
  c.variantFlags = kOpens;
  test::g_scratchCounts = test::ScratchCounts();
  EXPECT_EQ(1, RenderCurtainWith(test::DirectView(&out, a, b, 0.4f, c), test::kCountingScratch));
  EXPECT_EQ(1, test::g_scratchCounts.allocations);
  EXPECT_EQ(1, test::g_scratchCounts.releases);
  // n = trunc((1 - 0.4f) x 15) = trunc(8.9999999): the float 0.4 is a little above 0.4.
  EXPECT_EQ(8u * sizeof(FoldEntry), test::g_scratchCounts.lastBytes);
}

TEST_F(CurtainTest, NarrowStagesWorkedByHand) {
  const FrameImage a = PatternFrame(5, 3, 10);
  const FrameImage b = PatternFrame(5, 3, 11);
  // W = 5, p = 0.5: one flat column each side, both showing cloth column 2.
  for (uint32_t extra : {0x00u, 0x20u}) {
    const FrameImage out = Render(a, b, 0.5f, kOpens, extra);
    for (int32_t row = 0; row < 3; ++row) {
      EXPECT_TRUE(PixelFrom(out, 0, row, a, 2, row));
      EXPECT_TRUE(PixelFrom(out, 4, row, a, 2, row));
      for (int32_t x = 1; x < 4; ++x) EXPECT_TRUE(PixelFrom(out, x, row, b, x, row));
    }
  }
  // 2 x 2 closed: both columns show cloth column 1.
  const FrameImage a2 = PatternFrame(2, 2, 12);
  const FrameImage b2 = PatternFrame(2, 2, 13);
  const FrameImage out2 = Render(a2, b2, 0.0f, kOpens, 0x20);
  for (int32_t row = 0; row < 2; ++row) {
    EXPECT_TRUE(PixelFrom(out2, 0, row, a2, 1, row));
    EXPECT_TRUE(PixelFrom(out2, 1, row, a2, 1, row));
  }
  // Every small rectangle is filled from the two scenes' colours (shaded cloth included).
  const FrameImage ca = SolidFrame(6, 6, 40, 40, 40);
  const FrameImage cb = SolidFrame(6, 6, 4, 5, 6);
  for (float p : {0.0f, 0.5f, 0.9f}) {
    EXPECT_TRUE(TinyRectanglesFilled(ca, cb, p, test::Choose(kOpens, 0, 0x20), {40, 4}));
  }
  // 1 x 1: no half fits; the background shows.
  const FrameImage a1 = PatternFrame(1, 1, 14);
  const FrameImage b1 = PatternFrame(1, 1, 15);
  EXPECT_TRUE(test::SameRect(Render(a1, b1, 0.0f, kOpens, 0x20), b1, 1, 1));
}

TEST_F(CurtainTest, RectangleAwayFromTheOriginMatchesTheSameFramesCropped) {
  const FrameImage a = PatternFrame(90, 30, 16);
  const FrameImage b = PatternFrame(90, 30, 17);
  for (uint32_t variant : {kOpens, kCloses}) {
    for (float p : {0.1f, 0.45f, 0.8f}) {
      EXPECT_TRUE(RectMatchesCropped(a, b, p, test::Choose(variant, 0, 0x10), 7, 6, 71, 19));
    }
  }
}

TEST_F(CurtainTest, WildProgressIsHeldToTheEnds) {
  const FrameImage a = PatternFrame(24, 8, 18);
  const FrameImage b = PatternFrame(24, 8, 19);
  for (uint32_t variant : {kOpens, kCloses}) {
    EXPECT_TRUE(WildProgressHeldToEnds(a, b, test::Choose(variant, 0, 0x20)));
  }
}

}  // namespace
}  // namespace zk
