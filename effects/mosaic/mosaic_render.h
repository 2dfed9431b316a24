#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// Scene A pixelates into ever larger blocks, switches to scene B at the middle, and B
// refines again.
int32_t RenderMosaic(const FrameView& view);

// The same with the block colours taken from `scratch`; 0 without writing when it fails.
int32_t RenderMosaicWith(const FrameView& view, const ScratchSource& scratch);

}  // namespace zk
