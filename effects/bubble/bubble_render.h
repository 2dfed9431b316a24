#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Bit of variantFlags that turns the growing bubble of scene B into a shrinking bubble of A.
constexpr uint32_t kBubbleShrinkA = 0x20000;

// One scene inside a lens bubble centred in the rectangle, the other squeezed around it.
int32_t RenderBubble(const FrameView& view);

}  // namespace zk
