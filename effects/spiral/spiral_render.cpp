#include "spiral_render.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "kernel_choice.h"
#include "picture_lines.h"
#include "pixel_rows.h"
#include "rect_fill.h"
#include "row_distances.h"
#include "scratch_source.h"
#include "slice_runner.h"
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

// Byte offsets of the turned sources of the span's pixels dx = firstDx .. firstDx + n - 1
// on picture line hH + dy, -1 where the source lies outside; the turns as TurnPixel takes
// them, two pixels in the lanes of one register (the same operations in the same order).
void TurnSpanSources(const FrameView& v, const SpiralFrame& f, int32_t firstDx, int32_t dy,
                     int32_t n, const int32_t* distances, const TurnTrig* byDistance,
                     int64_t* sources) {
  int32_t i = 0;
#if defined(__SSE2__)
  const __m128d lineDy = _mm_set1_pd(static_cast<double>(dy));
  const __m128d centreX = _mm_set1_pd(static_cast<double>(f.halfW));
  const __m128d centreY = _mm_set1_pd(static_cast<double>(f.halfH));
  alignas(16) int32_t at[4];
  for (; i + 2 <= n; i += 2) {
    const __m128d t0 = _mm_loadu_pd(&byDistance[distances[i]].sine);
    const __m128d t1 = _mm_loadu_pd(&byDistance[distances[i + 1]].sine);
    const __m128d sine = _mm_unpacklo_pd(t0, t1);
    const __m128d cosine = _mm_unpackhi_pd(t0, t1);
    const __m128d dx =
        _mm_set_pd(static_cast<double>(firstDx + i + 1), static_cast<double>(firstDx + i));
    const __m128d sx =
        _mm_add_pd(_mm_sub_pd(_mm_mul_pd(dx, cosine), _mm_mul_pd(lineDy, sine)), centreX);
    const __m128d sy =
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, sine), _mm_mul_pd(lineDy, cosine)), centreY);
    _mm_store_si128(reinterpret_cast<__m128i*>(at),
                    _mm_unpacklo_epi64(_mm_cvttpd_epi32(sx), _mm_cvttpd_epi32(sy)));
    for (int32_t k = 0; k < 2; ++k) {
      const int32_t x = at[k];
      const int32_t y = at[2 + k];
      if (x < 0 || x >= v.width || y < 0 || y >= f.lines) {
        sources[i + k] = -1;
        continue;
      }
      sources[i + k] = f.lineOffsets[y] + 3 * x;
      _mm_prefetch(reinterpret_cast<const char*>(v.sceneA + sources[i + k]), _MM_HINT_T0);
      _mm_prefetch(reinterpret_cast<const char*>(v.sceneB + sources[i + k]), _MM_HINT_T0);
    }
  }
#endif
  for (; i < n; ++i) {
    const TurnTrig& t = byDistance[distances[i]];
    const int32_t dx = firstDx + i;
    const int32_t x = static_cast<int32_t>(dx * t.cosine - dy * t.sine + f.halfW);
    const int32_t y = static_cast<int32_t>(dx * t.sine + dy * t.cosine + f.halfH);
    sources[i] = x < 0 || x >= v.width || y < 0 || y >= f.lines ? -1 : f.lineOffsets[y] + 3 * x;
  }
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

int32_t RenderSpiral(const FrameView& v) { return RenderSpiralWith(v, FastPathScratch()); }

int32_t RenderSpiralWith(const FrameView& v, const ScratchSource& scratch) {
  SpiralFrame f;
  f.halfW = v.width / 2;
  f.lines = PictureLineCount(v);
  f.halfH = f.lines / 2;
  f.rMax = static_cast<int32_t>(
      std::sqrt(static_cast<double>(f.halfW) * f.halfW + static_cast<double>(f.halfH) * f.halfH));
  if (f.rMax == 0) {
    FillRectColour(v, v.extraColor);
    return 0;
  }
  f.rimDistance = static_cast<float>(f.rMax);
  f.progress = v.progress;
  f.lineOffsets = nullptr;
  MakeWeightedBlendTable(1.0f - f.progress, f.progress, &f.blend);

  // The turn depends on the distance alone, and no pixel lies farther than a corner.
  const int32_t farthest = TruncatedDistance(f.halfW, f.halfH);
  const size_t entries = static_cast<size_t>(farthest) + 1;
  const RowBands bands = PlanRowBands(v.height, 16);
  ScopedScratch block(scratch, entries * sizeof(TurnTrig) +
                                   static_cast<size_t>(f.lines) * sizeof(int64_t) +
                                   static_cast<size_t>(bands.count) * v.width * sizeof(int32_t));
  if (!block.ok()) {
    // Pixels whose turned source falls outside the rectangle show the host's colour.
    FillRectColour(v, v.extraColor);
    RenderSpiralPixelwise(v, f);
    return 1;
  }
  TurnTrig* byDistance = static_cast<TurnTrig*>(block.data());
  int64_t* lineOffsets = reinterpret_cast<int64_t*>(byDistance + entries);
  int32_t* distanceRows = reinterpret_cast<int32_t*>(lineOffsets + f.lines);
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
  // Every pixel depends on its own distance alone: bands of rows side by side.
  RunRowBands(bands, [&](int32_t band, const RowRange& rows) {
    FillRectColourRows(v, v.extraColor, rows.first, rows.end);
    int32_t* distances = distanceRows + static_cast<size_t>(band) * v.width;
    // Neighbouring pixels turn by nearly the same angle and read neighbouring sources.
    constexpr int32_t kTileColumns = 64;
    int64_t sources[kTileColumns];
    ForEachTileSpanInRows(
        v.width, rows.first, rows.end, 16, kTileColumns, [&](int32_t row, int32_t left, int32_t n) {
          const int32_t dy = row * v.lineStep - f.halfH;
          uint8_t* out = OutRow(v, row) + 3 * left;
          RowDistances(f.halfW - left, dy, n, distances);
          // All the sources of the span first, so that the reads of the scenes that miss
          // the cache are under way together.
          TurnSpanSources(v, f, left - f.halfW, dy, n, distances, byDistance, sources);
          for (int32_t i = 0; i < n; ++i) {
            if (sources[i] < 0) continue;  // the turned source lies outside: the fill stays
            BlendPixelWithTable(out + 3 * i, v.sceneA + sources[i], v.sceneB + sources[i], f.blend);
          }
        });
  });
  return 1;
}

}  // namespace zk
