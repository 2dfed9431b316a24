// How much of a pixel a masked texture covers, from its perspective-correct texture
// coordinates: the renderer's coverage stage asks this for every pixel of a layered card.
#pragma once

#include "image_plane.h"

namespace zk {

// 1/255 as the 32-bit float the coverage scale is kept in.
constexpr float kCoverageScale = 0.003921568859f;

// The mask's bilinear coverage at texel position (u, v), 0 outside the texture; 1 for a
// texture without a mask. Kept as a 32-bit float so that white is exactly 1 and inverted
// white exactly 0 (in double precision 255/255 comes out a hair above 1).
float MaskCoverage(const ImagePlane& texture, double u, double v);

}  // namespace zk
