// Between the frei0r hosts' frames (RGBA bytes, top line first) and the frames our render
// code takes (blue, green, red, bottom line first, rows padded to four bytes).
#pragma once

#include <cstdint>

namespace zk {

// One picture line of RGBA pixels to one frame row of BGR pixels. Returns the AND of the
// line's alpha bytes: 255 when the whole line is opaque.
uint8_t RgbaLineToBgrRow(const uint8_t* rgba, int32_t width, uint8_t* bgr);
// One frame row of BGR pixels to RGBA; alpha is the crossfade of the two scenes' alpha
// (255 where both are opaque).
void BgrRowToRgbaLine(const uint8_t* bgr, const uint8_t* rgbaA, const uint8_t* rgbaB,
                      double progress, int32_t width, uint8_t* rgba);
// The same where both scenes are opaque throughout (the usual case): alpha 255, and the
// scenes need not be read again.
void BgrRowToOpaqueRgbaLine(const uint8_t* bgr, int32_t width, uint8_t* rgba);

// The conversions a pixel at a time: the reference the word-wise ones are tested against.
uint8_t RgbaLineToBgrRowPlain(const uint8_t* rgba, int32_t width, uint8_t* bgr);
void BgrRowToOpaqueRgbaLinePlain(const uint8_t* bgr, int32_t width, uint8_t* rgba);

}  // namespace zk
