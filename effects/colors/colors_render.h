// The blue, green and red channel images of one scene fly apart over the other scene.
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

int32_t RenderColors(const FrameView& v);

}  // namespace zk
