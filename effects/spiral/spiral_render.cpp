#include "spiral_render.h"

#include <cmath>

#include "picture_lines.h"
#include "pixel_rows.h"
#include "rect_fill.h"
#include "row_distances.h"
#include "scratch_source.h"
#include "spiral_turn.h"
#include "tile_walk.h"
#include "weighted_blend.h"

namespace zk {
namespace {

// Per-frame constants of the spiral.
struct SpiralFrame {
  int32_t halfW;
  int32_t halfH;
  int32_t lines;
  int32_t rMax;
  double rimDistance;  // rMax as a 32-bit float
  float progress;
  ByteBlendTable blend;
  const int64_t* lineOffsets;  // byte offset of the row of each picture line, or null
};

// Turns one pixel by the sine and cosine of its distance's turn; a source outside the
// rectangle leaves the pixel as it is.
inline void TurnPixel(const FrameView& v, const SpiralFrame& f, uint8_t* out, int32_t dx,
                      int32_t dy, const TurnTrig& t) {
  const int32_t sx = static_cast<int32_t>(dx * t.cosine - dy * t.sine + f.halfW);
  const int32_t sy = static_cast<int32_t>(dx * t.sine + dy * t.cosine + f.halfH);
  if (sx < 0 || sx >= v.width || sy < 0 || sy >= f.lines) return;
  const int64_t line = f.lineOffsets != nullptr
                           ? f.lineOffsets[sy]
                           : static_cast<int64_t>(RowOfPictureLine(v, sy)) * v.stride;
  const int64_t source = line + 3 * sx;
  BlendPixelWithTable(out, v.sceneA + source, v.sceneB + source, f.blend);
}

// Pixel by pixel over the filled rectangle, the turn worked out for every pixel: the
// reference for the distance tables, and the way without scratch memory.
void RenderSpiralPixelwise(const FrameView& v, const SpiralFrame& f) {
  TurnTable turns;
  ClearTurnTable(&turns);
  ForEachRectRow(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t row) {
    const int32_t dy = row * v.lineStep - f.halfH;
    for (int32_t x = 0; x < v.width; ++x) {
      const int32_t dx = x - f.halfW;
      const int32_t r = TruncatedDistance(dx, dy);
      const int32_t degrees = SpiralTurnDegrees(f.progress, r / f.rimDistance, v.variantFlags);
      TurnPixel(v, f, out + 3 * x, dx, dy, LookUpTurn(&turns, degrees));
    }
  });
}

}  // namespace

int32_t RenderSpiral(const FrameView& v) { return RenderSpiralWith(v, kHeapScratch); }

int32_t RenderSpiralWith(const FrameView& v, const ScratchSource& scratch) {
  // Pixels whose turned source falls outside the rectangle show the host's colour.
  FillRectColour(v, v.extraColor);
  SpiralFrame f;
  f.halfW = v.width / 2;
  f.lines = PictureLineCount(v);
  f.halfH = f.lines / 2;
  f.rMax = static_cast<int32_t>(
      std::sqrt(static_cast<double>(f.halfW) * f.halfW + static_cast<double>(f.halfH) * f.halfH));
  if (f.rMax == 0) return 0;
  f.rimDistance = static_cast<float>(f.rMax);
  f.progress = v.progress;
  f.lineOffsets = nullptr;
  MakeWeightedBlendTable(1.0f - f.progress, f.progress, &f.blend);

  // The turn depends on the distance alone, and no pixel lies farther than a corner.
  const int32_t farthest = TruncatedDistance(f.halfW, f.halfH);
  const size_t entries = static_cast<size_t>(farthest) + 1;
  ScopedScratch block(scratch, entries * sizeof(TurnTrig) +
                                   static_cast<size_t>(f.lines) * sizeof(int64_t) +
                                   static_cast<size_t>(v.width) * sizeof(int32_t));
  if (!block.ok()) {
    RenderSpiralPixelwise(v, f);
    return 1;
  }
  TurnTrig* byDistance = static_cast<TurnTrig*>(block.data());
  int64_t* lineOffsets = reinterpret_cast<int64_t*>(byDistance + entries);
  int32_t* distances = reinterpret_cast<int32_t*>(lineOffsets + f.lines);
  for (int32_t y = 0; y < f.lines; ++y) {
    lineOffsets[y] = static_cast<int64_t>(RowOfPictureLine(v, y)) * v.stride;
  }
  f.lineOffsets = lineOffsets;
  TurnTable turns;
  ClearTurnTable(&turns);
  for (int32_t r = 0; r <= farthest; ++r) {
    byDistance[r] =
        LookUpTurn(&turns, SpiralTurnDegrees(f.progress, r / f.rimDistance, v.variantFlags));
  }
  // Neighbouring pixels turn by nearly the same angle and read neighbouring sources.
  ForEachTileSpan(v.width, v.height, 16, 64, [&](int32_t row, int32_t left, int32_t n) {
    const int32_t dy = row * v.lineStep - f.halfH;
    uint8_t* out = OutRow(v, row) + 3 * left;
    RowDistances(f.halfW - left, dy, n, distances);
    for (int32_t i = 0; i < n; ++i) {
      TurnPixel(v, f, out + 3 * i, left + i - f.halfW, dy, byDistance[distances[i]]);
    }
  });
  return 1;
}

}  // namespace zk
