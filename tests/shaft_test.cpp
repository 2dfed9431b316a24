// Shaft: bar rows worked out by hand on a 100 x 50 frame for each start order, the end
// points, field mode, the coverage mask's scratch memory, single lines and rectangles.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "direct_render_support.h"
#include "shaft_bars.h"
#include "shaft_render.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::SolidFrame;

class ShaftTest : public test::BuiltModuleTest {
 protected:
  ShaftTest() : BuiltModuleTest("shaft") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0) {
    return RenderWhole(a, b, p, test::Choose(variant, field));
  }

  // Columns of one output row that show scene B (white) rather than A (black).
  static std::vector<int32_t> BarColumns(const FrameImage& out, int32_t row) {
    std::vector<int32_t> cols;
    for (int32_t x = 0; x < out.width; ++x) {
      if (PixelAt(out, x, row)[0] == 255) cols.push_back(x);
    }
    return cols;
  }

  static std::vector<int32_t> Span(std::vector<std::pair<int32_t, int32_t>> ranges) {
    std::vector<int32_t> cols;
    for (auto [from, to] : ranges) {
      for (int32_t x = from; x <= to; ++x) cols.push_back(x);
    }
    return cols;
  }

  const FrameImage black_ = SolidFrame(100, 50, 0, 0, 0);
  const FrameImage white_ = SolidFrame(100, 50, 255, 255, 255);
};

TEST(ShaftDescription, VariantWordsAndNames) {
  test::ExpectDescription("shaft", {0x30C, 8, 0, false, 0, 0, 0}, "轴-外加", "外加",
                          "Transition like in Hollywood-Movie \"Shaft\"");
}

TEST(ShaftLayout, LeanAndSlotWidthWorkedByHand) {
  // 50 lines: ox = trunc(-50 sin 20) = -17, hh = trunc(50 cos 20) = 46, slope -17/46.
  // Slot width trunc((100 + 17 x 1.2) / 10) = 12, or with 1.7 trunc(12.89) = 12.
  const ShaftLayout s = MakeShaftLayout(100, 50, kShaftLeftToRight);
  EXPECT_EQ(-17, s.lean);
  EXPECT_EQ(-17.0f / 46.0f, s.slope);
  EXPECT_EQ(12, s.slotWidth);
  EXPECT_FALSE(s.fromCentre);
  const ShaftLayout wide = MakeShaftLayout(200, 100, kShaftFromCentre);  // ox = -34
  EXPECT_EQ(-34, wide.lean);
  EXPECT_EQ(25, wide.slotWidth);  // trunc((200 + 57.8) / 10)
  EXPECT_EQ(24, MakeShaftLayout(200, 100, kShaftLeftToRight).slotWidth);  // 240.8 / 10
  EXPECT_EQ(0.0f, MakeShaftLayout(7, 1, kShaftLeftToRight).slope);        // one line: no lean
}

TEST(ShaftLayout, StartOrders) {
  const int32_t fromSides[] = {0, 9, 1, 8, 2, 7, 3, 6, 4, 5};
  bool used[10] = {};
  for (int32_t k = 0; k < 10; ++k) {
    EXPECT_EQ(k, ShaftSlot(kShaftLeftToRight, k));
    EXPECT_EQ(9 - k, ShaftSlot(kShaftRightToLeft, k));
    EXPECT_EQ(fromSides[k], ShaftSlot(kShaftFromSides, k));
    EXPECT_EQ(k, ShaftSlot(0x10, k));  // values the host does not send: left to right
    used[ShaftSlot(kShaftFromCentre, k)] = true;
  }
  for (bool u : used) EXPECT_TRUE(u);  // centre-out uses every slot once
  // ... alternating to both sides of the centre, each step one slot farther out.
  for (int32_t k = 2; k < 10; ++k) {
    const int32_t now = ShaftSlot(kShaftFromCentre, k);
    const int32_t before = ShaftSlot(kShaftFromCentre, k - 2);
    EXPECT_EQ(now < 5, before < 5);
    EXPECT_EQ(std::abs(2 * now - 9), std::abs(2 * before - 9) + 2);
  }
}

TEST_F(ShaftTest, LeftToRightBarsWorkedByHand) {
  // p = 0.1: bar 0 has lp 0.25 (width 5, 35 rows), bar 1 lp 0.1 (width 3, 14 rows), bar 2
  // none. Row r of bar k spans trunc(r x slope) - w/2 + 6 + 12 o .. + w.
  const FrameImage out = Render(black_, white_, 0.1f, kShaftLeftToRight);
  EXPECT_EQ(Span({{4, 9}, {17, 20}}), BarColumns(out, 0));
  EXPECT_EQ(Span({{1, 6}, {14, 17}}), BarColumns(out, 10));  // trunc(-3.70) = -3
  EXPECT_EQ(Span({{0, 5}, {13, 16}}), BarColumns(out, 13));  // bar 1's last row
  EXPECT_EQ(Span({{0, 4}}), BarColumns(out, 14));            // bar 0: xs = -1
  EXPECT_EQ(Span({{0, 2}}), BarColumns(out, 20));            // xs = -3 cut at column 0
  EXPECT_EQ(Span({{0, 0}}), BarColumns(out, 27));            // x1 = 0
  EXPECT_EQ(Span({}), BarColumns(out, 28));                  // x1 = -1: nothing
  EXPECT_EQ(Span({}), BarColumns(out, 49));
}

TEST_F(ShaftTest, OtherStartOrdersWorkedByHand) {
  // Right to left: bar 0 in slot 9 starts beyond the right edge (columns 112..117 on row 0);
  // bar 1 in slot 8 leans in from row 6 and is cut at column 99.
  const FrameImage rtl = Render(black_, white_, 0.1f, kShaftRightToLeft);
  EXPECT_EQ(Span({}), BarColumns(rtl, 0));
  EXPECT_EQ(Span({}), BarColumns(rtl, 5));
  EXPECT_EQ(Span({{99, 99}}), BarColumns(rtl, 6));  // xs = 99, x1 = 102 -> 99
  EXPECT_EQ(Span({{98, 99}}), BarColumns(rtl, 9));  // trunc(-3.33) = -3
  EXPECT_EQ(Span({{97, 99}}), BarColumns(rtl, 13));
  EXPECT_EQ(Span({}), BarColumns(rtl, 14));
  // Both sides inward: bar 0 in slot 0, bar 1 in slot 9 (off the frame at p = 0.1).
  const FrameImage sides = Render(black_, white_, 0.1f, kShaftFromSides);
  EXPECT_EQ(Span({{4, 9}}), BarColumns(sides, 0));
  EXPECT_EQ(Span({{1, 6}}), BarColumns(sides, 10));
  // Centre out: bar 0 in slot 4, bar 1 in slot 5, both moved left by 0.55 x 17 = 9.35.
  const FrameImage centre = Render(black_, white_, 0.1f, kShaftFromCentre);
  EXPECT_EQ(Span({{42, 47}, {55, 58}}), BarColumns(centre, 0));
  // An unknown variant behaves as left to right.
  EXPECT_EQ(Render(black_, white_, 0.1f, kShaftLeftToRight).pixels,
            Render(black_, white_, 0.1f, 0x10).pixels);
}

TEST_F(ShaftTest, StartShowsSceneAAndLateFramesSceneB) {
  struct Size {
    int32_t w, h;
  };
  // Sizes whose slots reach across every row once all bars are complete (see the report
  // on short frames below).
  for (Size s : {Size{40, 200}, Size{320, 180}, Size{101, 240}}) {
    const FrameImage a = PatternFrame(s.w, s.h, 1);
    const FrameImage b = PatternFrame(s.w, s.h, 2);
    for (uint32_t v : {kShaftLeftToRight, kShaftRightToLeft, kShaftFromSides}) {
      SCOPED_TRACE(::testing::Message() << s.w << "x" << s.h << " variant " << v);
      EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, v), a, s.w, s.h));
      for (float p : {0.94f, 0.97f, 1.0f}) {
        EXPECT_TRUE(test::SameRect(Render(a, b, p, v), b, s.w, s.h)) << p;
      }
    }
    EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, kShaftFromCentre), a, s.w, s.h));
  }
  // Field mode over 2 x 100 = 200 lines.
  const FrameImage a = PatternFrame(40, 100, 3);
  const FrameImage b = PatternFrame(40, 100, 4);
  EXPECT_TRUE(test::SameRect(Render(a, b, 0.94f, kShaftRightToLeft, 1), b, 40, 100));
  EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, kShaftRightToLeft, 1), a, 40, 100));
}

TEST_F(ShaftTest, ShortFramesKeepAStripOfSceneA) {
  // Over few lines the lean outgrows the slot-width allowance: on 100 x 50 the last slot
  // ends at column 120 + trunc(49 x slope) = 102 on the bottom row - still covered - but on
  // 109 x 50 (slot width 12 again) it ends at 102 and columns 103..108 keep scene A.
  const FrameImage a = SolidFrame(109, 50, 0, 0, 0);
  const FrameImage b = SolidFrame(109, 50, 255, 255, 255);
  const FrameImage out = Render(a, b, 1.0f, kShaftLeftToRight);
  EXPECT_EQ(Span({{0, 102}}), BarColumns(out, 49));
  EXPECT_EQ(Span({{0, 108}}), BarColumns(out, 0));
}

TEST_F(ShaftTest, FieldModeSamplesEverySecondLine) {
  // 100 x 25 rows in field mode lay the bars over the same 50 lines as 100 x 50.
  const FrameImage fa = SolidFrame(100, 25, 0, 0, 0);
  const FrameImage fb = SolidFrame(100, 25, 255, 255, 255);
  for (uint32_t v : {kShaftLeftToRight, kShaftRightToLeft, kShaftFromSides, kShaftFromCentre}) {
    for (float p : {0.1f, 0.3f, 0.55f}) {
      const FrameImage field = Render(fa, fb, p, v, 1);
      const FrameImage lines = Render(black_, white_, p, v, 0);
      for (int32_t row = 0; row < 25; ++row) {
        ASSERT_EQ(BarColumns(lines, 2 * row), BarColumns(field, row))
            << "variant " << v << " p " << p << " row " << row;
      }
    }
  }
  const FrameImage field = Render(fa, fb, 0.1f, kShaftLeftToRight, 1);
  EXPECT_EQ(Span({{1, 6}, {14, 17}}), BarColumns(field, 5));  // line 10
}

TEST_F(ShaftTest, FailedMaskAllocationWritesNothing) {
  const FrameImage a = PatternFrame(30, 8, 5);
  const FrameImage b = PatternFrame(30, 8, 6);
  FrameImage out = MakeFrameImage(30, 8, 0x3C);
  RenderChoices c;
  c.variantFlags = kShaftLeftToRight;
  EXPECT_EQ(0, RenderShaftWith(test::DirectView(&out, a, b, 0.5f, c), test::kFailingScratch));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 0, 0, 0, 0, 0x3C));
}

TEST_F(ShaftTest, MaskCoversThePictureLinesAndIsReleased) {
  const FrameImage a = PatternFrame(30, 8, 5);
  const FrameImage b = PatternFrame(30, 8, 6);
  FrameImage out = MakeFrameImage(30, 8);
  for (int32_t field : {0, 1}) {
    RenderChoices c;
    c.fieldMode = field;
    test::g_scratchCounts = test::ScratchCounts();
    EXPECT_EQ(1, RenderShaftWith(test::DirectView(&out, a, b, 0.5f, c), test::kCountingScratch));
    EXPECT_EQ(1, test::g_scratchCounts.allocations);
    EXPECT_EQ(1, test::g_scratchCounts.releases);
    EXPECT_EQ(30u * 8u * (field ? 2u : 1u), test::g_scratchCounts.lastBytes);
  }
}

TEST_F(ShaftTest, SingleLinesAndTinyRectangles) {
  // One line: no lean (the slope would be 0 / 0), slot width 0; bar 0 covers column 0.
  const FrameImage a = SolidFrame(6, 6, 1, 2, 3);
  const FrameImage b = SolidFrame(6, 6, 4, 5, 6);
  FrameImage out = MakeFrameImage(6, 6, 0x99);
  ASSERT_EQ(1, test::RenderRect(effect_, a, b, 0.5f, 2, 3, 1, 1, &out));
  EXPECT_TRUE(test::PixelIs(out, 2, 3, 4, 5, 6));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 2, 3, 1, 1, 0x99));
  ASSERT_EQ(1, test::RenderRect(effect_, a, b, 0.01f, 2, 3, 1, 1, &out));  // bar 0 not grown
  EXPECT_TRUE(test::PixelIs(out, 2, 3, 1, 2, 3));
  for (uint32_t v : {kShaftLeftToRight, kShaftRightToLeft, kShaftFromSides, kShaftFromCentre}) {
    EXPECT_TRUE(TinyRectanglesFilled(a, b, 0.6f, test::Choose(v), {1, 4}));
  }
}

TEST_F(ShaftTest, RectangleAwayFromTheOriginMatchesTheSameFramesCropped) {
  const FrameImage a = PatternFrame(90, 40, 7);
  const FrameImage b = PatternFrame(90, 40, 8);
  for (uint32_t v : {kShaftLeftToRight, kShaftFromCentre}) {
    for (int32_t field : {0, 1}) {
      for (float p : {0.2f, 0.5f}) {
        EXPECT_TRUE(RectMatchesCropped(a, b, p, test::Choose(v, field), 9, 5, 70, 31));
      }
    }
  }
}

TEST_F(ShaftTest, WildProgressIsHeldToTheEnds) {
  const FrameImage a = PatternFrame(24, 8, 9);
  const FrameImage b = PatternFrame(24, 8, 10);
  for (uint32_t v : {kShaftLeftToRight, kShaftRightToLeft, kShaftFromSides, kShaftFromCentre}) {
    for (int32_t field : {0, 1}) EXPECT_TRUE(WildProgressHeldToEnds(a, b, test::Choose(v, field)));
  }
}

}  // namespace
}  // namespace zk
