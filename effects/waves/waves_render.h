#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Crossfade through concentric sine rings about the centre of the rectangle.
int32_t RenderWaves(const FrameView& view);

}  // namespace zk
