#include "crossfade_render.h"

#include "pixel_rows.h"
#include "rect_row_bands.h"

namespace zk {

int32_t RenderCrossfade(const FrameView& v) {
  // Exact comparisons on the 32-bit float: anything else, however close, is blended.
  if (v.progress == 0.0f) {
    CopyRect(v, v.sceneA);
    return 1;
  }
  if (v.progress == 1.0f) {
    CopyRect(v, v.sceneB);
    return 1;
  }
  if (v.width <= 0) return 1;
  const double p = static_cast<double>(v.progress);
  const int32_t bytes = v.width * 3;
  if (CrossfadeFixedPointApplies(v.progress)) {
    ForEachRectRowInBands(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
      CrossfadeRowFixedSse2(out, a, b, bytes, v.progress);
    });
    return 1;
  }
  ForEachRectRowInBands(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
    CrossfadeRowSse2(out, a, b, bytes, p);
  });
  return 1;
}

}  // namespace zk
