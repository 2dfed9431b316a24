#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Plain dissolve: every byte trunc((1 - p) * A + p * B); p = 0 and p = 1 copy the scene.
int32_t RenderCrossfade(const FrameView& view);

}  // namespace zk
