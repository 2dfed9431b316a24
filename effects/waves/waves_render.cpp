#include "waves_render.h"

#include <cmath>

#include "level_blend.h"
#include "picture_lines.h"
#include "waves_rings.h"

namespace zk {

int32_t RenderWaves(const FrameView& v) {
  if (v.width <= 0 || v.height <= 0) return 1;
  const WavesFrame f = MakeWavesFrame(v.width, PictureLineCount(v), v.progress, v.variantFlags);
  // The level depends on the distance alone, which changes slowly along a row.
  int32_t lastDistance = -1;
  int32_t level = 0;
  ForEachPictureLine(
      v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t, int32_t line) {
        const int64_t dy = f.halfLines - line;
        for (int32_t x = 0; x < v.width; ++x) {
          const int64_t dx = f.halfWidth - x;
          const int32_t distance =
              static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
          if (distance != lastDistance) {
            level = WaveMixLevel(f, distance);
            lastDistance = distance;
          }
          BlendPixelLevel(out + 3 * x, a + 3 * x, b + 3 * x, level);
        }
      });
  return 1;
}

}  // namespace zk
