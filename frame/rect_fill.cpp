#include "rect_fill.h"

#include "colour_word.h"
#include "pixel_rows.h"

namespace zk {

void FillRectColour(const FrameView& v, uint32_t colourWord) {
  FillRectColourRows(v, colourWord, 0, v.height);
}

void FillRectColourRows(const FrameView& v, uint32_t colourWord, int32_t first, int32_t end) {
  const PixelBgr colour = ColourToPixel(colourWord);
  for (int32_t row = first; row < end; ++row) FillRowPixel(OutRow(v, row), v.width, colour);
}

}  // namespace zk
