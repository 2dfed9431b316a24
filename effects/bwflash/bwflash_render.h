#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Scene A fades to black, scene B rises from black, flashes toward white and settles.
int32_t RenderBwFlash(const FrameView& view);

}  // namespace zk
