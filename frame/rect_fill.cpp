#include "rect_fill.h"

#include "colour_word.h"
#include "pixel_rows.h"

namespace zk {

void FillRectColour(const FrameView& v, uint32_t colourWord) {
  const PixelBgr colour = ColourToPixel(colourWord);
  ForEachRectRow(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t) {
    FillRowPixel(out, v.width, colour);
  });
}

}  // namespace zk
