#include "colors_render.h"

#include <algorithm>

#include "colors_offsets.h"
#include "picture_lines.h"
#include "pixel_rows.h"
#include "rect_row_bands.h"

namespace zk {
namespace {

// Overwrites byte `channel` of the output row with the moving scene's channel image
// shifted right by `shiftX` columns, where the shifted image covers the row.
void LayChannelOverRow(uint8_t* out, const uint8_t* movingRow, int32_t channel, int32_t shiftX,
                       int32_t width) {
  const int64_t first = std::max<int64_t>(0, shiftX);
  const int64_t end = std::min<int64_t>(width, static_cast<int64_t>(width) + shiftX);
  for (int64_t x = first; x < end; ++x)
    out[3 * x + channel] = movingRow[3 * (x - shiftX) + channel];
}

}  // namespace

int32_t RenderColors(const FrameView& v) {
  const int32_t width = v.width;
  const int32_t lines = PictureLineCount(v);
  if (width <= 0 || v.height <= 0) return 1;
  const ColorsLayout layout = LayOutColorChannels(v.variantFlags, v.progress, width, lines);
  const uint8_t* moving = layout.movingIsB ? v.sceneB : v.sceneA;
  ForEachRectRowInBands(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
    const int64_t line = static_cast<int64_t>(row) * v.lineStep;
    CopyRowPixels(out, layout.movingIsB ? a : b, width);
    if (layout.movingHasLeft) return;
    for (int32_t k = 0; k < 3; ++k) {
      const int64_t sourceLine = line - layout.channel[k].line;
      if (sourceLine < 0 || sourceLine >= lines) continue;
      const int32_t sourceRow = RowOfPictureLine(v, static_cast<int32_t>(sourceLine));
      LayChannelOverRow(out, moving + static_cast<int64_t>(sourceRow) * v.stride, k,
                        layout.channel[k].x, width);
    }
  });
  return 1;
}

}  // namespace zk
