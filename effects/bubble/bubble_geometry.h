// Lens-bubble geometry: for every picture pixel, where along its ray from the centre the
// bubble edge lies and which pixel of which scene the lens shows there.
#pragma once

#include <cstdint>

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

}  // namespace zk
