#include "ray_casting.h"

#include "slice_runner.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {
namespace {

// One ray being walked: the light it carries and the maps it reads and writes.
struct Ray {
  const uint8_t* mask;
  uint8_t* map;
  int32_t width;
  int32_t height;
  int32_t density;
  double light = 0.0;

  // `write` false walks the step without storing its light.
  void Step(int32_t col, int32_t row, bool write = true) {
    if (col >= 0 && col < width && row >= 0 && row < height) {
      const int64_t cell = static_cast<int64_t>(row) * width + col;
      light += density * (mask[cell] / 255);
      int32_t stored = 255;
      if (light < 255.0) stored = light > 0.0 ? static_cast<int32_t>(light) : 0;
      if (write) map[cell] = static_cast<uint8_t>(stored);
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

  SteppedOffset() = default;  // every offset 0
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

// One family of rays: ray i (0 .. rays - 1) takes steps s = 0 .. lastStep from the source,
// step s of it at source + s x along + offset x across (columns, rows), its offset being
// s x (i - centre) / lastStep truncated toward zero. Every step of a family lies on a column
// (or row) of its own, and the offsets of one step never fall as i rises.
struct RayFamily {
  int32_t rays, lastStep, centre;
  int32_t sourceCol, sourceRow;
  int32_t alongCol, alongRow, acrossCol, acrossRow;

  SteppedOffset Reach(int32_t i) const { return SteppedOffset(i - centre, lastStep); }
  int32_t Col(int32_t s, int32_t offset) const {
    return sourceCol + s * alongCol + offset * acrossCol;
  }
  int32_t Row(int32_t s, int32_t offset) const {
    return sourceRow + s * alongRow + offset * acrossRow;
  }
};

// What a run of rays must not write: the first step (which holds the same light for every
// ray, the last family's to keep), and the cells of the first ray after the run, at the same
// step (where a later ray writes last). Rays i and j of a family can share a cell at step s
// only while s x (j - i) < 2 x lastStep, so far from the source a run is free of that ray.
struct RunGuard {
  bool skipFirst;
  int32_t next;  // the first ray after the run, or the family's ray count
};

// Rays first .. end - 1 of a family, kTogether at a time (the rest one by one), step by
// step, ray after ray within a step, bounds tested at every step: the rays' lights are
// independent, so walking several hides the latency of each.
template <int kTogether>
void WalkTogether(const Ray& blank, const RayFamily& f, int32_t first, int32_t end,
                  const RunGuard& guard) {
  const bool guarded = guard.next < f.rays;
  int32_t i = first;
  for (; i + kTogether <= end; i += kTogether) {
    Ray ray[kTogether];
    SteppedOffset offset[kTogether];
    for (int32_t k = 0; k < kTogether; ++k) {
      ray[k] = blank;
      offset[k] = f.Reach(i + k);
    }
    SteppedOffset after = f.Reach(guarded ? guard.next : i);
    for (int32_t s = 0; s <= f.lastStep; ++s) {
      for (int32_t k = 0; k < kTogether; ++k) {
        const bool write =
            !(s == 0 && guard.skipFirst) && (!guarded || offset[k].Value() != after.Value());
        ray[k].Step(f.Col(s, offset[k].Value()), f.Row(s, offset[k].Value()), write);
        offset[k].Advance();
      }
      after.Advance();
    }
  }
  if (kTogether > 1) WalkTogether<1>(blank, f, i, end, guard);
}

#if defined(__SSE2__)
// The rays of one family when every cell they step on lies inside the maps (the source
// inside the rectangle): no bounds to test, and each ray's cell moves by a step worked out
// once. Offset(s + 1) - offset(s) is the whole part of the slope or one more (with the
// slope's sign), so the cell moves by `step` or by `step + carryStep`. The lights of two
// rays share a register (the same double operations on each); kPairs pairs are walked side
// by side, the rays in order within each step, so a shared cell keeps the later ray's light
// as when the rays are walked one after another.
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

RayCursor CursorOf(const RayFamily& f, int64_t start, int64_t along, int64_t across, int32_t i) {
  const SteppedOffset o = f.Reach(i);
  return RayCursor{start, along + (o.negative ? -o.whole : o.whole) * across,
                   o.negative ? -across : across, 0, o.part};
}

template <int kPairs>
struct InsideWalk {
  const RayFamily& f;
  int64_t start, along, across;
  int32_t divisor;  // |lastStep|, 1 for a family of one step
  __m128d gain[4];  // density x (mask / 255) for the two values each mask of a pair holds
  const uint8_t* mask;
  uint8_t* map;

  InsideWalk(const Ray& blank, const RayFamily& family, int64_t width)
      : f(family),
        start(static_cast<int64_t>(family.sourceRow) * width + family.sourceCol),
        along(family.alongRow * width + family.alongCol),
        across(family.acrossRow * width + family.acrossCol),
        divisor(family.lastStep != 0 ? family.lastStep : 1),
        mask(blank.mask),
        map(blank.map) {
    const double d = static_cast<double>(blank.density);
    gain[0] = _mm_set_pd(0.0, 0.0);
    gain[1] = _mm_set_pd(0.0, d);
    gain[2] = _mm_set_pd(d, 0.0);
    gain[3] = _mm_set_pd(d, d);
  }

  // Steps `from` .. `to` - 1 of the rays of `r`; with `checked`, a cell equal to `avoid`'s
  // (advanced along) is not written.
  template <bool kChecked>
  void Steps(int32_t from, int32_t to, RayCursor* r, __m128d* light, RayCursor* avoid,
             bool skipHere) const {
    const __m128d decay = _mm_set1_pd(static_cast<double>(kRayDecay));
    const __m128d zero = _mm_setzero_pd();
    const __m128d most = _mm_set1_pd(255.0);
    uint8_t discard[2];
    for (int32_t s = from; s < to; ++s) {
      const int64_t forbidden = kChecked ? Advance(*avoid, divisor) : -1;
      for (int32_t k = 0; k < kPairs; ++k) {
        const int64_t c0 = Advance(r[2 * k], divisor);
        const int64_t c1 = Advance(r[2 * k + 1], divisor);
        light[k] = _mm_add_pd(light[k], gain[(mask[c0] & 1) | (mask[c1] & 2)]);
        // min(max(light, 0), 255) truncates as the plain step's three cases do.
        const __m128i held = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(light[k], zero), most));
        const int32_t bytes =
            _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(held, held), held));
        uint8_t* to0 = map + c0;
        uint8_t* to1 = map + c1;
        if (kChecked) {
          const bool skip = s == 0 && skipHere;
          if (skip || c0 == forbidden) to0 = &discard[0];
          if (skip || c1 == forbidden) to1 = &discard[1];
        }
        *to0 = static_cast<uint8_t>(bytes);
        *to1 = static_cast<uint8_t>(bytes >> 8);
        light[k] = _mm_mul_pd(light[k], decay);
      }
    }
  }

  // Rays first .. end - 1 (a whole number of groups of 2 x kPairs).
  void Run(int32_t first, int32_t end, const RunGuard& guard) const {
    constexpr int32_t kRays = 2 * kPairs;
    const bool guarded = guard.next < f.rays;
    for (int32_t i = first; i + kRays <= end; i += kRays) {
      RayCursor r[kRays];
      for (int32_t k = 0; k < kRays; ++k) r[k] = CursorOf(f, start, along, across, i + k);
      RayCursor avoid = CursorOf(f, start, along, across, guarded ? guard.next : i);
      __m128d light[kPairs];
      for (__m128d& l : light) l = _mm_setzero_pd();
      // The steps near enough the source to meet the next run's first ray, or the first.
      int32_t checked = guard.skipFirst ? 1 : 0;
      if (guarded) {
        const int64_t gap = guard.next - (i + kRays - 1);
        const int64_t near = (2 * static_cast<int64_t>(f.lastStep) + gap - 1) / gap;
        checked = static_cast<int32_t>(near > checked ? near : checked);
        if (f.lastStep == 0) checked = 1;
      }
      if (checked > f.lastStep + 1) checked = f.lastStep + 1;
      if (!guarded) avoid.cell = -1, avoid.step = 0, avoid.carryStep = 0;
      Steps<true>(0, checked, r, light, &avoid, guard.skipFirst);
      Steps<false>(checked, f.lastStep + 1, r, light, nullptr, false);
    }
  }
};
#endif

// Rays first .. end - 1 of a family, walked in groups.
void WalkRun(const Ray& blank, const RayFamily& f, bool inside, int32_t first, int32_t end,
             const RunGuard& guard) {
#if defined(__SSE2__)
  if (inside) {
    constexpr int32_t kPairs = 2;
    const int32_t grouped = end - (end - first) % (2 * kPairs);
    InsideWalk<kPairs>(blank, f, blank.width).Run(first, grouped, guard);
    WalkTogether<1>(blank, f, grouped, end, guard);
    return;
  }
#endif
  WalkTogether<4>(blank, f, first, end, guard);
}

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

namespace {

// Family `which` (0 or 1) of a phase: the left and right edges, then row 0 and the last row.
// The two of a phase share the source cell alone.
RayFamily FamilyOf(int32_t phase, int32_t which, int32_t w, int32_t h, int32_t lx, int32_t ly) {
  const RayFamily families[2][2] = {
      {{h, lx, ly, lx, ly, -1, 0, 0, 1}, {h, w - lx - 1, ly, lx, ly, 1, 0, 0, 1}},
      {{w, ly, lx, lx, ly, 0, -1, 1, 0}, {w, h - ly - 1, lx, lx, ly, 0, 1, 1, 0}}};
  return families[phase][which];
}

// Steps a family walks in all: its share of the phase's work.
int64_t StepsOf(const RayFamily& f) {
  return f.lastStep < 0 ? 0 : static_cast<int64_t>(f.rays) * (f.lastStep + 1);
}

}  // namespace

RayCast::RayCast(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lx,
                 int32_t ly, int32_t density, int32_t pieces)
    : mask_(mask),
      map_(rayMap),
      width_(width),
      height_(height),
      lx_(lx),
      ly_(ly),
      density_(density) {
  if (pieces < 2) pieces = 2;
  for (int32_t phase = 0; phase < 2; ++phase) {
    // Each family's runs in proportion to its steps, so that the pieces take about as long
    // as one another; the family with the longer pieces comes first, to leave the short ones
    // for the end of the phase.
    const int64_t steps[2] = {StepsOf(FamilyOf(phase, 0, width, height, lx, ly)),
                              StepsOf(FamilyOf(phase, 1, width, height, lx, ly))};
    PhasePlan& plan = phases_[phase];
    if (steps[0] == 0 || steps[1] == 0) {
      plan.runs[0] = steps[0] == 0 ? 0 : pieces;
      plan.runs[1] = steps[1] == 0 ? 0 : pieces;
    } else {
      int64_t first = (pieces * steps[0] + (steps[0] + steps[1]) / 2) / (steps[0] + steps[1]);
      if (first < 1) first = 1;
      if (first > pieces - 1) first = pieces - 1;
      plan.runs[0] = static_cast<int32_t>(first);
      plan.runs[1] = pieces - plan.runs[0];
    }
    const bool secondLonger =
        plan.runs[0] != 0 && plan.runs[1] != 0 && steps[1] * plan.runs[0] > steps[0] * plan.runs[1];
    plan.leading = secondLonger ? 1 : 0;
  }
}

int32_t RayCast::Pieces(int32_t phase) const {
  return phases_[phase].runs[0] + phases_[phase].runs[1];
}

void RayCast::Walk(int32_t phase, int32_t index) const {
  const PhasePlan& plan = phases_[phase];
  int32_t which = plan.leading;
  if (index >= plan.runs[which]) {
    index -= plan.runs[which];
    which = 1 - which;
  }
  // A family without steps (the source past its edge) has no runs.
  if (index >= plan.runs[which]) return;
  const RayFamily f = FamilyOf(phase, which, width_, height_, lx_, ly_);
  // Runs of whole groups of four rays where they can be had.
  const RowRange run = BandRows((f.rays + 3) / 4, plan.runs[which], index);
  const int32_t first = 4 * run.first < f.rays ? 4 * run.first : f.rays;
  const int32_t end = 4 * run.end < f.rays ? 4 * run.end : f.rays;
  // The first step is the source cell: the bottom family's (walked last) keeps it.
  const bool last = phase == 1 && which == 1;
  const Ray blank{mask_, map_, width_, height_, density_};
  const bool inside = lx_ >= 0 && lx_ < width_ && ly_ >= 0 && ly_ < height_;
  WalkRun(blank, f, inside, first, end, RunGuard{!last, end});
}

void CastRays(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lx,
              int32_t ly, int32_t density) {
  const int32_t threads = SliceThreads();
  const RayCast cast(mask, rayMap, width, height, lx, ly, density,
                     threads > 1 ? kRayPiecesPerThread * threads : 2);
  // The top and bottom families overwrite the side ones: they start once those are done.
  for (int32_t phase = 0; phase < 2; ++phase) {
    RunSlices(threads, cast.Pieces(phase), [&](int32_t i) { cast.Walk(phase, i); });
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
