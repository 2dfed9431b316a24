// Bubble: lens mappings traced by hand on 8-line frames, both variants' end points, the
// averaged centre row, field mode, every request mode and the rectangle contract.
#include <gtest/gtest.h>

#include <utility>

#include "direct_render_support.h"

namespace zk {
namespace {

using test::PatternFrame;
constexpr uint32_t kGrowB = 0x10000, kShrinkA = 0x20000;

class BubbleTest : public test::BuiltModuleTest {
 protected:
  BubbleTest() : BuiltModuleTest("bubble") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0, int32_t requestMode = 0) {
    return RenderWhole(a, b, p, test::Choose(variant, field, 0, requestMode));
  }
  const FrameImage a_ = PatternFrame(8, 8, 11), b_ = PatternFrame(8, 8, 12);
};

// Row `row` holds the byte-wise floor mean of its two neighbours.
bool CentreRowAveraged(const FrameImage& out, int32_t row) {
  for (int32_t i = 0; i < out.width * 3; ++i) {
    const uint8_t* r = out.pixels.data() + row * out.stride + i;
    if (*r != (r[-out.stride] + r[out.stride]) / 2) return false;
  }
  return true;
}

TEST(BubbleDescription, WordsAndNames) {
  test::ExpectDescription("bubble", {0x30000, 0x10000, 0x20000, true, 0, 0, 0}, "气泡-Zelkor",
                          "A外加", "大泡影, 没问题");
}

TEST_F(BubbleTest, HalfwayMappingTracedByHand) {
  // 8 x 8, p = 0.5: t = 0.5, round bubble (k = 0) of radius q R = 2 on every ray.
  struct Traced {
    int32_t x, y;
    bool inside;
    int32_t sx, sy;
  };
  const Traced traced[] = {
      {5, 5, true, 6, 6},   // exit (8, 8) misses both edges, E 5, d 1
      {6, 5, true, 7, 5},   // side exit (7, 6), E 3, d 2 = Rb
      {7, 6, false, 7, 6},  // same exit, d 3: the ring keeps the exit point
      {1, 2, false, 2, 2},  // side exit (0, 2), E 4: pushed outward, 0 + 1 x 4 / 2
      {3, 2, true, 2, 0},   // top exit (2, 0), E 4, d 2
      {4, 1, false, 4, 2},  // straight up, exit (4, 0), E 4, d 3
  };
  const FrameImage grow = Render(a_, b_, 0.5f, kGrowB), shrink = Render(a_, b_, 0.5f, kShrinkA);
  for (const Traced& t : traced) {
    EXPECT_EQ(test::At(t.inside ? b_ : a_, t.sx, t.sy), test::At(grow, t.x, t.y)) << t.x << t.y;
    EXPECT_EQ(test::At(t.inside ? a_ : b_, t.sx, t.sy), test::At(shrink, t.x, t.y)) << t.x << t.y;
  }
  EXPECT_TRUE(CentreRowAveraged(grow, 4));
  // 16 x 8 at p = 0.8 (t = 0.2): k = 1 - 3.003003 t = 0.3994 swells the ray to (15, 6) with
  // E = 7 to Rb = trunc(0.8 (4 + 3 k)) = 4, where a circle would have 3.
  const FrameImage a = PatternFrame(16, 8, 13), b = PatternFrame(16, 8, 14);
  const FrameImage late = Render(a, b, 0.8f, kGrowB);
  EXPECT_EQ(test::At(b, 15, 5), test::At(late, 12, 5));  // d 4: inside, 4 x 7 / 4 + 8
  EXPECT_EQ(test::At(a, 13, 5), test::At(late, 14, 5));  // d 6: ring, 15 + (-7) / 3
}

TEST_F(BubbleTest, EndPointsShowOneSceneApartFromTheCentreRow) {
  // 22 x 30 has rays whose exit, computed as (dy / dx) x hW, would land one line short.
  const std::pair<int32_t, int32_t> sizes[] = {{13, 9}, {12, 10}, {22, 30}, {7, 3}, {40, 23}};
  for (auto [w, h] : sizes) {
    const FrameImage a = PatternFrame(w, h, 15), b = PatternFrame(w, h, 16);
    for (uint32_t variant : {kGrowB, kShrinkA}) {
      const FrameImage start = Render(a, b, 0.0f, variant), end = Render(a, b, 1.0f, variant);
      EXPECT_TRUE(test::SameRect(start, a, a.width, a.height, h / 2) &&
                  CentreRowAveraged(start, h / 2))
          << w;
      EXPECT_TRUE(test::SameRect(end, b, b.width, b.height, h / 2) && CentreRowAveraged(end, h / 2))
          << w;
    }
  }
}

TEST_F(BubbleTest, FieldModeLaysTheBubbleOverTwiceTheRows) {
  // 8 x 4 rows: the 8 x 8 geometry at lines 0, 2, 4, 6; sources at line / 2.
  const FrameImage a = PatternFrame(8, 4, 17), b = PatternFrame(8, 4, 18);
  const FrameImage out = Render(a, b, 0.5f, kGrowB, 1);
  EXPECT_EQ(test::At(b, 5, 3), test::At(out, 5, 3));  // line 6 <- B line 7
  EXPECT_EQ(test::At(b, 2, 0), test::At(out, 3, 1));  // line 2 <- B line 0
  EXPECT_EQ(test::At(a, 2, 1), test::At(out, 1, 1));  // line 2 <- A line 2
  EXPECT_EQ(test::At(a, 7, 3), test::At(out, 7, 3));  // line 6 <- A line 6
  EXPECT_TRUE(CentreRowAveraged(out, 2));
}

TEST_F(BubbleTest, EveryRequestModeIsRendered) {
  const FrameImage plain = Render(a_, b_, 0.4f, kGrowB);
  for (int32_t mode : {1, 2, -1})
    EXPECT_EQ(plain.pixels, Render(a_, b_, 0.4f, kGrowB, 0, mode).pixels);
}

TEST_F(BubbleTest, RectangleContract) {
  for (uint32_t variant : {kGrowB, kShrinkA}) {
    for (int32_t field : {0, 1}) ExpectRectangleContract(test::Choose(variant, field));
  }
  // A single pixel is all centre: the inside scene's pixel, as the row cannot be averaged.
  const FrameImage a = test::SolidFrame(6, 6, 1, 2, 3), b = test::SolidFrame(6, 6, 4, 5, 6);
  EXPECT_EQ(test::Bgr(4, 5, 6), test::At(RenderInRect(a, b, 0.0f, {}, 2, 3, 1, 1), 2, 3));
}

}  // namespace
}  // namespace zk
