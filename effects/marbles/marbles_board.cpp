#include "marbles_board.h"

#include <cmath>
#include <cstddef>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ZK_MARBLES_SSE2 1
#endif

#include "float_rounding.h"
#include "marbles_math.h"
#include "rand15.h"
#include "saturating_trunc.h"
#include "unit_progress.h"

namespace zk {
namespace {

constexpr float kInverseRandMax = 3.0518509e-05f;  // 1 / 32767
constexpr double kBoardDepthRate = 3000;           // the board's turning centre flies this deep

inline float F(double v) { return RoundToFloat(v); }

// The mean of `count` bytes, 0 for none.
inline uint32_t Mean(uint64_t sum, uint64_t count) {
  return count == 0 ? 0 : static_cast<uint32_t>(sum / count);
}

// The marble of cell (r, c) from its sums: mean colour, resting centre.
Marble CellMarble(float S, int32_t r, int32_t c, uint64_t blue, uint64_t green, uint64_t red,
                  uint64_t count) {
  Marble m{};
  m.colour = Mean(blue, count) << 16 | Mean(green, count) << 8 | Mean(red, count);
  m.x = F(c * double{S} + S * 0.5);
  m.y = F(r * double{S} + S * 0.5);
  m.z = 1.0f;
  return m;
}

Marble SampleCell(const SceneRows& scene, float S, int32_t r, int32_t c) {
  uint64_t blue = 0, green = 0, red = 0, count = 0;
  for (int32_t dy = 0; dy < S; ++dy) {
    const int32_t y = static_cast<int32_t>(r * double{S} + dy);
    if (y >= scene.sceneHeight) continue;
    const uint8_t* row = scene.row0 + static_cast<ptrdiff_t>(y / scene.lineStep) * scene.stride;
    for (int32_t dx = 0; dx < S; ++dx) {
      const int32_t x = static_cast<int32_t>(c * double{S} + dx);
      if (x < scene.width) {
        const uint8_t* px = row + 3 * static_cast<ptrdiff_t>(x);
        blue += px[0];
        green += px[1];
        red += px[2];
      }
      ++count;
    }
  }
  return CellMarble(S, r, c, blue, green, red, count);
}

// A run of pixels summed channel by channel. A run is at most a row long, so 32 bits hold
// its sums.
struct RunSums {
  uint32_t blue, green, red;
};
inline RunSums SumRunPlain(const uint8_t* px, int32_t pixels) {
  RunSums s{0, 0, 0};
  for (int32_t i = 0; i < pixels; ++i, px += 3) {
    s.blue += px[0];
    s.green += px[1];
    s.red += px[2];
  }
  return s;
}

#if ZK_MARBLES_SSE2
// Sixteen pixels (48 bytes) a step: each channel's bytes picked out by a mask and added up
// by psadbw, the pixels left over one by one.
RunSums SumRun(const uint8_t* px, int32_t pixels) {
  alignas(16) static const uint8_t kMasks[3][48] = {
#define ZK_M(c, j) static_cast<uint8_t>((j) % 3 == (c) ? 0xFF : 0)
#define ZK_M8(c, j)                                                                           \
  ZK_M(c, j), ZK_M(c, j + 1), ZK_M(c, j + 2), ZK_M(c, j + 3), ZK_M(c, j + 4), ZK_M(c, j + 5), \
      ZK_M(c, j + 6), ZK_M(c, j + 7)
#define ZK_M48(c) {ZK_M8(c, 0), ZK_M8(c, 8), ZK_M8(c, 16), ZK_M8(c, 24), ZK_M8(c, 32), ZK_M8(c, 40)}
      ZK_M48(0), ZK_M48(1), ZK_M48(2)
#undef ZK_M48
#undef ZK_M8
#undef ZK_M
  };
  const __m128i zero = _mm_setzero_si128();
  __m128i sum[3] = {zero, zero, zero};
  int32_t i = 0;
  for (; i + 16 <= pixels; i += 16, px += 48) {
    for (int32_t t = 0; t < 3; ++t) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + 16 * t));
      for (int32_t c = 0; c < 3; ++c) {
        const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i*>(kMasks[c] + 16 * t));
        sum[c] = _mm_add_epi64(sum[c], _mm_sad_epu8(_mm_and_si128(v, mask), zero));
      }
    }
  }
  RunSums s = SumRunPlain(px, pixels - i);
  uint32_t* channel[3] = {&s.blue, &s.green, &s.red};
  for (int32_t c = 0; c < 3; ++c) {
    const __m128i both = _mm_add_epi64(sum[c], _mm_srli_si128(sum[c], 8));
    *channel[c] += static_cast<uint32_t>(_mm_cvtsi128_si32(both));
  }
  return s;
}
#else
inline RunSums SumRun(const uint8_t* px, int32_t pixels) { return SumRunPlain(px, pixels); }
#endif

// Scene row y of the source.
inline const uint8_t* SceneRow(const SceneRows& scene, int32_t y) {
  return scene.row0 + static_cast<ptrdiff_t>(y / scene.lineStep) * scene.stride;
}

// Cells up to this many rows tall have their column sums in 16 bits (257 * 255 < 2^16).
constexpr int32_t kColumnSumRows = 257;
// Columns whose sums are held at a time.
constexpr int32_t kSumColumns = 512;

// sums[k] = the sum of byte 3 * from + k over the `count` rows, for the bytes of `columns`
// pixels (at most kSumColumns; count at most kColumnSumRows).
void SumColumns(const uint8_t* const* rows, int32_t count, int32_t from, int32_t columns,
                uint16_t* sums) {
  const int32_t bytes = 3 * columns;
  const ptrdiff_t offset = 3 * static_cast<ptrdiff_t>(from);
  int32_t k = 0;
#if ZK_MARBLES_SSE2
  const __m128i zero = _mm_setzero_si128();
  for (; k + 16 <= bytes; k += 16) {
    __m128i low = zero, high = zero;
    for (int32_t y = 0; y < count; ++y) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[y] + offset + k));
      low = _mm_add_epi16(low, _mm_unpacklo_epi8(v, zero));
      high = _mm_add_epi16(high, _mm_unpackhi_epi8(v, zero));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + k), low);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + k + 8), high);
  }
#endif
  for (; k < bytes; ++k) {
    uint32_t sum = 0;
    for (int32_t y = 0; y < count; ++y) sum += rows[y][offset + k];
    sums[k] = static_cast<uint16_t>(sum);
  }
}

// Distance of a centre from the middle of the scene.
double CentreDistance(const Marble& m, int32_t width, int32_t sceneHeight) {
  const double dy = m.y - sceneHeight * 0.5;
  const double dx = m.x - width * 0.5;
  return std::sqrt(dy * dy + dx * dx);
}

// A byte pulled away from (or towards) the mean; NaN settings give 0, not a wild cast.
inline uint32_t SpreadByte(uint32_t byte, uint32_t mean, float colorHue) {
  const double v = mean + (static_cast<double>(byte) - mean) * colorHue;
  if (!(v > 0)) return 0;
  return v < 255 ? static_cast<uint32_t>(v) : 255;
}

}  // namespace

MarbleGrid MakeMarbleGrid(int32_t width, int32_t sceneHeight, float size) {
  MarbleGrid g{};
  float S = F(static_cast<float>(width) * double{size});
  if (!(S > 0)) S = 1.0f;
  g.cellSize = S;
  // Counts beyond the int range saturate; such grids are refused by their size anyway.
  g.columns = SaturatingTrunc(static_cast<float>(width) / double{S});
  g.rows = SaturatingTrunc(static_cast<float>(sceneHeight) / double{S});
  if (g.columns < 0) g.columns = 0;
  if (g.rows < 0) g.rows = 0;
  g.count = static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows);
  if (g.columns > 0 && g.count / static_cast<size_t>(g.columns) != static_cast<size_t>(g.rows))
    g.count = SIZE_MAX;  // the product does not fit: far past kMaxMarbles
  return g;
}

float MotionTime(float progress, float staticTime) {
  if (progress <= staticTime) return 0.0f;
  return UnitProgress(F((double{progress} - staticTime) / (1.0 - staticTime)));
}

void SampleMarblesPlain(const SceneRows& scene, const MarbleGrid& grid, Marble* marbles) {
  size_t i = 0;
  for (int32_t r = 0; r < grid.rows; ++r) {
    for (int32_t c = 0; c < grid.columns; ++c)
      marbles[i++] = SampleCell(scene, grid.cellSize, r, c);
  }
}

void SampleMarbles(const SceneRows& scene, const MarbleGrid& grid, Marble* marbles) {
  const float S = grid.cellSize;
  if (grid.count == 0) return;  // S may then be anything
  // r * S and c * S are exact in double (a float times a count below 2^24), so a cell's
  // samples are `span` whole rows and columns from trunc(r * S) and trunc(c * S) on. Columns
  // past the scene's right edge count without adding; rows past its bottom do neither.
  int32_t span = 0;
  while (span < S) ++span;
  const auto left = [&](int32_t c) { return static_cast<int32_t>(c * double{S}); };
  const auto right = [&](int32_t c) {
    return left(c) + span < scene.width ? left(c) + span : scene.width;
  };
  const uint8_t* rows[kColumnSumRows];
  uint16_t sums[3 * kSumColumns];
  size_t i = 0;
  for (int32_t r = 0; r < grid.rows; ++r) {
    const int32_t top = static_cast<int32_t>(r * double{S});
    const int32_t bottom = top + span < scene.sceneHeight ? top + span : scene.sceneHeight;
    const uint64_t count =
        bottom > top ? static_cast<uint64_t>(bottom - top) * static_cast<uint64_t>(span) : 0;
    if (span > kColumnSumRows) {
      for (int32_t c = 0; c < grid.columns; ++c) {
        uint64_t blue = 0, green = 0, red = 0;
        for (int32_t y = top; y < bottom; ++y) {
          const RunSums run = SumRun(SceneRow(scene, y) + 3 * left(c), right(c) - left(c));
          blue += run.blue;
          green += run.green;
          red += run.red;
        }
        marbles[i++] = CellMarble(S, r, c, blue, green, red, count);
      }
      continue;
    }
    // Each column's bytes summed down the cell's rows once, for cells side by side as
    // many as the sums hold; then each cell adds up its columns.
    for (int32_t y = top; y < bottom; ++y) rows[y - top] = SceneRow(scene, y);
    for (int32_t c = 0; c < grid.columns;) {
      const int32_t from = left(c);
      int32_t end = c + 1;
      while (end < grid.columns && right(end) - from <= kSumColumns) ++end;
      SumColumns(rows, bottom - top, from, right(end - 1) - from, sums);
      for (; c < end; ++c) {
        uint32_t blue = 0, green = 0, red = 0;
        for (int32_t x = left(c) - from; x < right(c) - from; ++x) {
          blue += sums[3 * x];
          green += sums[3 * x + 1];
          red += sums[3 * x + 2];
        }
        marbles[i++] = CellMarble(S, r, c, blue, green, red, count);
      }
    }
  }
}

double MarbleOwnTime(float m, float start, float moveTime) {
  if (m < start) return 0.0;
  if (m > double{start} + moveTime) return 1.0;
  // A flight of no duration that starts right now: take the frame's time, so that the
  // board rests at m = 0 and has gone at m = 1.
  if (moveTime == 0) return m;
  // The own time is no stored value: it stays in double all the way into the motion.
  const double own = (double{m} - start) / moveTime;
  if (own > 1.0) return 1.0;
  return own >= 0.0 ? own : 0.0;
}

void MoveMarbles(const MarblesParams& p, const MarbleGrid& grid, int32_t width, int32_t sceneHeight,
                 float m, Marble* marbles) {
  const size_t n = grid.count;
  const bool byDistance = p.order == kMarblesByDistance;
  const bool randomly = p.order == kMarblesRandomly;
  const double travel = static_cast<double>(static_cast<int64_t>(p.viewDistance) + 1);
  const float boardCentreZ = F(1 - kBoardDepthRate * m);
  const double spread = 1.0 - p.moveTime;
  double farthest = 0;
  if (byDistance && n > 0) farthest = F(CentreDistance(marbles[0], width, sceneHeight));
  WholeDegreeTurns turns;
  Rand15Seed(0);
  for (size_t i = 0; i < n; ++i) {
    Marble& b = marbles[i];
    double own = m;
    if (byDistance) {
      // All centres coincide only for a single marble in the middle: it counts as near.
      double d = farthest > 0 ? CentreDistance(b, width, sceneHeight) / farthest : 0.0;
      if (p.farFirst != 0) d = 1 - d;
      own = MarbleOwnTime(m, F(spread * d), p.moveTime);
    } else if (randomly) {
      const int32_t q = Rand15Next();
      own = MarbleOwnTime(m, F(q * double{kInverseRandMax} * spread), p.moveTime);
    }
    b.z = F(1 - travel * own);
    if (own == 1.0) {
      // The flight is over: the marble has reached the eye, where it is not drawn. (Turned
      // about the board's centre, which flies 3000 deep rather than to the eye, it would be
      // left just in front of the eye, and cover the picture at the end.)
      b.depthFraction = 1.0f;
      continue;
    }
    const Point3 centre{F(width * 0.5), F(sceneHeight * 0.5),
                        byDistance || randomly ? b.z : boardCentreZ};
    Point3 at{b.x, b.y, b.z};
    at = turns.RotateXAbout(at, centre, SaturatingTrunc(p.rotateX * double{own}));
    at = turns.RotateYAbout(at, centre, SaturatingTrunc(p.rotateY * double{own}));
    at = turns.RotateZAbout(at, centre, SaturatingTrunc(p.rotateZ * double{own}));
    b.x = at.x;
    b.y = at.y;
    b.z = at.z;
    // A record with viewDistance -1 flies nowhere: nothing to be a share of.
    const float fraction = travel != 0 ? F((1.0 - at.z) / travel) : 0.0f;
    b.depthFraction = fraction < 1.0f ? fraction : 1.0f;
  }
}

void IntensifyColours(float colorHue, Marble* marbles, size_t count) {
  if (colorHue == 1.0f) return;  // the sampled colours as they are
  for (size_t i = 0; i < count; ++i)
    marbles[i].colour = IntensifyColour(marbles[i].colour, colorHue);
}

uint32_t IntensifyColour(uint32_t colour, float colorHue) {
  const uint32_t b = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, r = colour & 0xFF;
  const uint32_t mean = (b + g + r) / 3;
  return SpreadByte(b, mean, colorHue) << 16 | SpreadByte(g, mean, colorHue) << 8 |
         SpreadByte(r, mean, colorHue);
}

void SortFarToNear(const Marble* marbles, size_t count, uint32_t* order, uint32_t* scratch) {
  for (size_t i = 0; i < count; ++i) order[i] = static_cast<uint32_t>(i);
  // Bottom-up merge sort: stable, no allocation of its own, and any comparison result
  // (NaN depths included) keeps it well defined.
  uint32_t* from = order;
  uint32_t* to = scratch;
  for (size_t width = 1; width < count; width *= 2) {
    for (size_t lo = 0; lo < count; lo += 2 * width) {
      const size_t mid = lo + width < count ? lo + width : count;
      const size_t hi = lo + 2 * width < count ? lo + 2 * width : count;
      size_t a = lo, b = mid, k = lo;
      while (a < mid && b < hi) {
        // The later run goes first only when strictly farther.
        to[k++] = marbles[from[b]].z > marbles[from[a]].z ? from[b++] : from[a++];
      }
      while (a < mid) to[k++] = from[a++];
      while (b < hi) to[k++] = from[b++];
    }
    uint32_t* t = from;
    from = to;
    to = t;
  }
  if (from != order) {
    for (size_t i = 0; i < count; ++i) order[i] = from[i];
  }
}

}  // namespace zk
