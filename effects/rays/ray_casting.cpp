#include "ray_casting.h"

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
  for (; i < rays; ++i) {
    Ray ray = blank;
    SteppedOffset offset = reach(i);
    for (int32_t s = 0; s <= lastStep; ++s) {
      const Cell c = cellOf(s, offset.Value());
      ray.Step(c.col, c.row);
      offset.Advance();
    }
  }
}

}  // namespace

void BuildLightMask(const uint8_t* picture, int32_t stride, int32_t width, int32_t height,
                    int32_t threshold, uint8_t* mask) {
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* p = picture + static_cast<int64_t>(row) * stride;
    uint8_t* m = mask + static_cast<int64_t>(row) * width;
    for (int32_t c = 0; c < width; ++c, p += 3) {
      const int32_t brightness = (p[0] + p[1] + p[2]) / 3;
      m[c] = brightness >= threshold ? 255 : 0;
    }
  }
}

void CastRays(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lx,
              int32_t ly, int32_t density) {
  const Ray blank{mask, rayMap, width, height, density};
  WalkFamily(  // to the left edge
      blank, height, lx, [&](int32_t i) { return SteppedOffset(ly - i, -lx); },
      [&](int32_t s, int32_t o) {
        return Cell{lx - s, ly + o};
      });
  WalkFamily(  // to the right edge
      blank, height, width - lx - 1,
      [&](int32_t i) { return SteppedOffset(i - ly, width - lx - 1); },
      [&](int32_t s, int32_t o) {
        return Cell{lx + s, ly + o};
      });
  WalkFamily(  // to row 0
      blank, width, ly, [&](int32_t i) { return SteppedOffset(lx - i, -ly); },
      [&](int32_t s, int32_t o) {
        return Cell{lx + o, ly - s};
      });
  if (height - ly > 0) {
    WalkFamily(  // to the last row
        blank, width, height - ly - 1,
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
