#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// A radar screen with a sweeping beam and echoes of the scenes' bright areas; scene A fades
// out at the start and scene B in at the end.
int32_t RenderRadar(const FrameView& view);

}  // namespace zk
