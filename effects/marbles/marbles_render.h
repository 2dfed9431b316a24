// The render call of the marble transition: the revealed scene rising from black, the
// board of marbles flying off the source scene, and the opening cross-fade from the
// untouched source to the board.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// Returns 0 without writing when there is no settings record or the marble tables cannot
// be had (or would be absurdly large), else 1.
int32_t RenderMarbles(const FrameView& view);
int32_t RenderMarblesWith(const FrameView& view, const ScratchSource& scratch);

}  // namespace zk
