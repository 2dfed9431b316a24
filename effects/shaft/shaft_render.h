#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// Ten slanted bars of scene B grow one after another over scene A until they cover it.
int32_t RenderShaft(const FrameView& view);

// The same with the coverage mask taken from `scratch`; 0 without writing when it fails.
int32_t RenderShaftWith(const FrameView& view, const ScratchSource& scratch);

}  // namespace zk
