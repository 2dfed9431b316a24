// Glyph drawing of the visible cells: the plain form, pixel by pixel through the sheet, and
// the fast one, which reads each glyph's sheet rows once as runs of ink across the cell and
// takes scene B's cell sums row by row of the picture (whole numbers: the same sums).
#include <cstdint>
#include <memory>
#include <new>

#include "byte_sums.h"
#include "chars_phases.h"
#include "colour_word.h"

namespace zk {
namespace {

uint8_t BlendChannel(uint8_t towards, double weight, uint8_t own) {
  return static_cast<uint8_t>(static_cast<int32_t>(towards * weight + own * (1.0 - weight)));
}

// Mean of the cw x ch x 3 bytes that add up to `sum`, over 255.
double MeanOfCellSum(uint64_t sum, int32_t cw, int32_t ch) {
  const double count = 3.0 * cw * ch;
  return static_cast<double>(sum) / count / 255.0;
}

// Mean of every blue, green and red byte of scene B under the cell, over 255.
double CellMeanOfSceneB(const FrameView& v, int32_t left, int32_t top, int32_t cw, int32_t ch) {
  uint64_t sum = 0;
  for (int32_t y = 0; y < ch; ++y) {
    const uint8_t* row = SceneBRow(v, v.height - 1 - (top + y)) + 3 * left;
    for (int32_t i = 0; i < 3 * cw; ++i) sum += row[i];
  }
  return MeanOfCellSum(sum, cw, ch);
}

// How the cells of this frame are lit: their own brightness, scene B's, or a blend of both.
struct CellLighting {
  bool followSceneB;
  bool onlySceneB;
  double u;  // share of scene B's brightness while the two blend
  PixelBgr fg, bg;

  CellLighting(const FrameView& v, const CharsParams& params) {
    const double p = v.progress;
    followSceneB = p >= params.blendBrightnessStart;
    onlySceneB = p >= params.blendSceneBStart;
    u = followSceneB && !onlySceneB
            ? (p - params.blendBrightnessStart) /
                  (static_cast<double>(params.blendSceneBStart) - params.blendBrightnessStart)
            : 0.0;
    fg = ColourToPixel(params.foregroundColor);
    bg = ColourToPixel(params.backgroundColor);
  }

  // The ink of a lit cell; `mean` is read only when the cell follows scene B.
  PixelBgr Ink(uint8_t level, double mean) const {
    double light = level / 255.0;
    if (followSceneB) light = onlySceneB ? mean : mean * u + (1.0 - u) * light;
    return PixelBgr{BlendChannel(fg.b, light, bg.b), BlendChannel(fg.g, light, bg.g),
                    BlendChannel(fg.r, light, bg.r)};
  }
};

// The tape row cell row `row` shows, or -1 before or past the tape.
int32_t TapeRowOnScreen(const CharGrid& grid, int32_t row, double offset) {
  const double at = row + grid.tapeRows - offset;
  if (!(at > -1.0) || at >= grid.tapeRows) return -1;
  return static_cast<int32_t>(at);
}

// Runs of ink across a cell for each sheet row of one glyph: for sheet row r of the glyph,
// pairs [start, end) of cell columns from runs[first[r]] to runs[first[r + 1]].
class GlyphRuns {
 public:
  bool Build(const GlyphSheet& sheet, int32_t glyph, const int32_t* sheetColumn, int32_t cw) {
    const int32_t gh = sheet.glyphHeight;
    const size_t size = static_cast<size_t>(gh) + 1 + static_cast<size_t>(gh) * (cw + 1);
    table_.reset(new (std::nothrow) int32_t[size]);
    if (table_ == nullptr) return false;
    int32_t* first = table_.get();
    int32_t* runs = first + gh + 1;
    int32_t n = 0;
    for (int32_t r = 0; r < gh; ++r) {
      first[r] = n;
      const int32_t sy = glyph * gh + r;
      for (int32_t x = 0; x < cw;) {
        if (!SheetInk(sheet, sheetColumn[x], sy)) {
          ++x;
          continue;
        }
        runs[n++] = x;
        while (x < cw && SheetInk(sheet, sheetColumn[x], sy)) ++x;
        runs[n++] = x;
      }
    }
    first[gh] = n;
    gh_ = gh;
    return true;
  }
  bool Built() const { return table_ != nullptr; }
  const int32_t* Begin(int32_t r) const { return table_.get() + gh_ + 1 + table_[r]; }
  const int32_t* End(int32_t r) const { return table_.get() + gh_ + 1 + table_[r + 1]; }

 private:
  std::unique_ptr<int32_t[]> table_;
  int32_t gh_ = 0;
};

// Sheet column and row offset for every pixel of a cell: the glyph is stretched to the cell.
struct CellToSheet {
  std::unique_ptr<int32_t[]> column, row;
  CellToSheet(const GlyphSheet& sheet, int32_t cw, int32_t ch)
      : column(new (std::nothrow) int32_t[cw]), row(new (std::nothrow) int32_t[ch]) {
    if (!Valid()) return;
    for (int32_t x = 0; x < cw; ++x) column[x] = x * sheet.glyphWidth / cw;
    for (int32_t y = 0; y < ch; ++y) row[y] = y * sheet.glyphHeight / ch;
  }
  bool Valid() const { return column != nullptr && row != nullptr; }
};

// What both forms of the drawing start from: the cell size, where each cell pixel lies on
// the sheet and how the cells are lit. Not ready without cells or without memory.
struct CellPass {
  const GlyphSheet& sheet;
  int32_t cw, ch;
  bool hasCells;
  CellToSheet map;
  CellLighting lighting;

  CellPass(const FrameView& v, const CharsParams& params, const TapeView& tape)
      : sheet(*tape.sheet),
        cw(tape.cellWidth),
        ch(tape.cellHeight),
        hasCells(tape.grid->HasCells() && cw > 0 && ch > 0),
        map(sheet, hasCells ? cw : 0, hasCells ? ch : 0),
        lighting(v, params) {}
  bool Ready() const { return hasCells && map.Valid(); }

  // Cell (row, c) of glyph `glyph` in `ink`, pixel by pixel through the sheet.
  void DrawFromSheet(const FrameView& v, int32_t glyph, PixelBgr ink, int32_t row,
                     int32_t c) const {
    const int32_t glyphTop = glyph * sheet.glyphHeight;
    for (int32_t y = 0; y < ch; ++y) {
      uint8_t* out = OutRow(v, v.height - 1 - (row * ch + y)) + 3 * (c * cw);
      const int32_t sy = glyphTop + map.row[y];
      for (int32_t x = 0; x < cw; ++x) {
        if (!SheetInk(sheet, map.column[x], sy)) continue;
        out[3 * x] = ink.b;
        out[3 * x + 1] = ink.g;
        out[3 * x + 2] = ink.r;
      }
    }
  }
};

}  // namespace

void DrawCharacterCellsPlain(const FrameView& v, const CharsParams& params, const TapeView& tape,
                             const RowRange& cellRows) {
  const CellPass pass(v, params, tape);
  if (!pass.Ready()) return;
  const CharGrid& grid = *tape.grid;
  const int32_t end = cellRows.end < grid.visibleRows ? cellRows.end : grid.visibleRows;
  for (int32_t row = cellRows.first; row < end; ++row) {
    const int32_t g = TapeRowOnScreen(grid, row, tape.offset);
    if (g < 0) continue;
    for (int32_t c = 0; c < grid.cols; ++c) {
      const uint8_t level = grid.BrightnessAt(g, c);
      if (level == 0) continue;
      const double mean = pass.lighting.followSceneB
                              ? CellMeanOfSceneB(v, c * pass.cw, row * pass.ch, pass.cw, pass.ch)
                              : 0.0;
      pass.DrawFromSheet(v, grid.GlyphAt(g, c), pass.lighting.Ink(level, mean), row, c);
    }
  }
}

void DrawCharacterCells(const FrameView& v, const CharsParams& params, const TapeView& tape,
                        const RowRange& cellRows) {
  const CellPass pass(v, params, tape);
  if (!pass.Ready()) return;
  const CharGrid& grid = *tape.grid;
  const int32_t cw = pass.cw;
  const int32_t ch = pass.ch;
  const CellLighting& lighting = pass.lighting;
  std::unique_ptr<GlyphRuns[]> glyphs(new (std::nothrow) GlyphRuns[256]);
  std::unique_ptr<uint64_t[]> sums(new (std::nothrow) uint64_t[grid.cols]);
  if (glyphs == nullptr || sums == nullptr) {
    DrawCharacterCellsPlain(v, params, tape, cellRows);  // it needs less memory
    return;
  }

  const int32_t end = cellRows.end < grid.visibleRows ? cellRows.end : grid.visibleRows;
  for (int32_t row = cellRows.first; row < end; ++row) {
    const int32_t g = TapeRowOnScreen(grid, row, tape.offset);
    if (g < 0) continue;
    const uint8_t* levels = &grid.brightness[static_cast<size_t>(g) * grid.cols];
    if (lighting.followSceneB) {
      // Scene B under the lit cells, a line of the picture at a time.
      for (int32_t c = 0; c < grid.cols; ++c) sums[c] = 0;
      for (int32_t y = 0; y < ch; ++y) {
        const uint8_t* line = SceneBRow(v, v.height - 1 - (row * ch + y));
        for (int32_t c = 0; c < grid.cols; ++c) {
          if (levels[c] != 0) sums[c] += SumBytes(line + 3 * c * cw, 3 * cw);
        }
      }
    }
    for (int32_t c = 0; c < grid.cols; ++c) {
      if (levels[c] == 0) continue;
      const double mean = lighting.followSceneB ? MeanOfCellSum(sums[c], cw, ch) : 0.0;
      const PixelBgr ink = lighting.Ink(levels[c], mean);
      GlyphRuns& runs = glyphs[grid.GlyphAt(g, c)];
      if (!runs.Built() &&
          !runs.Build(*tape.sheet, grid.GlyphAt(g, c), pass.map.column.get(), cw)) {
        pass.DrawFromSheet(v, grid.GlyphAt(g, c), ink, row, c);
        continue;
      }
      for (int32_t y = 0; y < ch; ++y) {
        uint8_t* out = OutRow(v, v.height - 1 - (row * ch + y)) + 3 * (c * cw);
        const int32_t* end = runs.End(pass.map.row[y]);
        for (const int32_t* run = runs.Begin(pass.map.row[y]); run != end; run += 2) {
          for (int32_t x = run[0]; x < run[1]; ++x) {
            out[3 * x] = ink.b;
            out[3 * x + 1] = ink.g;
            out[3 * x + 2] = ink.r;
          }
        }
      }
    }
  }
}

}  // namespace zk
