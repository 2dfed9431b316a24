// Lens-bubble geometry: for every picture pixel, where along its ray from the centre the
// bubble edge lies and which pixel of which scene the lens shows there.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fixed_divisor.h"

namespace zk {

// Per-frame constants of the bubble.
struct BubbleShape {
  int32_t width;      // W: rectangle columns
  int32_t lines;      // Hs: picture lines
  int32_t halfWidth;  // hW = W / 2
  int32_t halfLines;  // hH = Hs / 2
  int32_t radius;     // R: the smaller of hW and hH
  double size;        // q = 1 - t: bubble size relative to its full extent
  double stretch;     // k: 0 while round, rising to 1 as it swells into the rectangle
};

// t runs from 1 (no bubble) to 0 (the bubble fills the rectangle).
BubbleShape MakeBubbleShape(int32_t width, int32_t lines, double t);

struct RayExit {
  int32_t x;
  int32_t y;
};

// Where the ray from the centre through (centre + dx, centre + dy) leaves the rectangle.
// The centre pixel itself has no direction; it is given the right-hand side exit.
RayExit ExitPoint(const BubbleShape& s, int32_t dx, int32_t dy);

// The pixel shown at picture column x, line y: in the inside scene when `inside`, else in
// the outside scene; x and y are already clamped to the rectangle's picture.
struct BubbleSample {
  int32_t x;
  int32_t y;
  bool inside;
};

BubbleSample SampleBubble(const BubbleShape& s, int32_t x, int32_t y);

// What one frame works out once so that whole rows can be sampled without a square root or
// a division per pixel: for every point of the border a ray can leave through, its distance
// E from the centre, the bubble radius Rb on that ray and the divisors Rb and E - Rb; the
// divisors of every column distance. Divisions by them are multiplications (fixed_divisor.h),
// exact for every numerator a frame of this size produces.
struct BubbleBorderPoint {
  int32_t reach;  // E
  int32_t edge;   // Rb
  FixedDivisor byEdge;
  FixedDivisor byRing;  // E - Rb (unused when it is 0)
};

struct BubbleRowTables {
  BubbleShape shape;
  BubbleBorderPoint* sides;        // 2 x Hs: exits through the left side, then the right
  BubbleBorderPoint* ends;         // 2 x W: exits through line 0, then line Hs - 1
  FixedDivisor* byColumnDistance;  // |dx| = 1 .. hW + 1 (index 0 unused)
  FixedDivisor* byLineDistance;    // |dy| = 1 .. hH + 1 (index 0 unused)
  int32_t* distances;              // one row of pixel distances
  // For every picture line, the least |dx| whose ray leaves through a side (hW + 1 when
  // none does); rays of smaller |dx| leave through line 0 or line Hs - 1.
  int32_t* firstSides;
  // Every product of a coordinate difference and a distance stays below 2^24, so the spans
  // may divide four pixels at a time in float lanes (bubble_lanes.h); else one at a time.
  bool lanes;
  // Every squared distance from the centre stays below 2^22: the distances of a span may be
  // taken four at a time in float lanes.
  bool laneDistances;
};

// Scratch bytes the tables of a shape need.
size_t BubbleRowTablesBytes(const BubbleShape& s);

// Lays the tables out in `memory` and fills them. False (and the tables unusable) when the
// frame is so large that the products of its coordinates could leave the exact range of
// the fixed divisors; SampleBubble then serves every pixel.
bool MakeBubbleRowTables(const BubbleShape& s, void* memory, BubbleRowTables* t);

// samples[x] = SampleBubble(t.shape, x, y) for x = 0 .. W - 1.
void SampleBubbleRow(const BubbleRowTables& t, int32_t y, BubbleSample* samples);

// samples[i] = SampleBubble(t.shape, left + i, y) for i = 0 .. count - 1, a part of a row
// (0 <= left, left + count <= W).
void SampleBubbleSpan(const BubbleRowTables& t, int32_t y, int32_t left, int32_t count,
                      BubbleSample* samples);

// The source pixels of the same span as addresses: sample i of SampleBubbleSpan is
// (inside ? insideLines : outsideLines)[sample.y] + 3 x sample.x, where insideLines[y] and
// outsideLines[y] are the rows of picture line y in the two scenes. Each address is also
// asked of the cache at once, so that the reads that miss it are under way together.
void BubbleSpanSources(const BubbleRowTables& t, int32_t y, int32_t left, int32_t count,
                       const uint8_t* const* insideLines, const uint8_t* const* outsideLines,
                       const uint8_t** sources);

}  // namespace zk
