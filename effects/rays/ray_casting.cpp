#include "ray_casting.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {
namespace {

struct Cell {
  int32_t col;
  int32_t row;
};

// One ray being walked: the light it carries and the maps it reads and writes.
struct Ray {
  const uint8_t* mask;
  uint8_t* map;
  int32_t width;
  int32_t height;
  int32_t density;
  double light = 0.0;

  void Step(int32_t col, int32_t row) {
    if (col >= 0 && col < width && row >= 0 && row < height) {
      const int64_t cell = static_cast<int64_t>(row) * width + col;
      light += density * (mask[cell] / 255);
      int32_t stored = 255;
      if (light < 255.0) stored = light > 0.0 ? static_cast<int32_t>(light) : 0;
      map[cell] = static_cast<uint8_t>(stored);
    }
    light *= static_cast<double>(kRayDecay);
  }
};

// s * k / divisor with truncation toward zero; a ray with a zero divisor only ever takes
// its first step (s = 0), where the offset is 0.
int32_t Offset(int32_t s, int32_t k, int32_t divisor) {
  if (divisor == 0) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(s) * k / divisor);
}

// s * k / divisor truncated toward zero for s = 0, 1, 2, ... one step at a time: the
// quotient and remainder of s * |k| by |divisor| grow by fixed amounts, so no step divides.
struct SteppedOffset {
  int32_t whole = 0;    // |k| / |divisor|
  int32_t part = 0;     // |k| % |divisor|
  int32_t divisor = 1;  // |divisor|
  bool negative = false;
  int32_t quotient = 0;
  int32_t remainder = 0;

  SteppedOffset(int32_t k, int32_t d) {
    if (d == 0) return;  // every offset is 0
    const int64_t magnitude = k < 0 ? -static_cast<int64_t>(k) : k;
    const int64_t by = d < 0 ? -static_cast<int64_t>(d) : d;
    whole = static_cast<int32_t>(magnitude / by);
    part = static_cast<int32_t>(magnitude % by);
    divisor = static_cast<int32_t>(by);
    negative = (k < 0) != (d < 0);
  }
  int32_t Value() const { return negative ? -quotient : quotient; }
  void Advance() {
    quotient += whole;
    remainder += part;
    if (remainder >= divisor) {
      remainder -= divisor;
      ++quotient;
    }
  }
};

// Rays first .. rays - 1 of a family, one after another.
template <class Reach, class CellOf>
void WalkOneByOne(const Ray& blank, int32_t first, int32_t rays, int32_t lastStep, Reach reach,
                  CellOf cellOf) {
  for (int32_t i = first; i < rays; ++i) {
    Ray ray = blank;
    SteppedOffset offset = reach(i);
    for (int32_t s = 0; s <= lastStep; ++s) {
      const Cell c = cellOf(s, offset.Value());
      ray.Step(c.col, c.row);
      offset.Advance();
    }
  }
}

// The rays of one family walked four at a time, step by step, ray after ray within a step.
// Every step of a family lies on one column (or row) of its own, so two rays can share a
// cell only at the same step, where the later ray still writes last: the map is the one
// the rays give walked one after another. Four independent lights hide the latency of each.
// cellOf(i, s, offset) gives the cell of step s of ray i whose offset is `offset`.
template <class Reach, class CellOf>
void WalkFamily(const Ray& blank, int32_t rays, int32_t lastStep, Reach reach, CellOf cellOf) {
  constexpr int32_t kTogether = 4;
  int32_t i = 0;
  for (; i + kTogether <= rays; i += kTogether) {
    Ray ray[kTogether] = {blank, blank, blank, blank};
    SteppedOffset offset[kTogether] = {reach(i), reach(i + 1), reach(i + 2), reach(i + 3)};
    for (int32_t s = 0; s <= lastStep; ++s) {
      for (int32_t k = 0; k < kTogether; ++k) {
        const Cell c = cellOf(s, offset[k].Value());
        ray[k].Step(c.col, c.row);
        offset[k].Advance();
      }
    }
  }
  WalkOneByOne(blank, i, rays, lastStep, reach, cellOf);
}

#if defined(__SSE2__)
// The rays of one family when every cell they step on lies inside the maps (the source
// inside the rectangle): no bounds to test, and each ray's cell moves by a step worked out
// once. Step s of ray i lies at start + s * along + offset(s) * across, and offset(s + 1) -
// offset(s) is the whole part of the slope or one more (with the slope's sign), so the cell
// moves by `step` or by `step + carryStep`. The lights of two rays share a register (the
// same double operations on each); kPairs pairs are walked side by side, the rays in order
// within each step as WalkFamily takes them, so a shared cell keeps the later ray's light.
struct RayCursor {
  int64_t cell;
  int64_t step;
  int64_t carryStep;
  int32_t remainder;
  int32_t part;
};

inline int64_t Advance(RayCursor& r, int32_t divisor) {
  const int64_t at = r.cell;
  r.remainder += r.part;
  // All ones when the remainder reaches the divisor (a carry), else 0: the carries follow
  // no pattern a branch predictor could learn.
  const int32_t carry = ~((r.remainder - divisor) >> 31);
  r.remainder -= divisor & carry;
  r.cell += r.step + (r.carryStep & static_cast<int64_t>(carry));
  return at;
}

template <int kPairs, class Reach>
void WalkFamilyInside(const Ray& blank, int64_t start, int32_t first, int32_t rays,
                      int32_t lastStep, int64_t along, int64_t across, Reach reach) {
  // density x (mask / 255) for the two values each mask of a pair holds.
  const double d = static_cast<double>(blank.density);
  const __m128d gain[4] = {_mm_set_pd(0.0, 0.0), _mm_set_pd(0.0, d), _mm_set_pd(d, 0.0),
                           _mm_set_pd(d, d)};
  const __m128d decay = _mm_set1_pd(static_cast<double>(kRayDecay));
  const __m128d zero = _mm_setzero_pd();
  const __m128d most = _mm_set1_pd(255.0);
  const uint8_t* mask = blank.mask;
  uint8_t* map = blank.map;
  constexpr int32_t kRays = 2 * kPairs;
  for (int32_t i = first; i + kRays <= rays; i += kRays) {
    RayCursor r[kRays];
    int32_t divisor = 1;
    for (int32_t k = 0; k < kRays; ++k) {
      const SteppedOffset o = reach(i + k);
      r[k] = RayCursor{start, along + (o.negative ? -o.whole : o.whole) * across,
                       o.negative ? -across : across, 0, o.part};
      divisor = o.divisor;  // |divisor| of the family (1 when it is 0)
    }
    __m128d light[kPairs];
    for (__m128d& l : light) l = zero;
    for (int32_t s = 0; s <= lastStep; ++s) {
      for (int32_t k = 0; k < kPairs; ++k) {
        const int64_t c0 = Advance(r[2 * k], divisor);
        const int64_t c1 = Advance(r[2 * k + 1], divisor);
        light[k] = _mm_add_pd(light[k], gain[(mask[c0] & 1) | (mask[c1] & 2)]);
        // min(max(light, 0), 255) truncates as the plain step's three cases do.
        const __m128i held = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(light[k], zero), most));
        const int32_t bytes =
            _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(held, held), held));
        map[c0] = static_cast<uint8_t>(bytes);
        map[c1] = static_cast<uint8_t>(bytes >> 8);
        light[k] = _mm_mul_pd(light[k], decay);
      }
    }
  }
}

// A whole family inside the maps: groups of 2 x kPairs rays, the rest one at a time.
template <int kPairs, class Reach, class CellOf>
void WalkInside(const Ray& blank, int64_t start, int32_t rays, int32_t lastStep, int64_t along,
                int64_t across, Reach reach, CellOf cellOf) {
  const int32_t grouped = rays - rays % (2 * kPairs);
  WalkFamilyInside<kPairs>(blank, start, 0, grouped, lastStep, along, across, reach);
  WalkOneByOne(blank, grouped, rays, lastStep, reach, cellOf);
}
#endif

}  // namespace

void BuildLightMask(const uint8_t* picture, int32_t stride, int32_t width, int32_t height,
                    int32_t threshold, uint8_t* mask) {
  // The channel sum is never negative, so its third reaches the threshold exactly when the
  // sum reaches three thresholds.
  const int32_t least = 3 * threshold;
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* p = picture + static_cast<int64_t>(row) * stride;
    uint8_t* m = mask + static_cast<int64_t>(row) * width;
    for (int32_t c = 0; c < width; ++c, p += 3) {
      m[c] = p[0] + p[1] + p[2] >= least ? 255 : 0;
    }
  }
}

void CastRays(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lx,
              int32_t ly, int32_t density) {
  const Ray blank{mask, rayMap, width, height, density};
  // With the source inside the rectangle every step lies between the source and its ray's
  // far end, inside the maps; a step of one family moves `along`, its offset `across`.
  const bool inside = lx >= 0 && lx < width && ly >= 0 && ly < height;
  const int64_t start = static_cast<int64_t>(ly) * width + lx;
  const int64_t w = width;
  auto family = [&](int32_t rays, int32_t lastStep, int64_t along, int64_t across, auto reach,
                    auto cellOf) {
#if defined(__SSE2__)
    if (inside) {
      WalkInside<2>(blank, start, rays, lastStep, along, across, reach, cellOf);
      return;
    }
#endif
    WalkFamily(blank, rays, lastStep, reach, cellOf);
  };
  family(  // to the left edge
      height, lx, -1, w, [&](int32_t i) { return SteppedOffset(ly - i, -lx); },
      [&](int32_t s, int32_t o) {
        return Cell{lx - s, ly + o};
      });
  family(  // to the right edge
      height, width - lx - 1, 1, w,
      [&](int32_t i) { return SteppedOffset(i - ly, width - lx - 1); },
      [&](int32_t s, int32_t o) {
        return Cell{lx + s, ly + o};
      });
  family(  // to row 0
      width, ly, -w, 1, [&](int32_t i) { return SteppedOffset(lx - i, -ly); },
      [&](int32_t s, int32_t o) {
        return Cell{lx + o, ly - s};
      });
  if (height - ly > 0) {
    family(  // to the last row
        width, height - ly - 1, w, 1,
        [&](int32_t i) { return SteppedOffset(i - lx, height - ly - 1); },
        [&](int32_t s, int32_t o) {
          return Cell{lx + o, ly + s};
        });
  }
}

void CastRaysPlain(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lx,
                   int32_t ly, int32_t density) {
  const Ray blank{mask, rayMap, width, height, density};
  for (int32_t i = 0; i < height; ++i) {  // to the left edge
    Ray ray = blank;
    for (int32_t s = 0; s <= lx; ++s) ray.Step(lx - s, ly + Offset(s, ly - i, -lx));
  }
  for (int32_t i = 0; i < height; ++i) {  // to the right edge
    Ray ray = blank;
    for (int32_t s = 0; s <= width - lx - 1; ++s) {
      ray.Step(lx + s, ly + Offset(s, i - ly, width - lx - 1));
    }
  }
  for (int32_t i = 0; i < width; ++i) {  // to row 0
    Ray ray = blank;
    for (int32_t s = 0; s <= ly; ++s) ray.Step(lx + Offset(s, lx - i, -ly), ly - s);
  }
  if (height - ly > 0) {
    for (int32_t i = 0; i < width; ++i) {  // to the last row
      Ray ray = blank;
      for (int32_t s = 0; s <= height - ly - 1; ++s) {
        ray.Step(lx + Offset(s, i - lx, height - ly - 1), ly + s);
      }
    }
  }
}

}  // namespace zk
