// The lit bilinear texel of a textured triangle: the per-pixel heart of the renderer. The
// plain form works for any channel count; `LitTexel3` is the form the renderer uses for
// three channels, two channels per SSE2 register with the same double operations in the
// same order, so it gives the very same bytes.
#pragma once

#include <cstdint>

#include "image_plane.h"

namespace zk {

struct CarryAbove;  // triangle_bands.h

// The flat lighting of one triangle, fixed before its first pixel.
struct TexelShading {
  double cosine;     // the face's lighting cosine; below 0 the texel only darkens
  float shade;       // s = (|cos| * impact) ^ gloss
  uint8_t light[4];  // the light's colour bytes
  int32_t channels;  // colour bytes per texel written
  // Set when a band draws a triangle begun in the bands above: a colour computed there
  // is the one a texel outside the texture repeats before the band has its own.
  const CarryAbove* above = nullptr;
};

// For a texel outside the texture before any colour of this band: the colour carried from
// above into `colour`, setting `*haveColour`; false when there is none (or no `above`).
bool TakeCarryAbove(const CarryAbove* above, bool* haveColour, uint8_t colour[4]);

// The texel colour at texture position (U, V), bilinear between the texel and its right
// and lower neighbours (the neighbours the texture has), lit, into `colour`. A position
// outside the texture keeps `colour` when `*haveColour` is set; before any colour, the
// nearest edge texel is used unblended. Sets `*haveColour` when it writes.
void LitTexel(const ImagePlane& texture, const TexelShading& shading, double U, double V,
              bool* haveColour, uint8_t colour[4]);

// LitTexel for three channels (texture bytesPerPixel >= 3), the same bytes.
void LitTexel3(const ImagePlane& texture, const TexelShading& shading, double U, double V,
               bool* haveColour, uint8_t colour[4]);

}  // namespace zk
