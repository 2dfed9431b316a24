#include "chars_phases.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "colour_word.h"
#include "pixel_rows.h"

namespace zk {
namespace {

constexpr int32_t kGlowRadius = 4;
constexpr double kGlowStrength = 0.8;

double Clamp01(double x) { return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x); }

uint8_t BlendChannel(uint8_t towards, double weight, uint8_t own) {
  return static_cast<uint8_t>(static_cast<int32_t>(towards * weight + own * (1.0 - weight)));
}

// Mean of every blue, green and red byte of scene B under the cell, over 255.
double CellMeanOfSceneB(const FrameView& v, int32_t left, int32_t top, int32_t cw, int32_t ch) {
  uint64_t sum = 0;
  for (int32_t y = 0; y < ch; ++y) {
    const uint8_t* row = SceneBRow(v, v.height - 1 - (top + y)) + 3 * left;
    for (int32_t i = 0; i < 3 * cw; ++i) sum += row[i];
  }
  const double count = 3.0 * cw * ch;
  return static_cast<double>(sum) / count / 255.0;
}

}  // namespace

void DimOutSceneA(const FrameView& v, const CharsParams& p) {
  const double u =
      p.dimOutEnd > 0.0f ? Clamp01(v.progress / static_cast<double>(p.dimOutEnd)) : 1.0;
  const PixelBgr bg = ColourToPixel(p.backgroundColor);
  const double toward[3] = {u * bg.b, u * bg.g, u * bg.r};
  const double keep = 1.0 - u;
  ForEachRectRow(v, [&](uint8_t* out, const uint8_t* a, const uint8_t*, int32_t) {
    for (int32_t i = 0; i < 3 * v.width; ++i) {
      out[i] = static_cast<uint8_t>(static_cast<int32_t>(a[i] * keep + toward[i % 3]));
    }
  });
}

void CrossfadeToSceneB(const FrameView& v, const CharsParams& p) {
  const double span = 1.0 - p.blendSceneBStart;
  const double f =
      span > 0.0 ? Clamp01((v.progress - static_cast<double>(p.blendSceneBStart)) / span) : 1.0;
  // The table's terms are (1 - f) x current and f x B, the products of the plain formula.
  ByteBlendTable table;
  MakeCrossfadeTable(f, &table);
  ForEachRectRow(v, [&](uint8_t* out, const uint8_t*, const uint8_t* b, int32_t) {
    BlendRowWithTable(out, out, b, 3 * v.width, table);
  });
}

void FillBackground(const FrameView& v, uint32_t backgroundColor) {
  const PixelBgr bg = ColourToPixel(backgroundColor);
  ForEachRectRow(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t) {
    FillRowPixel(out, v.width, bg);
  });
}

void DrawCharacterCells(const FrameView& v, const CharsParams& params, const TapeView& tape) {
  const CharGrid& grid = *tape.grid;
  const GlyphSheet& sheet = *tape.sheet;
  const int32_t cw = tape.cellWidth;
  const int32_t ch = tape.cellHeight;
  if (!grid.HasCells() || cw <= 0 || ch <= 0) return;

  // Sheet column and row offset for every pixel of a cell: the glyph is stretched to the cell.
  std::unique_ptr<int32_t[]> sheetColumn(new (std::nothrow) int32_t[cw]);
  std::unique_ptr<int32_t[]> sheetRow(new (std::nothrow) int32_t[ch]);
  if (sheetColumn == nullptr || sheetRow == nullptr) return;
  for (int32_t x = 0; x < cw; ++x) sheetColumn[x] = x * sheet.glyphWidth / cw;
  for (int32_t y = 0; y < ch; ++y) sheetRow[y] = y * sheet.glyphHeight / ch;

  const double p = v.progress;
  const bool followSceneB = p >= params.blendBrightnessStart;
  const bool onlySceneB = p >= params.blendSceneBStart;
  // Share of scene B's brightness while the two brightnesses blend.
  const double u =
      followSceneB && !onlySceneB
          ? (p - params.blendBrightnessStart) /
                (static_cast<double>(params.blendSceneBStart) - params.blendBrightnessStart)
          : 0.0;
  const PixelBgr fg = ColourToPixel(params.foregroundColor);
  const PixelBgr bg = ColourToPixel(params.backgroundColor);

  for (int32_t row = 0; row < grid.visibleRows; ++row) {
    const double at = row + grid.tapeRows - tape.offset;
    if (!(at > -1.0) || at >= grid.tapeRows) continue;  // before or past the tape
    const int32_t g = static_cast<int32_t>(at);
    for (int32_t c = 0; c < grid.cols; ++c) {
      const uint8_t level = grid.BrightnessAt(g, c);
      if (level == 0) continue;
      double light = level / 255.0;
      if (followSceneB) {
        const double mean = CellMeanOfSceneB(v, c * cw, row * ch, cw, ch);
        light = onlySceneB ? mean : mean * u + (1.0 - u) * light;
      }
      const PixelBgr ink{BlendChannel(fg.b, light, bg.b), BlendChannel(fg.g, light, bg.g),
                         BlendChannel(fg.r, light, bg.r)};
      const int32_t glyphTop = grid.GlyphAt(g, c) * sheet.glyphHeight;
      for (int32_t y = 0; y < ch; ++y) {
        uint8_t* out = OutRow(v, v.height - 1 - (row * ch + y)) + 3 * (c * cw);
        const int32_t sy = glyphTop + sheetRow[y];
        for (int32_t x = 0; x < cw; ++x) {
          if (!SheetInk(sheet, sheetColumn[x], sy)) continue;
          out[3 * x] = ink.b;
          out[3 * x + 1] = ink.g;
          out[3 * x + 2] = ink.r;
        }
      }
    }
  }
}

double GlowWeight(int32_t distance) { return (kGlowRadius - distance) / 5.0 * kGlowStrength; }

void ApplyGlowPlain(const FrameView& v, uint32_t backgroundColor) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  if (w <= 0 || h <= 0) return;
  const size_t pixels = static_cast<size_t>(w) * h;
  std::unique_ptr<uint8_t[]> glowed(new (std::nothrow) uint8_t[pixels * 3]);
  std::unique_ptr<uint8_t[]> lit(new (std::nothrow) uint8_t[pixels]);
  if (glowed == nullptr || lit == nullptr) return;

  const PixelBgr bg = ColourToPixel(backgroundColor);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* out = OutRow(v, y);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* px = out + 3 * x;
      lit[static_cast<size_t>(y) * w + x] = px[0] != bg.b || px[1] != bg.g || px[2] != bg.r;
    }
  }
  int32_t distance[2 * kGlowRadius + 1][2 * kGlowRadius + 1];
  for (int32_t dy = -kGlowRadius; dy <= kGlowRadius; ++dy) {
    for (int32_t dx = -kGlowRadius; dx <= kGlowRadius; ++dx) {
      distance[dy + kGlowRadius][dx + kGlowRadius] =
          static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    }
  }

  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* out = OutRow(v, y);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* own = out + 3 * x;
      uint8_t* dst = glowed.get() + (static_cast<size_t>(y) * w + x) * 3;
      std::memcpy(dst, own, 3);
      if (lit[static_cast<size_t>(y) * w + x]) continue;
      // The nearest character pixel, the first one in memory order among equals.
      int32_t best = kGlowRadius + 1;
      const uint8_t* found = nullptr;
      for (int32_t ry = y - kGlowRadius; ry <= y + kGlowRadius; ++ry) {
        if (ry < 0 || ry >= h) continue;
        for (int32_t rx = x - kGlowRadius; rx <= x + kGlowRadius; ++rx) {
          if (rx < 0 || rx >= w || !lit[static_cast<size_t>(ry) * w + rx]) continue;
          const int32_t d = distance[ry - y + kGlowRadius][rx - x + kGlowRadius];
          if (d < best) {
            best = d;
            found = OutRow(v, ry) + 3 * rx;
          }
        }
      }
      if (found == nullptr) continue;
      const double f = GlowWeight(best);
      for (int32_t k = 0; k < 3; ++k) {
        dst[k] = static_cast<uint8_t>(static_cast<int32_t>(own[k] * (1.0 - f) + f * found[k]));
      }
    }
  }
  for (int32_t y = 0; y < h; ++y) {
    std::memcpy(OutRow(v, y), glowed.get() + static_cast<size_t>(y) * w * 3,
                static_cast<size_t>(w) * 3);
  }
}

// The same glow, with the nearest character pixel found by trying the neighbours in order
// of distance (and, among equal distances, in memory order, as the full search picks them),
// and with the search skipped where the window holds no character pixel at all: a count of
// lit pixels per column over the window's rows, summed along the row as it slides.
void ApplyGlow(const FrameView& v, uint32_t backgroundColor) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  if (w <= 0 || h <= 0) return;
  const size_t pixels = static_cast<size_t>(w) * h;
  std::unique_ptr<uint8_t[]> glowed(new (std::nothrow) uint8_t[pixels * 3]);
  std::unique_ptr<uint8_t[]> lit(new (std::nothrow) uint8_t[pixels]);
  std::unique_ptr<int32_t[]> columnCount(new (std::nothrow) int32_t[w]());
  if (glowed == nullptr || lit == nullptr || columnCount == nullptr) return;

  const PixelBgr bg = ColourToPixel(backgroundColor);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* out = OutRow(v, y);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* px = out + 3 * x;
      lit[static_cast<size_t>(y) * w + x] = px[0] != bg.b || px[1] != bg.g || px[2] != bg.r;
    }
  }
  // Offsets a glow can come from (a distance below kGlowRadius + 1), nearest first.
  struct Offset {
    int32_t dy, dx, distance;
  };
  Offset offsets[(2 * kGlowRadius + 1) * (2 * kGlowRadius + 1)];
  int32_t offsetCount = 0;
  for (int32_t dy = -kGlowRadius; dy <= kGlowRadius; ++dy) {
    for (int32_t dx = -kGlowRadius; dx <= kGlowRadius; ++dx) {
      const int32_t d = static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
      if (d <= kGlowRadius) offsets[offsetCount++] = Offset{dy, dx, d};
    }
  }
  std::stable_sort(offsets, offsets + offsetCount,
                   [](const Offset& a, const Offset& b) { return a.distance < b.distance; });

  auto addRow = [&](int32_t row, int32_t sign) {
    if (row < 0 || row >= h) return;
    const uint8_t* l = lit.get() + static_cast<size_t>(row) * w;
    for (int32_t x = 0; x < w; ++x) columnCount[x] += sign * l[x];
  };
  for (int32_t row = 0; row < kGlowRadius && row < h; ++row) addRow(row, 1);
  for (int32_t y = 0; y < h; ++y) {
    addRow(y + kGlowRadius, 1);
    addRow(y - kGlowRadius - 1, -1);
    const uint8_t* out = OutRow(v, y);
    std::memcpy(glowed.get() + static_cast<size_t>(y) * w * 3, out, static_cast<size_t>(w) * 3);
    int32_t window = 0;  // lit pixels in columns x - R .. x + R of the window's rows
    for (int32_t x = 0; x < kGlowRadius && x < w; ++x) window += columnCount[x];
    for (int32_t x = 0; x < w; ++x) {
      if (x + kGlowRadius < w) window += columnCount[x + kGlowRadius];
      if (x - kGlowRadius - 1 >= 0) window -= columnCount[x - kGlowRadius - 1];
      if (window == 0 || lit[static_cast<size_t>(y) * w + x]) continue;
      const uint8_t* found = nullptr;
      int32_t best = 0;
      for (int32_t i = 0; i < offsetCount; ++i) {
        const int32_t ry = y + offsets[i].dy, rx = x + offsets[i].dx;
        if (ry < 0 || ry >= h || rx < 0 || rx >= w || !lit[static_cast<size_t>(ry) * w + rx])
          continue;
        found = OutRow(v, ry) + 3 * rx;
        best = offsets[i].distance;
        break;
      }
      if (found == nullptr) continue;
      const uint8_t* own = out + 3 * x;
      uint8_t* dst = glowed.get() + (static_cast<size_t>(y) * w + x) * 3;
      const double f = GlowWeight(best);
      for (int32_t k = 0; k < 3; ++k) {
        dst[k] = static_cast<uint8_t>(static_cast<int32_t>(own[k] * (1.0 - f) + f * found[k]));
      }
    }
  }
  for (int32_t y = 0; y < h; ++y) {
    std::memcpy(OutRow(v, y), glowed.get() + static_cast<size_t>(y) * w * 3,
                static_cast<size_t>(w) * 3);
  }
}

}  // namespace zk
