#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// Bit of variantFlags that turns the growing bubble of scene B into a shrinking bubble of A.
constexpr uint32_t kBubbleShrinkA = 0x20000;

// One scene inside a lens bubble centred in the rectangle, the other squeezed around it.
int32_t RenderBubble(const FrameView& view);

// The same with the per-frame border tables in memory from `scratch`; without it (or for
// frames too large for the tables' exact divisions) every pixel is sampled on its own, to
// the same bytes.
int32_t RenderBubbleWith(const FrameView& view, const ScratchSource& scratch);

}  // namespace zk
