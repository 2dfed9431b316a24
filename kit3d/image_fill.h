// Background fills of the 3D effects: a solid rectangle, and a picture stretched over a
// region of another image.
#pragma once

#include <cstdint>

#include "image_plane.h"

namespace zk {

// Paints columns x0..x0+w-1 of scene rows y0, y0+rowStep, ... below y0+h, clipped to the
// plane, with the colour word's bytes (blue, green, red). False for a missing plane or one
// of 5 or more bytes per pixel.
bool FillRect(ImagePlane* plane, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t colour);

// Bilinear stretch of the source region onto the destination region, walking the
// destination from the top of the picture down (both images store their bottom row
// first), so the picture stands the same way up in both. The aspect ratio is not kept.
// Neighbours past the source's edge count as the pixel itself; destination pixels outside
// the destination and source pixels outside the source are skipped. False when a plane
// is missing.
bool StretchBilinear(ImagePlane* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                     const ImagePlane* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh);

}  // namespace zk
