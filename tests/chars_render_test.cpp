// The character rain's frame call on hand-worked frames: dim-out, one cell drawn from the
// 5 x 7 digits, brightness following scene B, the crossfade, the glow and refused calls.
#include "chars_render.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "char_grid.h"
#include "chars_params.h"
#include "chars_phases.h"
#include "chars_test_views.h"
#include "glyph_sheet.h"
#include "test_support.h"

namespace zk {
namespace {

using test::OutsideRectUntouched;
using test::PatternFrame;
using test::RectView;
using test::SolidFrame;
using test::ViewPixel;
using test::WholeView;

bool RefuseSheet(const GlyphMapChoice&, GlyphSheet*) { return false; }

GlyphMapChoice g_lastMap;
bool RecordingLoader(const GlyphMapChoice& map, GlyphSheet* sheet) {
  g_lastMap = map;
  return LoadEmbeddedGlyphSheet(map, sheet);
}

void ExpectPixel(const FrameView& v, int32_t x, int32_t row, uint8_t b, uint8_t g, uint8_t r) {
  const uint8_t* px = ViewPixel(v, x, row);
  EXPECT_EQ(b, px[0]) << "pixel " << x << "," << row;
  EXPECT_EQ(g, px[1]) << "pixel " << x << "," << row;
  EXPECT_EQ(r, px[2]) << "pixel " << x << "," << row;
}

TEST(CharsRenderTest, DimOutBlendsSceneATowardsTheBackground) {
  CharsParams p = CharsDefaults();
  p.backgroundColor = 0x000064;  // red 100
  FrameImage a = SolidFrame(4, 3, 200, 200, 200);
  FrameImage b = SolidFrame(4, 3, 9, 9, 9);
  FrameImage out = MakeFrameImage(4, 3, 0xEE);
  FrameClock clock{};
  // 0.06f is exactly half of 0.12f: u = 0.5.
  const FrameView v = WholeView(out, a, b, 0.06f, &p);
  ASSERT_EQ(1, RenderChars(v, &clock, RefuseSheet));  // no map is needed yet
  for (int32_t row = 0; row < 3; ++row)
    for (int32_t x = 0; x < 4; ++x) ExpectPixel(v, x, row, 100, 100, 150);
  EXPECT_EQ(0.06f, clock.previousProgress);
  EXPECT_EQ(0.06f, clock.progressStep);
}

TEST(CharsRenderTest, JustBeforeTheRainSceneAIsGone) {
  CharsParams p = CharsDefaults();
  FrameImage a = PatternFrame(120, 110, 5);
  FrameImage b = PatternFrame(120, 110, 6);
  FrameImage out = MakeFrameImage(120, 110, 0xEE);
  FrameClock clock{};
  const FrameView v = WholeView(out, a, b, 0.1199f, &p);
  ASSERT_EQ(1, RenderChars(v, &clock, RecordingLoader));
  // 1 - u is below 1/1000: every byte truncates to the black background, no characters.
  for (int32_t row = 0; row < 110; ++row)
    for (int32_t x = 0; x < 120; ++x) ExpectPixel(v, x, row, 0, 0, 0);
}

// The 5 x 7 digit 4 as drawn in the map, top row first.
const char* const kSmallFour[7] = {".....", ".#.#.", ".#.#.", ".###.", "...#.", "...#.", "....."};

// One cell row and one column: 5 x 7 pixels at (3, 2) of a 12 x 11 frame. With F = 2 the
// tape has R = 3 rows, every one holding glyph 4 at full brightness (worked by hand from
// the pool: build-up row 2, then trails and one head per row).
struct OneCell {
  CharsParams p = CharsDefaults();
  FrameImage a = SolidFrame(12, 11, 1, 2, 3);
  FrameImage b = SolidFrame(12, 11, 255, 255, 255);
  FrameImage out = MakeFrameImage(12, 11, 0xEE);
  OneCell() {
    p.backgroundColor = 0x640000;  // blue 100
    p.foregroundColor = 0x0064C9;  // red 201, green 100
    p.dimOutEnd = 0.25f;
    p.blendBrightnessStart = 0.75f;
    p.blendSceneBStart = 0.875f;
    p.decreaseFactor = 0.5f;
    p.fixedRatio = 1;  // ignored under 100 pixels
    // Scene B is black under the cell and white around it.
    for (int32_t row = 2; row < 9; ++row)
      for (int32_t x = 3; x < 8; ++x) std::memset(PixelAt(b, x, row), 0, 3);
  }
  FrameView View(float progress) { return RectView(out, a, b, 3, 2, 5, 7, progress, &p); }
  void ExpectCell(const FrameView& v, const uint8_t ink[3], const uint8_t paper[3]) {
    for (int32_t y = 0; y < 7; ++y) {
      for (int32_t x = 0; x < 5; ++x) {
        const uint8_t* want = kSmallFour[y][x] == '#' ? ink : paper;
        ExpectPixel(v, x, 6 - y, want[0], want[1], want[2]);  // screen row y is row H-1-y
      }
    }
    EXPECT_TRUE(OutsideRectUntouched(out, 3, 2, 5, 7, 0xEE));
  }
};

TEST(CharsRenderTest, NarrowRectangleDrawsTheSmallDigitsInCellsOfTheirOwnSize) {
  OneCell cell;
  FrameClock clock{};
  // First call of the process at p = 0.5: F = 2, frame index 1, tape offset
  // (1 - 2 x 0.25) x 2 = 1, so the cell shows tape row 2 at brightness 1.
  const FrameView v = cell.View(0.5f);
  ASSERT_EQ(1, RenderChars(v, &clock, RecordingLoader));
  EXPECT_EQ(kSheetSmallDigits, g_lastMap.sheetId);
  EXPECT_EQ(2, clock.frameCount);
  EXPECT_EQ(1, clock.frameIndex);
  const uint8_t ink[3] = {0, 100, 201};
  const uint8_t paper[3] = {100, 0, 0};
  cell.ExpectCell(v, ink, paper);
}

TEST(CharsRenderTest, BrightnessFollowsSceneBUnderTheCell) {
  OneCell cell;
  FrameClock clock{};
  clock.previousProgress = 0.3125f;
  // Step 0.5: F = 2; index trunc(2 x 0.8125 + 0.49999) = 2; offset 3 shows tape row 0.
  // u = (0.8125 - 0.75) / 0.125 = 0.5 and scene B is black under the cell (white around
  // it, which must not count): L = 0 x 0.5 + 0.5 x 1 = 0.5.
  const FrameView v = cell.View(0.8125f);
  ASSERT_EQ(1, RenderChars(v, &clock, RecordingLoader));
  EXPECT_EQ(2, clock.frameIndex);
  const uint8_t ink[3] = {50, 50, 100};  // trunc(fg x 0.5 + bg x 0.5)
  const uint8_t paper[3] = {100, 0, 0};
  cell.ExpectCell(v, ink, paper);
}

TEST(CharsRenderTest, CrossfadeToSceneBAtTheEnd) {
  OneCell cell;
  FrameClock clock{};
  clock.previousProgress = 0.4375f;
  // L = M = 0 draws the glyph in the background colour; then the crossfade with
  // f = (0.9375 - 0.875) / 0.125 = 0.5 over scene B = 0: every blue byte 50.
  const FrameView v = cell.View(0.9375f);
  ASSERT_EQ(1, RenderChars(v, &clock, RecordingLoader));
  const uint8_t half[3] = {50, 0, 0};
  cell.ExpectCell(v, half, half);
}

TEST(CharsRenderTest, UnlitCellsStayBackgroundHoweverBrightSceneBIs) {
  CharsParams p = CharsDefaults();
  p.backgroundColor = 0x102030;
  p.minBrightness = 0.0f;  // short trails leave unlit cells between them
  p.decreaseFactor = 0.5f;
  FrameImage a = SolidFrame(150, 120, 0, 0, 0);
  FrameImage b = SolidFrame(150, 120, 255, 255, 255);
  FrameImage out = MakeFrameImage(150, 120);
  FrameClock clock{};
  clock.previousProgress = 0.425f;
  const float progress = 0.45f;  // past blendBrightnessStart, before the crossfade
  const FrameView v = WholeView(out, a, b, progress, &p);
  ASSERT_EQ(1, RenderChars(v, &clock, RecordingLoader));
  // The same tape the frame was drawn from: cells 3 x 4 pixels (2 % and 4 %).
  const int32_t cw = 3, ch = 4;
  CharGrid grid;
  BuildCharGrid(p, CharGridSize{150, 120, cw, ch, clock.frameCount, 10}, &grid);
  ASSERT_TRUE(grid.HasCells());
  const double offset = (clock.frameIndex - clock.frameCount * double{p.dimOutEnd}) * grid.speed;
  int32_t unlit = 0, lit = 0;
  for (int32_t row = 0; row < grid.visibleRows; ++row) {
    const double at = row + grid.tapeRows - offset;
    for (int32_t c = 0; c < grid.cols; ++c) {
      const bool shown =
          at > -1.0 && at < grid.tapeRows && grid.BrightnessAt(static_cast<int32_t>(at), c) != 0;
      (shown ? lit : unlit) += 1;
      if (shown) continue;
      for (int32_t y = 0; y < ch; ++y)
        for (int32_t x = 0; x < cw; ++x)
          ExpectPixel(v, c * cw + x, 119 - (row * ch + y), 0x10, 0x20, 0x30);
    }
  }
  EXPECT_GT(unlit, 0);
  EXPECT_GT(lit, 0);
}

TEST(CharsRenderTest, RefusedCallsLeaveTheOutputAloneButAdvanceTheClock) {
  CharsParams p = CharsDefaults();
  FrameImage a = PatternFrame(100, 100, 1);
  FrameImage b = PatternFrame(100, 100, 2);
  FrameImage out = MakeFrameImage(100, 100, 0xEE);
  FrameClock clock{};
  EXPECT_EQ(0, RenderChars(WholeView(out, a, b, 0.5f, &p), &clock, RefuseSheet));
  EXPECT_EQ(0.5f, clock.previousProgress);
  // Column size 10 at 100 pixels: cells 0 pixels wide.
  p.columnSize = 10;
  EXPECT_EQ(0, RenderChars(WholeView(out, a, b, 0.6f, &p), &clock, RecordingLoader));
  EXPECT_EQ(0.6f, clock.previousProgress);
  EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, 0xEE));
}

TEST(CharsRenderTest, MissingSettingsRenderAsTheDefaults) {
  CharsParams p = CharsDefaults();
  FrameImage a = PatternFrame(160, 120, 1);
  FrameImage b = PatternFrame(160, 120, 2);
  FrameImage withDefaults = MakeFrameImage(160, 120);
  FrameImage withNone = MakeFrameImage(160, 120);
  FrameClock first{}, second{};
  for (float progress : {0.3f, 0.35f, 0.9f}) {
    ASSERT_EQ(1, RenderChars(WholeView(withDefaults, a, b, progress, &p), &first, RecordingLoader));
    ASSERT_EQ(1,
              RenderChars(WholeView(withNone, a, b, progress, nullptr), &second, RecordingLoader));
    EXPECT_EQ(withDefaults.pixels, withNone.pixels) << "p=" << progress;
  }
}

TEST(CharsRenderTest, MapFollowsTheSettingAndTheRectangleSize) {
  EXPECT_EQ(kSheetSmallDigits, ChooseGlyphMap(1, 99, 500).sheetId);
  EXPECT_EQ(kSheetSmallDigits, ChooseGlyphMap(1, 500, 99).sheetId);
  EXPECT_EQ(kSheetBold18x26, ChooseGlyphMap(1, 100, 100).sheetId);
  EXPECT_EQ(kSheetBold10x14, ChooseGlyphMap(0, 100, 100).sheetId);
  EXPECT_EQ(kSheetTypewriter10x16, ChooseGlyphMap(2, 100, 100).sheetId);
  EXPECT_EQ(kSheetTypewriter14x20, ChooseGlyphMap(3, 100, 100).sheetId);
  EXPECT_EQ(kSheetSigns10x14, ChooseGlyphMap(4, 100, 100).sheetId);
  EXPECT_EQ(kSheetSigns16x20, ChooseGlyphMap(5, 100, 100).sheetId);
  const GlyphMapChoice unknown = ChooseGlyphMap(7, 100, 100);
  EXPECT_EQ(kSheetTypewriter10x16, unknown.sheetId);
  EXPECT_EQ(10, unknown.glyphWidth);
  EXPECT_EQ(16, unknown.glyphHeight);
  EXPECT_EQ(kSheetTypewriter10x16, ChooseGlyphMap(-1, 100, 100).sheetId);
}

// An 11 x 11 black rectangle with one white pixel in the middle, glowed.
TEST(CharsGlowTest, WeightsFallWithTheTruncatedDistance) {
  FrameImage a = SolidFrame(11, 11, 0, 0, 0);
  FrameImage out = SolidFrame(11, 11, 0, 0, 0);
  std::memset(PixelAt(out, 5, 5), 255, 3);
  const FrameView v = WholeView(out, a, a, 0.5f, nullptr);
  ApplyGlow(v, 0x000000);
  // Distance 1: trunc(255 x 0.48) = 122; 2: trunc(255 x 0.32) = 81; 3: trunc(255 x 0.16)
  // = 40; 4 and beyond: unchanged.
  const struct {
    int32_t dx, dy;
    uint8_t value;
  } cases[] = {{0, 0, 255}, {1, 0, 122}, {0, -1, 122}, {1, 1, 122}, {2, 0, 81},
               {2, 1, 81},  {2, 2, 81},  {0, 3, 40},   {3, 1, 40},  {3, 2, 40},
               {4, 0, 0},   {3, 3, 0},   {5, 0, 0},    {5, 5, 0}};
  for (const auto& c : cases) {
    const uint8_t* px = ViewPixel(v, 5 + c.dx, 5 + c.dy);
    EXPECT_EQ(c.value, px[0]) << c.dx << "," << c.dy;
    EXPECT_EQ(c.value, px[2]) << c.dx << "," << c.dy;
  }
}

TEST(CharsGlowTest, NearestFirstInMemoryOrderOnTheUnglowedPicture) {
  FrameImage a = SolidFrame(9, 9, 0, 0, 0);
  FrameImage out = SolidFrame(9, 9, 0, 0, 0);
  // Red two rows below (earlier in memory) and blue two rows above pixel (4, 4).
  PixelAt(out, 4, 2)[2] = 210;
  PixelAt(out, 4, 6)[0] = 210;
  const FrameView v = WholeView(out, a, a, 0.5f, nullptr);
  ApplyGlow(v, 0x000000);
  // (4, 4) is 2 from both: the red one comes first, trunc(0.32 x 210) = 67.
  ExpectPixel(v, 4, 4, 0, 0, 67);
  // (4, 5) is 1 from the blue one: trunc(0.48 x 210) = 100.
  ExpectPixel(v, 4, 5, 100, 0, 0);
  // The characters themselves are copied.
  ExpectPixel(v, 4, 2, 0, 0, 210);
  // (7, 1) is 3 from red: trunc(0.16 x 210) = 33. Its neighbour (8, 0) is 4 from red and
  // stays black: glowed pixels do not glow on.
  ExpectPixel(v, 7, 1, 0, 0, 33);
  ExpectPixel(v, 8, 0, 0, 0, 0);
}

}  // namespace
}  // namespace zk
