#include "spiral_render.h"

#include <cmath>

#include "picture_lines.h"
#include "pixel_rows.h"
#include "rect_fill.h"
#include "spiral_turn.h"
#include "weighted_blend.h"

namespace zk {

int32_t RenderSpiral(const FrameView& v) {
  // Pixels whose turned source falls outside the rectangle show the host's colour.
  FillRectColour(v, v.extraColor);
  const int32_t width = v.width;
  const int32_t lines = PictureLineCount(v);
  const int32_t halfW = width / 2;
  const int32_t halfH = lines / 2;
  const int32_t rMax = static_cast<int32_t>(
      std::sqrt(static_cast<double>(halfW) * halfW + static_cast<double>(halfH) * halfH));
  if (rMax == 0) return 0;
  const double rimDistance = static_cast<float>(rMax);

  const float p = v.progress;
  ByteBlendTable blend;
  MakeWeightedBlendTable(1.0f - p, p, &blend);
  TurnTable turns;
  ClearTurnTable(&turns);

  ForEachRectRow(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t row) {
    const int32_t dy = row * v.lineStep - halfH;
    for (int32_t x = 0; x < width; ++x) {
      const int32_t dx = x - halfW;
      const int32_t r = static_cast<int32_t>(
          std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
      const int32_t degrees = SpiralTurnDegrees(p, r / rimDistance, v.variantFlags);
      const TurnTrig t = LookUpTurn(&turns, degrees);
      const int32_t sx = static_cast<int32_t>(dx * t.cosine - dy * t.sine + halfW);
      const int32_t sy = static_cast<int32_t>(dx * t.sine + dy * t.cosine + halfH);
      if (sx < 0 || sx >= width || sy < 0 || sy >= lines) continue;
      const int64_t source = static_cast<int64_t>(RowOfPictureLine(v, sy)) * v.stride + 3 * sx;
      BlendPixelWithTable(out + 3 * x, v.sceneA + source, v.sceneB + source, blend);
    }
  });
  return 1;
}

}  // namespace zk
