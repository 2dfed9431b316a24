#include "bubble_render.h"

#include <cstring>

#include "bubble_geometry.h"
#include "picture_lines.h"
#include "unit_progress.h"

namespace zk {
namespace {

// The centre line has no well-defined ray direction, so it is smoothed over from its two
// neighbours: byte-wise mean, rounded down.
void AverageIntoRow(uint8_t* row, const uint8_t* above, const uint8_t* below, int32_t bytes) {
  for (int32_t i = 0; i < bytes; ++i) {
    row[i] = static_cast<uint8_t>((above[i] + below[i]) >> 1);
  }
}

}  // namespace

int32_t RenderBubble(const FrameView& v) {
  const bool shrinkA = (v.variantFlags & kBubbleShrinkA) != 0;
  const double p = UnitProgress(v.progress);
  const double t = shrinkA ? p : 1.0 - p;
  const uint8_t* inside = shrinkA ? v.sceneA : v.sceneB;
  const uint8_t* outside = shrinkA ? v.sceneB : v.sceneA;
  const BubbleShape shape = MakeBubbleShape(v.width, PictureLineCount(v), t);

  ForEachPictureLine(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t, int32_t line) {
    for (int32_t x = 0; x < v.width; ++x) {
      const BubbleSample s = SampleBubble(shape, x, line);
      const uint8_t* scene = s.inside ? inside : outside;
      const uint8_t* src = scene + RowOfPictureLine(v, s.y) * v.stride + s.x * 3;
      std::memcpy(out + x * 3, src, 3);
    }
  });

  // Needs a row on each side inside the rectangle.
  if (v.height >= 3) {
    const int32_t middle = RowOfPictureLine(v, shape.halfLines);
    AverageIntoRow(OutRow(v, middle), OutRow(v, middle - 1), OutRow(v, middle + 1), v.width * 3);
  }
  return 1;
}

}  // namespace zk
