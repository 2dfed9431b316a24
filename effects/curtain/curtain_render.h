#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// variantFlags bit: a curtain of scene A opens over scene B (else one of B closes over A).
constexpr uint32_t kCurtainOpens = 0x100;
// extraFlags bits: a shadow offset by 1/20, 1/35 or 1/60 of the rectangle.
constexpr uint32_t kCurtainShadowWide = 0x10;
constexpr uint32_t kCurtainShadowMedium = 0x20;
constexpr uint32_t kCurtainShadowNarrow = 0x40;

// A two-half stage curtain of one scene, gathered into shaded folds, over the other scene.
int32_t RenderCurtain(const FrameView& view);

// The same with the fold table taken from `scratch`; 0 without writing when it fails.
int32_t RenderCurtainWith(const FrameView& view, const ScratchSource& scratch);

}  // namespace zk
