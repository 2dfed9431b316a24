// Rays: light streams from the bright parts of the picture, away from a light source, in
// the ray colour; it grows out of scene A, floods the frame at the switch point and
// drains away from scene B.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "scratch_source.h"

namespace zk {

// One frame with its mask and ray map taken from `scratch`; without them the call
// returns 0 and writes nothing. A missing settings record means the defaults.
int32_t RenderRaysWith(const ScratchSource& scratch, const FrameView& view);
int32_t RenderRays(const FrameView& view);

// Light of a pixel: trunc(max(phase * mask, rays)), 0..255.
int32_t PixelLight(double phase, uint8_t mask, uint8_t rays);

// out = (s * (255 - light)) / 255 + (colour * light) / 255 for the three channels.
void CompositeRaysRow(uint8_t* out, const uint8_t* source, const uint8_t* mask, const uint8_t* rays,
                      int32_t width, double phase, uint32_t colour);

// The same bytes sixteen at a time: the light of every pixel is spread over its three
// bytes in `levels` (3 x width bytes of room) and blended toward `colourRow`, the ray
// colour repeated over 3 x width bytes.
void CompositeRaysRowByLevels(uint8_t* out, const uint8_t* source, const uint8_t* mask,
                              const uint8_t* rays, int32_t width, double phase,
                              const uint8_t* colourRow, uint8_t* levels);

}  // namespace zk
