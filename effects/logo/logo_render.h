// The render call of the logo transition: background, mask, the four layer cards moved
// by their timing, and the two drawing passes.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "logo_resource.h"
#include "scratch_source.h"

namespace zk {

// Draws from the first pixel of the output frame (the rectangle's origin is not applied).
// Returns 0 without drawing when there is no settings record, 0 after the background when
// the depth buffer cannot be had, else 1.
int32_t RenderLogo(const FrameView& view, BitmapResourceLoader loadResource,
                   const ScratchSource& scratch);

}  // namespace zk
