// The character tape: frame-count estimates, a tape worked out by hand from the byte pool,
// and the rules every tape keeps (heads per row, trails with a floor, columns past 255).
#include <gtest/gtest.h>

#include "char_grid.h"
#include "chars_params.h"
#include "rand15.h"

namespace zk {
namespace {

TEST(CharsFrameClockTest, FirstCallAtHalfEstimatesTwoFrames) {
  FrameClock clock{};
  EXPECT_EQ(2, EstimateFrameCount(clock, 0.5f));  // trunc(1 / 0.5 + 0.49999)
  EXPECT_EQ(1, FrameIndexAt(2, 0.5f));            // trunc(2 x 0.5 + 0.49999)
}

TEST(CharsFrameClockTest, RepeatedProgressUsesTheRecordedStepWithoutRounding) {
  FrameClock clock{};
  // 1 / 0.6 = 1.67: rounded it gives 2 ...
  EXPECT_EQ(2, EstimateFrameCount(clock, 0.6f));
  AdvanceFrameClock(&clock, 0.6f);
  EXPECT_EQ(0.6f, clock.previousProgress);
  EXPECT_EQ(0.6f, clock.progressStep);
  // ... and truncated, as for a repeated progress, 1.
  EXPECT_EQ(1, EstimateFrameCount(clock, 0.6f));
  AdvanceFrameClock(&clock, 0.6f);
  EXPECT_EQ(0.0f, clock.progressStep);
  // Now no step is recorded: no estimate.
  EXPECT_EQ(0, EstimateFrameCount(clock, 0.6f));
  // Steps of 0.1 and of 0.04: 10.49999 -> 10 and 25.49999 -> 25.
  EXPECT_EQ(10, EstimateFrameCount(clock, 0.5f));
  EXPECT_EQ(25, EstimateFrameCount(clock, 0.64f));
}

TEST(CharsFrameClockTest, TinyStepsAreCapped) {
  FrameClock clock{};
  clock.previousProgress = 0.5f;
  EXPECT_EQ(kLargestFrameCount, EstimateFrameCount(clock, 0.50000006f));
  EXPECT_EQ(kLargestFrameCount, FrameIndexAt(kLargestFrameCount, 1.0f));
  EXPECT_EQ(0, FrameIndexAt(0, 0.7f));
}

// Settings for which the tape of a 3 x 2 cell screen and F = 4 is worked out by hand.
CharsParams HandWorkedSettings() {
  CharsParams p = CharsDefaults();
  p.dimOutEnd = 0.5f;
  p.blendBrightnessStart = 0.75f;
  p.buildUpShare = 0.5f;
  p.decreaseFactor = 0.5f;
  p.minBrightness = 50.0f;
  p.recreationRatio = 0.34f;  // trunc(3 x 0.34) = 1 head per row
  return p;
}

TEST(CharsGridTest, TapeWorkedOutByHand) {
  // 30 x 14 pixels in 10 x 7 cells: 3 columns, 2 visible rows. F = 4 and F - 22 < 3V with
  // 1.5V > F - 11 give speed 2; R = trunc(8 x 0.5) = 4, D = trunc(8 x 0.25) = 2 and
  // Q = trunc(2 + 2 x 0.5) = 3: row 3 builds up, rows 2..0 recreate.
  CharGrid grid;
  BuildCharGrid(HandWorkedSettings(), CharGridSize{30, 14, 10, 7, 4, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  EXPECT_EQ(3, grid.cols);
  EXPECT_EQ(2, grid.visibleRows);
  EXPECT_EQ(4, grid.tapeRows);
  EXPECT_EQ(2.0, grid.speed);
  // Row 3: three build-up draws (the second and third probe leftwards from a lit cell).
  // Row 2: trails at 127, a head in column 0. Row 1: trails 127, 63 and 63, a head in
  // column 1. Row 0: trails 63, 127 and 31 raised to the floor 50, a head in column 1.
  const uint8_t glyphs[4][3] = {{1, 1, 2}, {3, 3, 3}, {1, 3, 1}, {1, 3, 1}};
  const uint8_t levels[4][3] = {{63, 255, 50}, {127, 255, 63}, {255, 127, 127}, {255, 255, 255}};
  for (int32_t q = 0; q < 4; ++q) {
    for (int32_t c = 0; c < 3; ++c) {
      EXPECT_EQ(glyphs[q][c], grid.GlyphAt(q, c)) << "row " << q << " column " << c;
      EXPECT_EQ(levels[q][c], grid.BrightnessAt(q, c)) << "row " << q << " column " << c;
    }
  }
  // Row R is read as empty.
  for (int32_t c = 0; c < 3; ++c) EXPECT_EQ(0, grid.BrightnessAt(4, c));
}

TEST(CharsGridTest, BuildUpProbesLeftOnOddRowsWorkedByHand) {
  // 4 columns, one visible row, F = 2, speed 2: R = 3, D = 1 and, with the whole rest of
  // the tape building up, Q = 1. Row 2 (even) lights 2 cells; row 1 (odd) keeps their
  // trails and lights 2 more, the first after a hit on lit column 1 that walks left to
  // column 0; row 0 recreates with one head.
  CharsParams p = HandWorkedSettings();
  p.dimOutEnd = 0.25f;
  p.blendBrightnessStart = 0.75f;
  p.buildUpShare = 1.0f;
  p.recreationRatio = 0.15f;
  CharGrid grid;
  BuildCharGrid(p, CharGridSize{40, 7, 10, 7, 2, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  ASSERT_EQ(3, grid.tapeRows);
  const uint8_t glyphs[3][4] = {{2, 3, 3, 4}, {3, 2, 2, 2}, {0, 2, 0, 1}};
  const uint8_t levels[3][4] = {{127, 63, 127, 255}, {255, 127, 255, 127}, {0, 255, 0, 255}};
  for (int32_t q = 0; q < 3; ++q) {
    for (int32_t c = 0; c < 4; ++c) {
      EXPECT_EQ(glyphs[q][c], grid.GlyphAt(q, c)) << "row " << q << " column " << c;
      EXPECT_EQ(levels[q][c], grid.BrightnessAt(q, c)) << "row " << q << " column " << c;
    }
  }
}

TEST(CharsGridTest, SpeedFollowsTheFrameCount) {
  CharsParams p = CharsDefaults();
  CharGrid grid;
  // 10 visible rows: F = 30 gives F - 22 < 30 and 15 <= 19, speed 1.
  BuildCharGrid(p, CharGridSize{100, 100, 10, 10, 30, 10}, &grid);
  EXPECT_EQ(1.0, grid.speed);
  EXPECT_EQ(26, grid.tapeRows);  // trunc(30 x 1 x 0.88)
  // F = 52 reaches 3V: speed 1, or half a row with slowDown.
  BuildCharGrid(p, CharGridSize{100, 100, 10, 10, 52, 10}, &grid);
  EXPECT_EQ(1.0, grid.speed);
  p.slowDown = 1;
  BuildCharGrid(p, CharGridSize{100, 100, 10, 10, 52, 10}, &grid);
  EXPECT_EQ(0.5, grid.speed);
  EXPECT_EQ(22, grid.tapeRows);  // trunc(52 x 0.5 x 0.88) = trunc(22.88)
}

TEST(CharsGridTest, NoEstimateBuildsNoTape) {
  CharGrid grid;
  BuildCharGrid(CharsDefaults(), CharGridSize{100, 100, 10, 10, 0, 10}, &grid);
  EXPECT_FALSE(grid.HasCells());
  EXPECT_EQ(0, grid.tapeRows);
  // A screen narrower than a cell has no columns and so no arrays either.
  BuildCharGrid(CharsDefaults(), CharGridSize{9, 100, 10, 10, 40, 10}, &grid);
  EXPECT_FALSE(grid.HasCells());
}

int32_t LitCells(const CharGrid& g, int32_t q) {
  int32_t lit = 0;
  for (int32_t c = 0; c < g.cols; ++c) lit += g.BrightnessAt(q, c) != 0;
  return lit;
}

TEST(CharsGridTest, RecreationRatioZeroStillSeedsOneHeadPerRow) {
  CharsParams p = CharsDefaults();
  p.recreationRatio = 0.0f;
  p.buildUpShare = 0.0f;    // Q = R: every row recreates
  p.decreaseFactor = 0.0f;  // trails die at once ...
  p.minBrightness = 0.0f;   // ... with no floor to keep them
  CharGrid grid;
  BuildCharGrid(p, CharGridSize{200, 100, 10, 10, 60, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  ASSERT_GT(grid.tapeRows, 10);
  for (int32_t q = 0; q < grid.tapeRows; ++q) {
    EXPECT_EQ(1, LitCells(grid, q)) << "row " << q;
    for (int32_t c = 0; c < grid.cols; ++c) {
      const uint8_t level = grid.BrightnessAt(q, c);
      EXPECT_TRUE(level == 0 || level == 255);
      EXPECT_LT(grid.GlyphAt(q, c), 9);  // pool glyphs lie in 0..N-2
    }
  }
}

TEST(CharsGridTest, TrailsFadeToTheFloorOrEndAtZero) {
  CharsParams p = CharsDefaults();
  CharGrid grid;
  BuildCharGrid(p, CharGridSize{300, 200, 10, 10, 80, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  // With a floor of 50 a lit cell stays lit in every later (lower) row, at 50 or more.
  for (int32_t q = grid.tapeRows - 1; q > 0; --q) {
    for (int32_t c = 0; c < grid.cols; ++c) {
      if (grid.BrightnessAt(q, c) == 0) continue;
      EXPECT_GE(grid.BrightnessAt(q - 1, c), 50) << "row " << q - 1 << " column " << c;
    }
  }
  // Without a floor a trail below a lone head halves (factor 0.5) until it truncates to 0:
  // 255, 127, 63, 31, 15, 7, 3, 1, then 0.
  p.minBrightness = 0.0f;
  p.decreaseFactor = 0.5f;
  p.recreationRatio = 0.0f;
  p.buildUpShare = 0.0f;
  BuildCharGrid(p, CharGridSize{300, 200, 10, 10, 80, 10}, &grid);
  int32_t checked = 0;
  for (int32_t q = grid.tapeRows - 1; q >= 9; --q) {
    for (int32_t c = 0; c < grid.cols; ++c) {
      if (grid.BrightnessAt(q, c) != 255 || grid.BrightnessAt(q + 1, c) != 0) continue;
      const uint8_t fade[] = {127, 63, 31, 15, 7, 3, 1};
      bool clear = true;  // no new head in the trail's way
      for (int32_t k = 1; k <= 8; ++k) clear = clear && grid.BrightnessAt(q - k, c) != 255;
      if (!clear) continue;
      for (int32_t k = 0; k < 7; ++k) EXPECT_EQ(fade[k], grid.BrightnessAt(q - 1 - k, c));
      EXPECT_EQ(0, grid.BrightnessAt(q - 8, c));
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(CharsGridTest, BuildUpRowsReachTheirTarget) {
  CharsParams p = CharsDefaults();
  p.buildUpShare = 1.0f;  // Q = D: everything after the brightness row builds up
  CharGrid grid;
  const int32_t frames = 100;
  BuildCharGrid(p, CharGridSize{400, 300, 10, 10, frames, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  const int32_t r = grid.tapeRows;  // trunc(100 x 1 x 0.88) = 88
  ASSERT_EQ(88, r);
  const int32_t q0 = 59;  // D = trunc(100 x (1 - 0.4f)) = trunc(59.9999994)
  for (int32_t q = q0; q < r; ++q) {
    const int32_t target = grid.cols * (r - q) / (r - q0);
    EXPECT_GE(LitCells(grid, q), target) << "row " << q;
  }
  // The last row to arrive is full.
  EXPECT_EQ(grid.cols, LitCells(grid, q0));
}

TEST(CharsGridTest, ColumnCountsFromTheByteBoundStayInRange) {
  // 256 columns make the pool's bound 0 and 300 columns make it 44: neither may hang, and
  // every head lands in an existing column.
  for (int32_t cols : {256, 300, 512}) {
    CharGrid grid;
    BuildCharGrid(CharsDefaults(), CharGridSize{cols * 2, 60, 2, 2, 40, 10}, &grid);
    ASSERT_TRUE(grid.HasCells());
    ASSERT_EQ(cols, grid.cols);
    int32_t lit = 0;
    for (int32_t q = 0; q < grid.tapeRows; ++q) lit += LitCells(grid, q);
    EXPECT_GT(lit, 0);
  }
}

TEST(CharsGridTest, RandomizedGlyphsComeFromTheRunningGenerator) {
  CharGrid grid;
  BuildCharGrid(CharsDefaults(), CharGridSize{50, 30, 10, 10, 20, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  Rand15Seed(12345);
  RandomizeGridGlyphs(10, &grid);
  // The generator spelled out: state x 214013 + 2531011, bits 16..30.
  uint32_t state = 12345;
  for (int32_t q = 0; q < grid.tapeRows; ++q) {
    for (int32_t c = 0; c < grid.cols; ++c) {
      state = state * 214013u + 2531011u;
      const int32_t r = static_cast<int32_t>((state >> 16) & 0x7FFF);
      ASSERT_EQ(r * 9 / 32767, grid.GlyphAt(q, c)) << "row " << q << " column " << c;
    }
  }
  // Row R (empty) is left alone.
  for (int32_t c = 0; c < grid.cols; ++c) EXPECT_EQ(0, grid.GlyphAt(grid.tapeRows, c));
}

}  // namespace
}  // namespace zk
