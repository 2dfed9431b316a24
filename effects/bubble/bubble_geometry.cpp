#include "bubble_geometry.h"

#include <cmath>
#include <cstddef>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "bubble_lanes.h"
#include "row_distances.h"

namespace zk {
namespace {

constexpr float kRoundUntil = 0.333f;      // above this t the bubble is a circle
constexpr float kStretchRate = 3.003003f;  // 1 / kRoundUntil: stretch reaches 1 at t = 0

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

int32_t TruncatedLength(int64_t dx, int64_t dy) { return TruncatedDistance(dx, dy); }

// Rb on a ray whose exit point is at distance E: q x (R + (E - R) x k). At full size
// (q = k = 1) this is E exactly, so the inside mapping is then the identity; the form needs
// no division by E, which may be 0.
int32_t EdgeForReach(const BubbleShape& s, int64_t reach) {
  return static_cast<int32_t>(s.size *
                              (s.radius + static_cast<double>(reach - s.radius) * s.stretch));
}

}  // namespace

BubbleShape MakeBubbleShape(int32_t width, int32_t lines, double t) {
  BubbleShape s;
  s.width = width;
  s.lines = lines;
  s.halfWidth = width / 2;
  s.halfLines = lines / 2;
  s.radius = s.halfWidth < s.halfLines ? s.halfWidth : s.halfLines;
  s.size = 1.0 - t;
  s.stretch = t <= kRoundUntil ? 1.0 - static_cast<double>(kStretchRate) * t : 0.0;
  return s;
}

RayExit ExitPoint(const BubbleShape& s, int32_t dx, int32_t dy) {
  // A horizontal ray (the centre line, centre pixel included) leaves through a side.
  if (dy == 0) return RayExit{dx >= 0 ? s.width - 1 : 0, s.halfLines};
  RayExit e{0, -1};
  if (dx != 0) {
    const double side = dx > 0 ? s.halfWidth : -s.halfWidth;
    e.y = static_cast<int32_t>(static_cast<double>(dy) * side / dx) + s.halfLines;
  }
  const double edge = dy > 0 ? s.halfLines : -s.halfLines;
  e.x = static_cast<int32_t>(static_cast<double>(dx) * edge / dy) + s.halfWidth;
  if (e.y >= 0 && e.y < s.lines) {
    e.x = dx >= 0 ? s.width - 1 : 0;
  } else if (e.x >= 0 && e.x < s.width) {
    e.y = dy >= 0 ? s.lines - 1 : 0;
  }
  return e;
}

BubbleSample SampleBubble(const BubbleShape& s, int32_t x, int32_t y) {
  const int32_t dx = x - s.halfWidth;
  const int32_t dy = y - s.halfLines;
  const RayExit e = ExitPoint(s, dx, dy);
  const int64_t reach = TruncatedLength(s.halfLines - e.y, s.halfWidth - e.x);  // E
  const int64_t edge = EdgeForReach(s, reach);
  const int64_t distance = TruncatedLength(dx, dy);
  BubbleSample out;
  out.inside = distance <= edge;
  if (out.inside) {
    // Squeeze the whole inside scene into the bubble along the ray.
    if (edge == 0) {
      out.x = s.halfWidth;
      out.y = s.halfLines;
    } else {
      out.x = static_cast<int32_t>(dx * reach / edge + s.halfWidth);
      out.y = static_cast<int32_t>(dy * reach / edge + s.halfLines);
    }
  } else if (reach == edge) {
    out.x = e.x;
    out.y = e.y;
  } else {
    // Squeeze the outside scene into the ring between the bubble and the border.
    out.x = static_cast<int32_t>(e.x + (x - e.x) * reach / (reach - edge));
    out.y = static_cast<int32_t>(e.y + (y - e.y) * reach / (reach - edge));
  }
  out.x = Clamp(out.x, 0, s.width - 1);
  out.y = Clamp(out.y, 0, s.lines - 1);
  return out;
}

namespace {

BubbleBorderPoint MakeBorderPoint(const BubbleShape& s, int32_t ex, int32_t ey) {
  BubbleBorderPoint p;
  p.reach = TruncatedLength(s.halfLines - ey, s.halfWidth - ex);
  p.edge = EdgeForReach(s, p.reach);
  p.byEdge = MakeFixedDivisor(p.edge != 0 ? p.edge : 1);
  const int64_t ring = static_cast<int64_t>(p.reach) - p.edge;
  p.byRing = MakeFixedDivisor(ring != 0 ? ring : 1);
  return p;
}

int32_t Magnitude(int32_t v) { return v < 0 ? -v : v; }

// The least |dx| >= 1 whose ray on the line at dy (!= 0) leaves through a side: the exit
// line hH + trunc(dy x hW / |dx|) lies on the picture. |dy x hW / |dx|| falls as |dx| grows,
// so those rays are the ones from some |dx| on; at |dx| = hW the exit line is the pixel's
// own line. hW + 1 when there is no column but the centre one.
int32_t FirstSideColumn(const BubbleRowTables& t, int32_t dy) {
  const BubbleShape& s = t.shape;
  if (s.halfWidth == 0 || dy == 0) return s.halfWidth + 1;
  const int64_t sideNumerator = static_cast<int64_t>(dy) * s.halfWidth;
  int32_t low = 0;  // through the top or bottom (or the centre column)
  int32_t high = s.halfWidth;
  while (high - low > 1) {
    const int32_t mid = low + (high - low) / 2;
    const int32_t line = DivideBy(sideNumerator, t.byColumnDistance[mid]) + s.halfLines;
    (static_cast<uint32_t>(line) < static_cast<uint32_t>(s.lines) ? high : low) = mid;
  }
  return high;
}

}  // namespace

size_t BubbleRowTablesBytes(const BubbleShape& s) {
  const size_t w = static_cast<size_t>(s.width);
  const size_t lines = static_cast<size_t>(s.lines);
  return (2 * lines + 2 * w) * sizeof(BubbleBorderPoint) +
         (static_cast<size_t>(s.halfWidth) + static_cast<size_t>(s.halfLines) + 4) *
             sizeof(FixedDivisor) +
         (w + lines) * sizeof(int32_t);
}

bool MakeBubbleRowTables(const BubbleShape& s, void* memory, BubbleRowTables* t) {
  // Every numerator is a coordinate difference (below W + Hs) times a distance or a half
  // size (below the diagonal + 2), every divisor below twice that diagonal.
  const int64_t diagonal = TruncatedLength(s.width, s.lines) + 2;
  const int64_t numerator = (static_cast<int64_t>(s.width) + s.lines + 2) * diagonal;
  if (numerator >= kFixedNumeratorLimit || numerator * 2 * diagonal >= kFixedDivisionLimit) {
    return false;
  }
  t->shape = s;
  // Lane products: a coordinate difference (at most W or Hs, or a half size + 1) times a
  // distance from the centre to the border (at most half the diagonal) or a half size.
  const int64_t longest = (s.width > s.lines ? s.width : s.lines) + int64_t{2};
  // (That also keeps W and Hs below 2^15, as the lanes' 16-bit clamps need.)
  t->lanes =
      longest * (TruncatedLength(s.width, s.lines) / 2 + 2) < kLaneQuotientLimit && longest < 32768;
  const int64_t across = s.halfWidth + int64_t{1};
  const int64_t down = s.halfLines + int64_t{1};
  t->laneDistances = across * across + down * down < kLaneDistanceLimit;
  t->sides = static_cast<BubbleBorderPoint*>(memory);
  t->ends = t->sides + 2 * static_cast<size_t>(s.lines);
  t->byColumnDistance = reinterpret_cast<FixedDivisor*>(t->ends + 2 * static_cast<size_t>(s.width));
  t->byLineDistance = t->byColumnDistance + s.halfWidth + 2;
  t->distances = reinterpret_cast<int32_t*>(t->byLineDistance + s.halfLines + 2);
  t->firstSides = t->distances + s.width;
  for (int32_t y = 0; y < s.lines; ++y) {
    t->sides[y] = MakeBorderPoint(s, 0, y);
    t->sides[s.lines + y] = MakeBorderPoint(s, s.width - 1, y);
  }
  for (int32_t x = 0; x < s.width; ++x) {
    t->ends[x] = MakeBorderPoint(s, x, 0);
    t->ends[s.width + x] = MakeBorderPoint(s, x, s.lines - 1);
  }
  for (int32_t d = 1; d <= s.halfWidth + 1; ++d) t->byColumnDistance[d] = MakeFixedDivisor(d);
  for (int32_t d = 1; d <= s.halfLines + 1; ++d) t->byLineDistance[d] = MakeFixedDivisor(d);
  for (int32_t y = 0; y < s.lines; ++y) t->firstSides[y] = FirstSideColumn(*t, y - s.halfLines);
  return true;
}

void SampleBubbleRow(const BubbleRowTables& t, int32_t y, BubbleSample* samples) {
  SampleBubbleSpan(t, y, 0, t.shape.width, samples);
}

void SampleBubbleSpan(const BubbleRowTables& t, int32_t y, int32_t left, int32_t count,
                      BubbleSample* samples) {
  const BubbleShape& s = t.shape;
  const int32_t dy = y - s.halfLines;
  RowDistances(s.halfWidth - left, dy, count, t.distances);
  const FixedDivisor byLine = MakeFixedDivisor(dy != 0 ? Magnitude(dy) : 1);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x = left + i;
    const int32_t dx = x - s.halfWidth;
    // The exit point as ExitPoint finds it: dy x (+-hW) / dx is dy x hW / |dx|, and
    // dx x (+-hH) / dy is dx x hH / |dy|, both truncated toward zero.
    int32_t ex;
    int32_t ey;
    const BubbleBorderPoint* border = nullptr;
    if (dy == 0) {
      ex = dx >= 0 ? s.width - 1 : 0;
      ey = s.halfLines;
      border = &t.sides[(dx >= 0 ? s.lines : 0) + ey];
    } else {
      ey = dx != 0 ? DivideBy(static_cast<int64_t>(dy) * s.halfWidth,
                              t.byColumnDistance[Magnitude(dx)]) +
                         s.halfLines
                   : -1;
      if (ey >= 0 && ey < s.lines) {
        ex = dx >= 0 ? s.width - 1 : 0;
        border = &t.sides[(dx >= 0 ? s.lines : 0) + ey];
      } else {
        ex = DivideBy(static_cast<int64_t>(dx) * s.halfLines, byLine) + s.halfWidth;
        if (ex >= 0 && ex < s.width) {
          ey = dy >= 0 ? s.lines - 1 : 0;
          border = &t.ends[(dy >= 0 ? s.width : 0) + ex];
        }
      }
    }
    if (border == nullptr) {
      // A ray whose truncated crossings both miss the rectangle (at a corner).
      samples[i] = SampleBubble(s, x, y);
      continue;
    }
    BubbleSample out;
    out.inside = t.distances[i] <= border->edge;
    if (out.inside) {
      if (border->edge == 0) {
        out.x = s.halfWidth;
        out.y = s.halfLines;
      } else {
        out.x = DivideBy(static_cast<int64_t>(dx) * border->reach, border->byEdge) + s.halfWidth;
        out.y = DivideBy(static_cast<int64_t>(dy) * border->reach, border->byEdge) + s.halfLines;
      }
    } else if (border->reach == border->edge) {
      out.x = ex;
      out.y = ey;
    } else {
      out.x = ex + DivideBy(static_cast<int64_t>(x - ex) * border->reach, border->byRing);
      out.y = ey + DivideBy(static_cast<int64_t>(y - ey) * border->reach, border->byRing);
    }
    out.x = Clamp(out.x, 0, s.width - 1);
    out.y = Clamp(out.y, 0, s.lines - 1);
    samples[i] = out;
  }
}

namespace {

// n / d truncated toward zero for a positive divisor, without a branch on the sign of n
// (DivideBy's result for every n the tables allow).
inline int32_t DivideByPositive(int64_t n, const FixedDivisor& d) {
  const int64_t sign = n >> 63;  // all ones for a negative n
  const uint64_t magnitude = static_cast<uint64_t>((n ^ sign) - sign);
  const int64_t q = static_cast<int64_t>((magnitude * d.multiplier) >> kFixedDivisorShift);
  return static_cast<int32_t>((q ^ sign) - sign);
}

// The same for a numerator known to be at most 0 (kNegative) or at least 0.
template <bool kNegative>
inline int32_t DivideKnownSign(int64_t n, const FixedDivisor& d) {
  const uint64_t magnitude = static_cast<uint64_t>(kNegative ? -n : n);
  const int32_t q = static_cast<int32_t>((magnitude * d.multiplier) >> kFixedDivisorShift);
  return kNegative ? -q : q;
}

inline int32_t ClampTo(int32_t v, int32_t last) { return v < 0 ? 0 : (v > last ? last : v); }

}  // namespace

void BubbleSpanSources(const BubbleRowTables& t, int32_t y, int32_t left, int32_t count,
                       const uint8_t* const* insideLines, const uint8_t* const* outsideLines,
                       const uint8_t** sources) {
  const BubbleShape& s = t.shape;
  const int32_t dy = y - s.halfLines;
  auto fromSample = [&](const BubbleSample& b) {
    return (b.inside ? insideLines : outsideLines)[b.y] + 3 * b.x;
  };
  if (dy == 0) {
    // The centre line (one per frame) keeps the plain samples.
    for (int32_t i = 0; i < count; ++i) sources[i] = fromSample(SampleBubble(s, left + i, y));
    return;
  }
#if defined(ZK_BUBBLE_LANES)
  if (t.laneDistances) {
    RowDistancesInLanes(s.halfWidth - left, dy, count, t.distances);
  } else {
    RowDistances(s.halfWidth - left, dy, count, t.distances);
  }
#else
  RowDistances(s.halfWidth - left, dy, count, t.distances);
#endif
  const int32_t lastColumn = s.width - 1;
  const int32_t lastLine = s.lines - 1;
  // The exit line of a ray through a side: hH + dy x hW / |dx|, truncated.
  const int64_t sideNumerator = static_cast<int64_t>(dy) * s.halfWidth;
  auto sideExitLine = [&](int32_t across) {
    return DivideByPositive(sideNumerator, t.byColumnDistance[across]) + s.halfLines;
  };
  const int32_t firstSide = t.firstSides[y];
  auto emit = [&](int32_t i, const uint8_t* const* lines, int32_t ox, int32_t oy) {
    const uint8_t* source = lines[ClampTo(oy, lastLine)] + 3 * ClampTo(ox, lastColumn);
    sources[i] = source;
#if defined(__SSE2__)
    _mm_prefetch(reinterpret_cast<const char*>(source), _MM_HINT_T0);
#endif
  };
  // The source of pixel i on the ray that leaves through (ex, ey) at `border`. The line of
  // the source depends on the border point alone (dy is the row's), so a run of pixels
  // leaving through one side point works it out once, for each scene it shows.
  const BubbleBorderPoint* insideKnown = nullptr;
  const BubbleBorderPoint* outsideKnown = nullptr;
  int32_t insideLine = 0;
  int32_t outsideLine = 0;
  // Pixels left of the centre column (dx < 0) and the others apart, so that the sign of
  // every column numerator is known: dx x reach has the sign of dx, (x - ex) x reach the
  // other one (the exit lies beyond the pixel along its ray: ex = 0 or W - 1 through a side,
  // and |ex - hW| = |trunc(dx x hH / |dy|)| >= |dx| through an end, as |dy| <= hH).
  auto map = [&](auto leftOfCentre, int32_t i, int32_t x, int32_t dx, int32_t ex, int32_t ey,
                 const BubbleBorderPoint* border) {
    constexpr bool kLeft = decltype(leftOfCentre)::value;
    const int32_t reach = border->reach;
    const int32_t edge = border->edge;
    if (t.distances[i] <= edge) {
      if (edge == 0) {
        emit(i, insideLines, s.halfWidth, s.halfLines);
        return;
      }
      if (border != insideKnown) {
        insideKnown = border;
        insideLine =
            DivideByPositive(static_cast<int64_t>(dy) * reach, border->byEdge) + s.halfLines;
      }
      emit(i, insideLines,
           DivideKnownSign<kLeft>(static_cast<int64_t>(dx) * reach, border->byEdge) + s.halfWidth,
           insideLine);
      return;
    }
    if (reach == edge) {
      emit(i, outsideLines, ex, ey);
      return;
    }
    if (border != outsideKnown) {
      outsideKnown = border;
      outsideLine = ey + DivideByPositive(static_cast<int64_t>(y - ey) * reach, border->byRing);
    }
    emit(i, outsideLines,
         ex + DivideKnownSign<!kLeft>(static_cast<int64_t>(x - ex) * reach, border->byRing),
         outsideLine);
  };
  // Exits through line 0 (rays going up) or line Hs - 1 (going down).
  const int32_t endLine = dy > 0 ? lastLine : 0;
  const BubbleBorderPoint* ends = t.ends + (dy > 0 ? s.width : 0);
  const FixedDivisor& byLine = t.byLineDistance[Magnitude(dy)];
  // The plain source of pixel i, the reference the lanes below keep to.
  auto pixel = [&](auto leftOfCentre, int32_t i) {
    constexpr bool kLeft = decltype(leftOfCentre)::value;
    const int32_t x = left + i;
    const int32_t dx = x - s.halfWidth;
    const int32_t across = kLeft ? -dx : dx;
    if (across >= firstSide) {
      const int32_t ey = sideExitLine(across);
      map(leftOfCentre, i, x, dx, kLeft ? 0 : lastColumn, ey, t.sides + (kLeft ? 0 : s.lines) + ey);
      return;
    }
    const int32_t ex =
        DivideKnownSign<kLeft>(static_cast<int64_t>(dx) * s.halfLines, byLine) + s.halfWidth;
    if (static_cast<uint32_t>(ex) >= static_cast<uint32_t>(s.width)) {
      sources[i] = fromSample(SampleBubble(s, x, y));  // a ray through a corner
      return;
    }
    map(leftOfCentre, i, x, dx, ex, endLine, ends + ex);
  };
  auto plain = [&](auto leftOfCentre, int32_t from, int32_t to) {
    for (int32_t i = from; i < to; ++i) pixel(leftOfCentre, i);
  };
#if defined(ZK_BUBBLE_LANES)
  // Four pixels a step, all leaving through a side (`throughSide`) or all through an end,
  // every division in float lanes (exact: t.lanes bounds the numerators below 2^24).
  static_assert(offsetof(BubbleBorderPoint, edge) == offsetof(BubbleBorderPoint, reach) + 4,
                "E and Rb are read as one pair");
  const __m128i laneOffsets = _mm_setr_epi32(0, 1, 2, 3);
  const __m128i halfWidth = _mm_set1_epi32(s.halfWidth);
  const __m128i halfLines = _mm_set1_epi32(s.halfLines);
  const __m128i lineDy = _mm_set1_epi32(dy);
  const __m128i lineY = _mm_set1_epi32(y);
  const __m128i columnLimit = _mm_set1_epi32(lastColumn);
  const int16_t lastColumn16 = static_cast<int16_t>(lastColumn);
  const int16_t lastLine16 = static_cast<int16_t>(lastLine);
  const __m128i limits = _mm_setr_epi16(lastColumn16, lastColumn16, lastColumn16, lastColumn16,
                                        lastLine16, lastLine16, lastLine16, lastLine16);
  const __m128i zero = _mm_setzero_si128();
  const __m128 one = _mm_set1_ps(1.0f);
  const __m128 sideNumeratorF = _mm_set1_ps(static_cast<float>(sideNumerator));
  const __m128 halfLinesF = _mm_set1_ps(static_cast<float>(s.halfLines));
  const __m128 lineDistanceF = _mm_set1_ps(static_cast<float>(Magnitude(dy)));
  auto select = [](__m128i mask, __m128i ifSet, __m128i ifClear) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
  };
  // Indexed by a pixel's outside bit, so that neither scene is a branch.
  const uint8_t* const* const scenes[2] = {insideLines, outsideLines};
  auto lanes = [&](auto leftOfCentre, auto throughSide, int32_t from, int32_t to) {
    constexpr bool kLeft = decltype(leftOfCentre)::value;
    constexpr bool kSide = decltype(throughSide)::value;
    const BubbleBorderPoint* border = kSide ? t.sides + (kLeft ? 0 : s.lines) : ends;
    int32_t i = from;
    for (; i + 4 <= to; i += 4) {
      const __m128i x = _mm_add_epi32(_mm_set1_epi32(left + i), laneOffsets);
      const __m128i dx = _mm_sub_epi32(x, halfWidth);
      __m128i ex;
      __m128i ey;
      alignas(16) int32_t at[4];
      if (kSide) {
        const __m128i across = kLeft ? _mm_sub_epi32(zero, dx) : dx;
        ey = _mm_add_epi32(TruncatedQuotients(sideNumeratorF, _mm_cvtepi32_ps(across)), halfLines);
        ex = _mm_set1_epi32(kLeft ? 0 : lastColumn);
        _mm_store_si128(reinterpret_cast<__m128i*>(at), ey);
      } else {
        const __m128 n = _mm_mul_ps(_mm_cvtepi32_ps(dx), halfLinesF);
        ex = _mm_add_epi32(TruncatedQuotients(n, lineDistanceF), halfWidth);
        ey = _mm_set1_epi32(endLine);
        // A ray through a corner leaves the exit column off the picture.
        const __m128i off =
            _mm_or_si128(_mm_cmpgt_epi32(zero, ex), _mm_cmpgt_epi32(ex, columnLimit));
        if (_mm_movemask_epi8(off) != 0) {
          for (int32_t k = 0; k < 4; ++k) pixel(leftOfCentre, i + k);
          continue;
        }
        _mm_store_si128(reinterpret_cast<__m128i*>(at), ex);
      }
      // E and Rb of the four border points (the first two fields of each).
      const __m128i p01 = _mm_unpacklo_epi32(
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&border[at[0]].reach)),
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&border[at[1]].reach)));
      const __m128i p23 = _mm_unpacklo_epi32(
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&border[at[2]].reach)),
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&border[at[3]].reach)));
      const __m128i reach = _mm_unpacklo_epi64(p01, p23);
      const __m128i edge = _mm_unpackhi_epi64(p01, p23);
      const __m128i distance = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.distances + i));
      // Inside: centre + (dx, dy) x E / Rb; outside: exit + (x - ex, y - ey) x E / (E - Rb).
      // A zero divisor puts the pixel at the centre (inside) or the exit (outside).
      const __m128i outside = _mm_cmpgt_epi32(distance, edge);
      const __m128i divisor = select(outside, _mm_sub_epi32(reach, edge), edge);
      const __m128i none = _mm_cmpeq_epi32(divisor, zero);
      const __m128 scale = _mm_cvtepi32_ps(_mm_andnot_si128(none, reach));
      const __m128 divisorF =
          _mm_or_ps(_mm_and_ps(_mm_castsi128_ps(none), one), _mm_cvtepi32_ps(divisor));
      const __m128i nx = select(outside, _mm_sub_epi32(x, ex), dx);
      const __m128i ny = select(outside, _mm_sub_epi32(lineY, ey), lineDy);
      const __m128i qx = TruncatedQuotients(_mm_mul_ps(_mm_cvtepi32_ps(nx), scale), divisorF);
      const __m128i qy = TruncatedQuotients(_mm_mul_ps(_mm_cvtepi32_ps(ny), scale), divisorF);
      // Both coordinates clamped at once as 16-bit lanes: packing saturates, which keeps
      // every clamp (W and Hs are far below 2^15 where the lanes are used).
      const __m128i packed = _mm_packs_epi32(_mm_add_epi32(select(outside, ex, halfWidth), qx),
                                             _mm_add_epi32(select(outside, ey, halfLines), qy));
      alignas(16) int16_t at16[8];  // four columns, then four lines
      _mm_store_si128(reinterpret_cast<__m128i*>(at16),
                      _mm_min_epi16(_mm_max_epi16(packed, zero), limits));
      const int outsideBits = _mm_movemask_ps(_mm_castsi128_ps(outside));
      for (int32_t k = 0; k < 4; ++k) {
        const uint8_t* source = scenes[(outsideBits >> k) & 1][at16[4 + k]] + 3 * at16[k];
        sources[i + k] = source;
        _mm_prefetch(reinterpret_cast<const char*>(source), _MM_HINT_T0);
      }
    }
    plain(leftOfCentre, i, to);
  };
#endif
  // Rays leave through a side from |dx| = firstSide on: left of the centre those are the
  // first pixels of the span, right of it the last ones.
  auto walk = [&](auto leftOfCentre, int32_t from, int32_t to) {
    constexpr bool kLeft = decltype(leftOfCentre)::value;
#if defined(ZK_BUBBLE_LANES)
    if (t.lanes) {
      const int32_t bound =
          kLeft ? s.halfWidth - left - firstSide + 1 : firstSide + s.halfWidth - left;
      const int32_t split = bound < from ? from : (bound > to ? to : bound);
      if (kLeft) {
        lanes(leftOfCentre, std::true_type{}, from, split);
        lanes(leftOfCentre, std::false_type{}, split, to);
      } else {
        lanes(leftOfCentre, std::false_type{}, from, split);
        lanes(leftOfCentre, std::true_type{}, split, to);
      }
      return;
    }
#endif
    plain(leftOfCentre, from, to);
    (void)kLeft;
  };
  // Pixels i below `centre` lie left of the centre column.
  const int32_t centre = s.halfWidth - left < 0       ? 0
                         : s.halfWidth - left > count ? count
                                                      : s.halfWidth - left;
  walk(std::true_type{}, 0, centre);
  walk(std::false_type{}, centre, count);
}

}  // namespace zk
