#include "char_grid.h"

#include <cmath>
#include <new>

#include "byte_pool.h"
#include "rand15.h"

namespace zk {
namespace {

// Arrays larger than this are treated as memory that cannot be had.
constexpr size_t kLargestGridCells = size_t{1} << 26;

// trunc(value) kept inside [low, high]: the identity for the values sensible settings give,
// and no undefined conversion for a hand-edited record.
int32_t TruncWithin(double value, int32_t low, int32_t high) {
  if (!(value >= low)) return low;  // also NaN
  if (value >= high) return high;
  return static_cast<int32_t>(value);
}

// Only the low 8 bits of a salt count, so the products may wrap.
int32_t Salt(int32_t factor, int32_t count) {
  const uint32_t f = static_cast<uint32_t>(factor);
  const uint32_t n = static_cast<uint32_t>(count);
  return static_cast<int32_t>((f * n - n) & 0xFFu);
}

struct TapeBuilder {
  CharGrid* grid;
  BytePool pool;
  int32_t glyphBound;  // N - 1
  uint8_t* glyph;
  uint8_t* bright;

  uint8_t* GlyphRow(int32_t q) const { return glyph + static_cast<size_t>(q) * grid->cols; }
  uint8_t* BrightRow(int32_t q) const { return bright + static_cast<size_t>(q) * grid->cols; }

  // A lit column stays lit below its head, fading by the factor down to the floor.
  void Trails(int32_t q, double decreaseFactor, int32_t floor) {
    if (q >= grid->tapeRows - 1) return;
    const uint8_t* above = BrightRow(q + 1);
    uint8_t* g = GlyphRow(q);
    uint8_t* b = BrightRow(q);
    for (int32_t c = 0; c < grid->cols; ++c) {
      if (above[c] == 0) continue;
      g[c] = static_cast<uint8_t>(BytePoolDraw(&pool, glyphBound, Salt(q, c)));
      int32_t level = TruncWithin(above[c] * decreaseFactor, 0, 255);
      if (level < floor) level = floor;
      b[c] = static_cast<uint8_t>(level);
    }
  }

  // New heads in random columns; a column may be hit twice.
  void Recreation(int32_t q, int32_t heads) {
    const int32_t salt = Salt(q, grid->cols);
    for (int32_t n = 0; n < heads; ++n) {
      const int32_t k = BytePoolDraw(&pool, grid->cols, salt);
      GlyphRow(q)[k] = static_cast<uint8_t>(BytePoolDraw(&pool, glyphBound, salt));
      BrightRow(q)[k] = 255;
    }
  }

  // Lights cells until the row holds `target` lit cells; a hit on a lit cell walks to the
  // next unlit one, leftwards on odd rows and rightwards on even rows, wrapping around.
  void BuildUp(int32_t q, int32_t target) {
    const int32_t cols = grid->cols;
    uint8_t* b = BrightRow(q);
    int32_t lit = 0;
    for (int32_t c = 0; c < cols; ++c) lit += b[c] != 0;
    while (lit < target) {
      const int32_t salt = Salt(q, lit);
      int32_t k = BytePoolDraw(&pool, cols, salt);
      while (b[k] != 0) {
        if (q % 2 != 0)
          k = k == 0 ? cols - 1 : k - 1;
        else
          k = k == cols - 1 ? 0 : k + 1;
      }
      GlyphRow(q)[k] = static_cast<uint8_t>(BytePoolDraw(&pool, glyphBound, salt));
      b[k] = 255;
      ++lit;
    }
  }
};

}  // namespace

int32_t EstimateFrameCount(const FrameClock& clock, float progress) {
  double frames;
  if (progress != clock.previousProgress) {
    const double step = std::fabs(static_cast<double>(progress) - clock.previousProgress);
    frames = 1.0 / step + 0.49999;
  } else {
    if (!(clock.progressStep > 0.0f)) return 0;  // no step recorded yet
    frames = 1.0 / clock.progressStep;
  }
  return TruncWithin(frames, 0, kLargestFrameCount);
}

int32_t FrameIndexAt(int32_t frameCount, float progress) {
  return TruncWithin(frameCount * static_cast<double>(progress) + 0.49999, 0, frameCount);
}

void AdvanceFrameClock(FrameClock* clock, float progress) {
  clock->progressStep = std::fabs(progress - clock->previousProgress);
  clock->previousProgress = progress;
}

void BuildCharGrid(const CharsParams& p, const CharGridSize& size, CharGrid* grid) {
  *grid = CharGrid{};
  grid->visibleRows = size.height / size.cellHeight;
  grid->cols = size.width / size.cellWidth;
  const int32_t frames = size.frameCount;
  if (frames <= 0) return;

  const int32_t v = grid->visibleRows;
  double s;
  if (frames - 22 < 3 * v)
    s = 1.5 * v > frames - 11 ? 2.0 : 1.0;
  else
    s = p.slowDown != 0 ? 0.5 : 1.0;
  grid->speed = s;

  constexpr int32_t kLongest = 4 * kLargestFrameCount;
  const int32_t r = TruncWithin(frames * s * (1.0 - p.dimOutEnd), 0, kLongest);
  const int32_t d = TruncWithin(frames * s * (1.0 - p.blendBrightnessStart), -kLongest, kLongest);
  const int32_t q0 = TruncWithin(d + (r - d) * (1.0 - p.buildUpShare), -kLongest, kLongest);
  grid->tapeRows = r;

  const size_t cells = static_cast<size_t>(r + 2) * static_cast<size_t>(grid->cols);
  if (grid->cols <= 0 || cells > kLargestGridCells) return;
  grid->glyph.reset(new (std::nothrow) uint8_t[cells]());
  grid->brightness.reset(new (std::nothrow) uint8_t[cells]());
  if (grid->glyph == nullptr || grid->brightness == nullptr) {
    grid->glyph.reset();
    grid->brightness.reset();
    return;
  }

  TapeBuilder tape{grid, BytePool{}, size.glyphCount - 1, grid->glyph.get(),
                   grid->brightness.get()};
  BytePoolReset(&tape.pool);
  const int32_t floor = TruncWithin(p.minBrightness, 0, 255);
  const int32_t heads =
      TruncWithin(grid->cols * static_cast<double>(p.recreationRatio), 1, grid->cols);
  // The row with the highest index reaches the screen first, so it is built first.
  for (int32_t q = r - 1; q >= 0; --q) {
    tape.Trails(q, p.decreaseFactor, floor);
    if (q < q0) {
      tape.Recreation(q, heads);
    } else {
      const int64_t target = static_cast<int64_t>(grid->cols) * (r - q) / (r - q0);
      tape.BuildUp(q, static_cast<int32_t>(target));
    }
  }
}

void RandomizeGridGlyphs(int32_t glyphCount, CharGrid* grid) {
  if (!grid->HasCells()) return;
  const size_t cells = static_cast<size_t>(grid->tapeRows) * grid->cols;
  for (size_t i = 0; i < cells; ++i) {
    grid->glyph[i] = static_cast<uint8_t>(Rand15Next() * (glyphCount - 1) / 32767);
  }
}

}  // namespace zk
