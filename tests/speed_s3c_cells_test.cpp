// The chars cell drawing from runs of ink with scene B summed line by line, against the
// plain drawing pixel by pixel through the sheet, byte for byte: every character map,
// cells smaller and larger than the glyphs, tapes partly on screen, brightness from the tape,
// blended with scene B and from scene B alone, rectangles away from the origin and field
// mode. The byte sums against their plain form.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "byte_sums.h"
#include "chars_params.h"
#include "chars_phases.h"
#include "chars_test_views.h"
#include "speed_test_support.h"
#include "test_support.h"

namespace zk {
namespace {

using test::NextRandom;
using test::RandomFrame;
using test::RectView;

TEST(SpeedS3cCells, ByteSumsEqualThePlainForm) {
  uint32_t seed = 5;
  std::vector<uint8_t> bytes(300);
  for (int32_t trial = 0; trial < 4; ++trial) {
    for (uint8_t& b : bytes) b = trial == 0 ? 255 : static_cast<uint8_t>(NextRandom(&seed));
    for (int32_t start = 0; start < 17; ++start) {
      for (int32_t count = 0; start + count <= 300; count += 1 + count / 8) {
        ASSERT_EQ(SumBytesPlain(&bytes[start], count), SumBytes(&bytes[start], count))
            << "start " << start << " count " << count;
      }
    }
  }
  // Worked out: 1 + 2 + ... + 40 = 820, and 4099 bytes of 255 (past any 16-bit lane).
  std::vector<uint8_t> ramp(40);
  for (int32_t i = 0; i < 40; ++i) ramp[i] = static_cast<uint8_t>(i + 1);
  EXPECT_EQ(820u, SumBytes(ramp.data(), 40));
  EXPECT_EQ(0u, SumBytes(ramp.data(), 0));
  std::vector<uint8_t> full(4099, 255);
  EXPECT_EQ(uint64_t{255} * 4099, SumBytes(full.data(), 4099));
}

struct Map {
  int32_t sheetId, gw, gh;
};
constexpr Map kMaps[] = {{kSheetSmallDigits, 5, 7},       {kSheetBold10x14, 10, 14},
                         {kSheetBold18x26, 18, 26},       {kSheetSigns10x14, 10, 14},
                         {kSheetTypewriter14x20, 14, 20}, {kSheetTypewriter10x16, 10, 16},
                         {kSheetSigns16x20, 16, 20}};

// A tape of random glyphs and brightness (a third of the cells unlit) for a rectangle.
void RandomTape(int32_t w, int32_t h, int32_t cw, int32_t ch, int32_t glyphs, uint32_t* seed,
                CharGrid* grid) {
  grid->cols = w / cw;
  grid->visibleRows = h / ch;
  grid->tapeRows = 1 + static_cast<int32_t>(NextRandom(seed) % 30);
  grid->speed = 1.0;
  const size_t n = static_cast<size_t>(grid->tapeRows + 2) * grid->cols;
  grid->glyph.reset(new uint8_t[n]());
  grid->brightness.reset(new uint8_t[n]());
  for (size_t i = 0; i < static_cast<size_t>(grid->tapeRows) * grid->cols; ++i) {
    grid->glyph[i] = static_cast<uint8_t>(NextRandom(seed) % glyphs);
    const uint32_t r = NextRandom(seed) % 3;
    grid->brightness[i] = r == 0 ? 0 : (r == 1 ? 255 : static_cast<uint8_t>(NextRandom(seed)));
  }
}

TEST(SpeedS3cCells, RunsEqualTheSheetPixelByPixel) {
  uint32_t seed = 777;
  const struct {
    int32_t frameW, frameH, left, top, w, h;
    bool field;
  } shapes[] = {{120, 90, 0, 0, 120, 90, false},  {161, 101, 7, 5, 131, 83, false},
                {97, 131, 3, 2, 90, 120, true},   {64, 48, 0, 0, 64, 48, true},
                {250, 40, 11, 3, 233, 31, false}, {33, 17, 0, 0, 33, 17, false}};
  const float progress[] = {0.3f, 0.4f, 0.55f, 0.849f, 0.85f, 0.99f};
  for (const Map& m : kMaps) {
    GlyphSheet sheet;
    ASSERT_TRUE(LoadEmbeddedGlyphSheet(GlyphMapChoice{m.sheetId, m.gw, m.gh}, &sheet));
    const struct {
      int32_t cw, ch;
    } cells[] = {{m.gw, m.gh}, {1, 1}, {3, 2}, {m.gw - 1, m.gh + 3}, {2 * m.gw + 1, 3 * m.gh},
                 {38, 43}};
    for (const auto& cell : cells) {
      for (const auto& s : shapes) {
        const int32_t rows = s.field ? s.h / 2 : s.h;
        if (cell.cw > s.w || cell.ch > rows) continue;
        for (float p : progress) {
          CharsParams params = CharsDefaults();
          params.foregroundColor = NextRandom(&seed) & 0xFFFFFF;
          params.backgroundColor = NextRandom(&seed) & 0xFFFFFF;
          CharGrid grid;
          RandomTape(s.w, rows, cell.cw, cell.ch, sheet.glyphCount, &seed, &grid);
          // From before the tape reaches the screen to past its end, in steps of a fraction.
          const double offset = static_cast<double>(NextRandom(&seed) % 400) / 8.0 - 5.0;
          const FrameImage a = RandomFrame(s.frameW, s.frameH, seed++);
          const FrameImage b = RandomFrame(s.frameW, s.frameH, seed++);
          FrameImage fast = RandomFrame(s.frameW, s.frameH, seed++);
          FrameImage plain = fast;
          FrameView vf = RectView(fast, a, b, s.left, s.top, s.w, s.h, p, nullptr);
          FrameView vp = RectView(plain, a, b, s.left, s.top, s.w, s.h, p, nullptr);
          if (s.field) {
            for (FrameView* v : {&vf, &vp}) test::TakeEveryOtherLine(v, rows);
          }
          const TapeView tape{&grid, &sheet, cell.cw, cell.ch, offset};
          DrawCharacterCells(vf, params, tape);
          DrawCharacterCellsPlain(vp, params, tape);
          ASSERT_EQ(plain.pixels, fast.pixels)
              << "sheet " << m.sheetId << " cell " << cell.cw << "x" << cell.ch << " rect " << s.w
              << "x" << s.h << (s.field ? " field" : "") << " p " << p << " offset " << offset;
        }
      }
    }
  }
}

// Scene A dimmed through per-channel tables against every byte worked out on its own.
TEST(SpeedS3cCells, DimOutTablesEqualThePlainForm) {
  uint32_t seed = 99;
  const float progress[] = {0.0f, 0.001f, 0.03f, 0.06f, 0.1199f, 0.3f, 0.5f};
  for (const auto& c : test::SpeedCases()) {
    for (float p : progress) {
      for (uint32_t background : {0x000000u, 0xFFFFFFu, 0x3080F0u}) {
        CharsParams params = CharsDefaults();
        params.backgroundColor = background;
        if (p >= 0.3f) params.dimOutEnd = 0.0f;  // no dim-out span: the background at once
        const FrameImage a = RandomFrame(c.width, c.height, seed++);
        FrameImage fast = RandomFrame(c.width, c.height, seed++);
        FrameImage plain = fast;
        int32_t left = c.left, top = c.top, w = c.rectWidth, h = c.rectHeight;
        if (c.wholeFrame) left = top = 0, w = c.width, h = c.height;
        FrameView vf = RectView(fast, a, a, left, top, w, h, p, nullptr);
        FrameView vp = RectView(plain, a, a, left, top, w, h, p, nullptr);
        if (c.fieldMode != 0) {
          for (FrameView* v : {&vf, &vp}) test::TakeEveryOtherLine(v, h / 2);
        }
        DimOutSceneA(vf, params);
        DimOutSceneAPlain(vp, params);
        ASSERT_EQ(plain.pixels, fast.pixels) << c.width << "x" << c.height << " p " << p;
      }
    }
  }
}

// A tape with no cells draws nothing in either form.
TEST(SpeedS3cCells, NoCellsNoDrawing) {
  GlyphSheet sheet;
  ASSERT_TRUE(LoadEmbeddedGlyphSheet(GlyphMapChoice{kSheetBold10x14, 10, 14}, &sheet));
  const FrameImage a = RandomFrame(40, 30, 1);
  FrameImage out = RandomFrame(40, 30, 2);
  const FrameImage before = out;
  CharGrid grid;
  grid.cols = 4;
  grid.visibleRows = 2;
  grid.tapeRows = 3;
  const CharsParams params = CharsDefaults();
  DrawCharacterCells(test::WholeView(out, a, a, 0.5f, nullptr), params,
                     TapeView{&grid, &sheet, 10, 14, 1.0});
  EXPECT_EQ(before.pixels, out.pixels);
}

}  // namespace
}  // namespace zk
