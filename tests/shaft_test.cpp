// Shaft: bar rows worked out by hand on a 100 x 50 frame for each start order, the end
// points, the strip short frames keep, field mode, the mask's scratch memory, a single line
// and the rectangle contract.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "direct_render_support.h"
#include "shaft_render.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::SolidFrame;
using Spans = std::vector<std::pair<int32_t, int32_t>>;

class ShaftTest : public test::BuiltModuleTest {
 protected:
  ShaftTest() : BuiltModuleTest("shaft") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0) {
    return RenderWhole(a, b, p, test::Choose(variant, field));
  }
  // Runs of scene B (white over black) in one output row.
  static Spans Bars(const FrameImage& out, int32_t row) {
    Spans runs;
    for (int32_t x = 0; x < out.width; ++x) {
      if (PixelAt(out, x, row)[0] != 255) continue;
      if (runs.empty() || runs.back().second != x - 1) runs.push_back({x, x});
      runs.back().second = x;
    }
    return runs;
  }
  Spans BarsAt(float p, uint32_t variant, int32_t row) {
    return Bars(Render(black_, white_, p, variant), row);
  }
  const FrameImage black_ = SolidFrame(100, 50, 0, 0, 0),
                   white_ = SolidFrame(100, 50, 255, 255, 255);
};

TEST(ShaftDescription, WordsAndNames) {
  test::ExpectDescription("shaft", {0x30C, 8, 0, false, 0, 0, 0}, "轴-外加", "外加",
                          "Transition like in Hollywood-Movie \"Shaft\"");
}

TEST_F(ShaftTest, BarsWorkedByHand) {
  // 50 lines: lean ox = trunc(-50 sin 20) = -17 over hh = 46 lines, slope -17/46; slot
  // width trunc((100 + 17 x 1.2) / 10) = 12. p = 0.1: bar 0 lp 0.25 (width 5, 35 rows),
  // bar 1 lp 0.1 (width 3, 14 rows). Row r: trunc(r slope) - w/2 + 6 + 12 slot .. + w.
  EXPECT_EQ((Spans{{4, 9}, {17, 20}}), BarsAt(0.1f, 8, 0));
  EXPECT_EQ((Spans{{1, 6}, {14, 17}}), BarsAt(0.1f, 8, 10));  // trunc(-3.70) = -3
  EXPECT_EQ((Spans{{0, 5}, {13, 16}}), BarsAt(0.1f, 8, 13));  // bar 1's last row
  EXPECT_EQ((Spans{{0, 4}}), BarsAt(0.1f, 8, 14));            // cut at column 0
  EXPECT_EQ((Spans{{0, 0}}), BarsAt(0.1f, 8, 27));            // x1 = 0
  EXPECT_EQ((Spans{}), BarsAt(0.1f, 8, 28));                  // x1 = -1
  // Right to left: bar 0 (slot 9) starts past the right edge; bar 1 (slot 8) leans in from
  // row 6 and is cut at column 99.
  EXPECT_EQ((Spans{}), BarsAt(0.1f, 4, 5));
  EXPECT_EQ((Spans{{99, 99}}), BarsAt(0.1f, 4, 6));
  EXPECT_EQ((Spans{{97, 99}}), BarsAt(0.1f, 4, 13));
  // Both sides inward: bar 0 in slot 0, bar 1 in slot 9 (still off the frame).
  EXPECT_EQ((Spans{{4, 9}}), BarsAt(0.1f, 0x200, 0));
  // Centre out: bars 0 and 1 in slots 4 and 5, slot width trunc(12.89) = 12, moved left by
  // 0.55 x 17 = 9.35: trunc(52 - 9.35) = 42 and trunc(65 - 9.35) = 55.
  EXPECT_EQ((Spans{{42, 47}, {55, 58}}), BarsAt(0.1f, 0x100, 0));
  // Values the host does not send behave as left to right.
  EXPECT_EQ(Render(black_, white_, 0.3f, 8).pixels, Render(black_, white_, 0.3f, 0x10).pixels);
}

TEST_F(ShaftTest, EndPoints) {
  // From p = 0.94 (the last bar's local progress reaches 1 in single precision) scene B,
  // on sizes whose slots reach across every line (see ShortFramesKeepAStripOfSceneA).
  const std::tuple<int32_t, int32_t, int32_t> sizes[] = {
      {40, 200, 0}, {320, 180, 0}, {101, 240, 0}, {40, 100, 1}};
  for (auto [w, h, field] : sizes) {
    const FrameImage a = PatternFrame(w, h, 1), b = PatternFrame(w, h, 2);
    for (uint32_t v : {8u, 4u, 0x200u, 0x100u}) {
      EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, v, field), a, a.width, a.height))
          << w << " " << v;
      if (v == 0x100) continue;
      for (float p : {0.94f, 0.97f, 1.0f})
        EXPECT_TRUE(test::SameRect(Render(a, b, p, v, field), b, b.width, b.height))
            << w << " " << v << " " << p;
    }
  }
}

TEST_F(ShaftTest, ShortFramesKeepAStripOfSceneA) {
  // 109 x 50: slot width trunc(12.94) = 12 reaches column 120 - 18 = 102 on the last line.
  const FrameImage a = SolidFrame(109, 50, 0, 0, 0), b = SolidFrame(109, 50, 255, 255, 255);
  const FrameImage out = Render(a, b, 1.0f, 8);
  EXPECT_EQ((Spans{{0, 102}}), Bars(out, 49));
  EXPECT_EQ((Spans{{0, 108}}), Bars(out, 0));
}

TEST_F(ShaftTest, FieldModeSamplesEverySecondLine) {
  // 100 x 25 rows in field mode lay the bars over the same 50 lines as 100 x 50.
  const FrameImage fa = SolidFrame(100, 25, 0, 0, 0), fb = SolidFrame(100, 25, 255, 255, 255);
  for (uint32_t v : {8u, 4u, 0x200u, 0x100u}) {
    for (float p : {0.1f, 0.3f, 0.55f}) {
      const FrameImage field = Render(fa, fb, p, v, 1), lines = Render(black_, white_, p, v);
      for (int32_t row = 0; row < 25; ++row) ASSERT_EQ(Bars(lines, 2 * row), Bars(field, row));
    }
  }
}

TEST_F(ShaftTest, MaskScratch) {
  const FrameImage a = PatternFrame(30, 8, 5), b = PatternFrame(30, 8, 6);
  FrameImage out = MakeFrameImage(30, 8, 0x3C);
  EXPECT_EQ(0, RenderShaftWith(test::DirectView(&out, a, b, 0.5f, {}), test::kFailingScratch));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 0, 0, 0, 0, 0x3C));
  for (int32_t field : {0, 1}) {
    test::g_scratchCounts = test::ScratchCounts();
    const FrameView v = test::DirectView(&out, a, b, 0.5f, test::Choose(8, field));
    EXPECT_EQ(1, RenderShaftWith(v, test::kCountingScratch));
    EXPECT_TRUE(test::g_scratchCounts.allocations == 1 && test::g_scratchCounts.releases == 1);
    EXPECT_EQ(30u * 8u * (field + 1),
              test::g_scratchCounts.lastBytes);  // one byte per picture pixel
  }
}

TEST_F(ShaftTest, SingleLineAndRectangleContract) {
  // One line leans over no height (slope 0 rather than 0 / 0); bar 0 covers its column.
  const FrameImage a = SolidFrame(6, 6, 1, 2, 3), b = SolidFrame(6, 6, 4, 5, 6);
  EXPECT_EQ(test::Bgr(4, 5, 6), test::At(RenderInRect(a, b, 0.5f, {}, 2, 3, 1, 1), 2, 3));
  EXPECT_EQ(test::Bgr(1, 2, 3), test::At(RenderInRect(a, b, 0.01f, {}, 2, 3, 1, 1), 2, 3));
  for (uint32_t v : {8u, 4u, 0x200u, 0x100u}) {
    for (int32_t field : {0, 1}) ExpectRectangleContract(test::Choose(v, field));
  }
}

}  // namespace
}  // namespace zk
