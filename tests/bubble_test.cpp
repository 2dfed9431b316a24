// Bubble: hand-worked lens mappings on 8-pixel frames, the end points of both variants,
// the averaged centre row, field mode, rectangles and the description words.
#include <gtest/gtest.h>

#include "bubble_geometry.h"
#include "direct_render_support.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::PixelFrom;

constexpr uint32_t kGrowB = 0x10000;
constexpr uint32_t kShrinkA = 0x20000;

class BubbleTest : public test::BuiltModuleTest {
 protected:
  BubbleTest() : BuiltModuleTest("bubble") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0, int32_t requestMode = 0) {
    return RenderWhole(a, b, p, test::Choose(variant, field, 0, requestMode));
  }
};

// The centre row is replaced by the byte-wise floor mean of its neighbours.
::testing::AssertionResult CentreRowAveraged(const FrameImage& out, int32_t row) {
  for (int32_t i = 0; i < out.width * 3; ++i) {
    const int above = out.pixels[(row - 1) * out.stride + i];
    const int below = out.pixels[(row + 1) * out.stride + i];
    if (out.pixels[row * out.stride + i] != (above + below) / 2) {
      return ::testing::AssertionFailure() << "byte " << i << " of row " << row;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(BubbleDescription, VariantWordsAndNames) {
  test::ExpectDescription("bubble", {0x30000, 0x10000, 0x20000, true, 0, 0, 0}, "气泡-Zelkor",
                          "A外加", "大泡影, 没问题");
}

// 8 x 8 at p = 0.5: t = 0.5, so the bubble is round (k = 0) with radius q x R = 2 on every
// ray. Each expectation below was traced by hand through exit point, E, Rb and d.
struct Traced {
  int32_t x, y;     // output pixel (column, picture line)
  bool fromInside;  // inside scene (else outside scene)
  int32_t sx, sy;   // source pixel
};
constexpr Traced kHalfway8x8[] = {
    {5, 5, true, 6, 6},   // exit (8, 8), E 5, d 1: squeezed toward the centre
    {6, 5, true, 7, 5},   // side exit (7, 6), E 3, d 2 = Rb: on the bubble edge
    {7, 6, false, 7, 6},  // side exit (7, 6), E 3, d 3: the ring maps the exit to itself
    {0, 0, false, 0, 0},  // corner
    {1, 2, false, 2, 2},  // side exit (0, 2), E 4: ring pixel pushed outward
    {3, 2, true, 2, 0},   // top exit (2, 0), E 4, d 2
    {4, 1, false, 4, 2},  // straight up: exit (4, 0), E 4, d 3
};

TEST_F(BubbleTest, HalfwayMappingTracedByHand) {
  const FrameImage a = PatternFrame(8, 8, 11);
  const FrameImage b = PatternFrame(8, 8, 12);
  const FrameImage grow = Render(a, b, 0.5f, kGrowB);
  const FrameImage shrink = Render(a, b, 0.5f, kShrinkA);  // same shape, scenes swapped
  for (const Traced& t : kHalfway8x8) {
    SCOPED_TRACE(::testing::Message() << "pixel " << t.x << "," << t.y);
    EXPECT_TRUE(PixelFrom(grow, t.x, t.y, t.fromInside ? b : a, t.sx, t.sy));
    EXPECT_TRUE(PixelFrom(shrink, t.x, t.y, t.fromInside ? a : b, t.sx, t.sy));
  }
  EXPECT_TRUE(CentreRowAveraged(grow, 4));
  EXPECT_TRUE(CentreRowAveraged(shrink, 4));
}

TEST_F(BubbleTest, LateGrowthSwellsTowardTheBorder) {
  // 16 x 8 at p = 0.8 (t = 0.2): k = 1 - 3.003003 t = 0.3994, R = 4, q = 0.8.
  // Ray to (15, 6) has E = 7: Rb = trunc(0.8 x (4 + 3 x 0.3994)) = 4 (a circle would give 3).
  const FrameImage a = PatternFrame(16, 8, 13);
  const FrameImage b = PatternFrame(16, 8, 14);
  const FrameImage out = Render(a, b, 0.8f, kGrowB);
  EXPECT_TRUE(PixelFrom(out, 12, 5, b, 15, 5));  // d 4 <= Rb: inside, 4 x 7 / 4 + 8 = 15
  EXPECT_TRUE(PixelFrom(out, 14, 5, a, 13, 5));  // d 6: ring, 15 + (-1 x 7) / 3 = 13
}

TEST(BubbleGeometry, ShapeFactorStartsBelowOneThirdOfTheWay) {
  EXPECT_EQ(0.0, MakeBubbleShape(16, 8, 0.5).stretch);
  EXPECT_EQ(0.0, MakeBubbleShape(16, 8, 0.334).stretch);
  EXPECT_GT(MakeBubbleShape(16, 8, 0.333f).stretch, 0.0);
  EXPECT_EQ(1.0, MakeBubbleShape(16, 8, 0.0).stretch);
  const BubbleShape s = MakeBubbleShape(17, 9, 0.25);
  EXPECT_EQ(8, s.halfWidth);
  EXPECT_EQ(4, s.halfLines);
  EXPECT_EQ(4, s.radius);
  EXPECT_EQ(0.75, s.size);
}

TEST(BubbleGeometry, ExitPoints) {
  const BubbleShape s = MakeBubbleShape(8, 8, 0.5);
  auto exitAt = [&](int32_t dx, int32_t dy) {
    const RayExit e = ExitPoint(s, dx, dy);
    return std::make_pair(e.x, e.y);
  };
  EXPECT_EQ(std::make_pair(7, 6), exitAt(2, 1));    // right side
  EXPECT_EQ(std::make_pair(0, 2), exitAt(-3, -2));  // left side
  EXPECT_EQ(std::make_pair(2, 0), exitAt(-1, -2));  // top
  EXPECT_EQ(std::make_pair(4, 7), exitAt(0, 3));    // straight down
  EXPECT_EQ(std::make_pair(8, 8), exitAt(1, 1));    // the diagonal misses both: kept as is
  EXPECT_EQ(std::make_pair(0, 4), exitAt(-2, 0));   // centre line: side exit
  EXPECT_EQ(std::make_pair(7, 4), exitAt(0, 0));    // centre pixel: right-hand side exit
}

TEST_F(BubbleTest, EndPointsShowOneSceneApartFromTheCentreRow) {
  struct Size {
    int32_t w, h;
  };
  for (Size s : {Size{13, 9}, Size{12, 10}, Size{22, 30}, Size{7, 3}, Size{40, 23}}) {
    SCOPED_TRACE(::testing::Message() << s.w << "x" << s.h);
    const FrameImage a = PatternFrame(s.w, s.h, 15);
    const FrameImage b = PatternFrame(s.w, s.h, 16);
    const int32_t centre = s.h / 2;
    for (uint32_t variant : {kGrowB, kShrinkA}) {
      const FrameImage start = Render(a, b, 0.0f, variant);
      const FrameImage end = Render(a, b, 1.0f, variant);
      EXPECT_TRUE(test::SameRect(start, a, s.w, s.h, centre));
      EXPECT_TRUE(test::SameRect(end, b, s.w, s.h, centre));
      EXPECT_TRUE(CentreRowAveraged(start, centre));
      EXPECT_TRUE(CentreRowAveraged(end, centre));
    }
  }
}

TEST_F(BubbleTest, HalfwayBubbleHoldsAllOfTheInsideSceneInRadiusHalfR) {
  // 41 x 41, R = 20: at p = 0.5 the bubble radius is 10 on every ray, so pixels with
  // trunc(distance) <= 10 show B and all others A. B's top edge is squeezed in: pixel
  // (20, 10) on the bubble edge straight up shows B's (20, 0).
  const FrameImage a = test::SolidFrame(41, 41, 10, 10, 10);
  FrameImage b = test::SolidFrame(41, 41, 200, 200, 200);
  PixelAt(b, 20, 0)[0] = 77;
  const FrameImage out = Render(a, b, 0.5f, kGrowB);
  for (int32_t y = 0; y < 41; ++y) {
    if (y == 20) continue;
    for (int32_t x = 0; x < 41; ++x) {
      const int32_t dx = x - 20, dy = y - 20;
      const uint8_t blue = PixelAt(out, x, y)[0];
      if (dx * dx + dy * dy < 121) {
        EXPECT_NE(10, blue) << x << "," << y;
      } else {
        EXPECT_EQ(10, blue) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(77, PixelAt(out, 20, 10)[0]);
}

TEST_F(BubbleTest, FieldModeLaysTheBubbleOverTwiceTheRows) {
  // 8 x 4 rows in field mode: the 8 x 8 geometry sampled at lines 0, 2, 4, 6.
  const FrameImage a = PatternFrame(8, 4, 17);
  const FrameImage b = PatternFrame(8, 4, 18);
  const FrameImage out = Render(a, b, 0.5f, kGrowB, 1);
  EXPECT_TRUE(PixelFrom(out, 5, 3, b, 5, 3));  // line 6 <- B line 7 (row 3)
  EXPECT_TRUE(PixelFrom(out, 3, 1, b, 2, 0));  // line 2 <- B line 0
  EXPECT_TRUE(PixelFrom(out, 1, 1, a, 2, 1));  // line 2 <- A line 2
  EXPECT_TRUE(PixelFrom(out, 4, 0, a, 4, 0));  // line 0 <- A line 0
  EXPECT_TRUE(PixelFrom(out, 7, 3, a, 7, 3));  // line 6 <- A line 6
  EXPECT_TRUE(CentreRowAveraged(out, 2));      // picture line 4 is row 2
}

TEST_F(BubbleTest, EveryRequestModeIsRendered) {
  const FrameImage a = PatternFrame(10, 6, 19);
  const FrameImage b = PatternFrame(10, 6, 20);
  const FrameImage plain = Render(a, b, 0.4f, kGrowB, 0, 0);
  for (int32_t mode : {1, 2, -1}) {
    const FrameImage out = Render(a, b, 0.4f, kGrowB, 0, mode);
    EXPECT_EQ(plain.pixels, out.pixels) << "requestMode " << mode;
  }
}

TEST_F(BubbleTest, RectangleAwayFromTheOriginMatchesTheSameFramesCropped) {
  const FrameImage a = PatternFrame(31, 21, 23);
  const FrameImage b = PatternFrame(31, 21, 24);
  for (uint32_t variant : {kGrowB, kShrinkA}) {
    for (int32_t field : {0, 1}) {
      for (float p : {0.2f, 0.5f, 0.85f}) {
        EXPECT_TRUE(RectMatchesCropped(a, b, p, test::Choose(variant, field), 5, 4, 19, 13));
      }
    }
  }
}

TEST_F(BubbleTest, TinyRectanglesShowScenePixelsOnly) {
  // Under three rows the centre row is left as drawn; a 1 x 1 rectangle is all centre and
  // shows the inside scene's only pixel.
  const FrameImage a = test::SolidFrame(6, 6, 1, 2, 3);
  const FrameImage b = test::SolidFrame(6, 6, 4, 5, 6);
  FrameImage out = MakeFrameImage(6, 6, 0x99);
  ASSERT_EQ(1, test::RenderRect(effect_, a, b, 0.5f, 2, 3, 1, 1, &out));
  EXPECT_TRUE(test::PixelIs(out, 2, 3, 4, 5, 6));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 2, 3, 1, 1, 0x99));
  // A, B, or on the centre row the mean of two of them.
  for (float p : {0.0f, 0.3f, 1.0f}) {
    for (uint32_t variant : {kGrowB, kShrinkA}) {
      EXPECT_TRUE(TinyRectanglesFilled(a, b, p, test::Choose(variant), {1, 4, 2}));
    }
  }
}

TEST_F(BubbleTest, WildProgressIsHeldToTheEnds) {
  const FrameImage a = PatternFrame(24, 8, 25);
  const FrameImage b = PatternFrame(24, 8, 26);
  for (uint32_t variant : {kGrowB, kShrinkA}) {
    for (int32_t field : {0, 1}) {
      EXPECT_TRUE(WildProgressHeldToEnds(a, b, test::Choose(variant, field)));
    }
  }
}

}  // namespace
}  // namespace zk
