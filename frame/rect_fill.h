// Fills the whole rectangle with one colour word, the background of effects whose moved
// pixels can leave holes.
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

void FillRectColour(const FrameView& v, uint32_t colourWord);
// The same for rectangle rows first..end-1 alone.
void FillRectColourRows(const FrameView& v, uint32_t colourWord, int32_t first, int32_t end);

}  // namespace zk
