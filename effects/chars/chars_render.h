// The frame call of the character rain.
#pragma once

#include <cstdint>

#include "char_grid.h"
#include "frame_view.h"
#include "glyph_sheet.h"

namespace zk {

// Renders one frame and advances the clock. Returns 1, or 0 with the output untouched
// when the character map cannot be loaded or a cell would be smaller than one pixel.
int32_t RenderChars(const FrameView& view, FrameClock* clock, GlyphSheetLoader loadSheet);

}  // namespace zk
