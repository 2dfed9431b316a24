// Row forms of the integer level blend (level_blend.h): each byte has its own mix level,
// given byte for byte (a pixel's level repeated for its three bytes), so one kernel serves
// every effect whose level changes from pixel to pixel.
#pragma once

#include <cstdint>

namespace zk {

// out[i] = a[i] * (255 - q[i]) / 255 + b[i] * q[i] / 255, both quotients truncated.
void BlendRowLevelsPlain(uint8_t* out, const uint8_t* a, const uint8_t* b, const uint8_t* levels,
                         int32_t byteCount);

// The same sixteen bytes at a time; byte-identical to the plain form.
void BlendRowLevels(uint8_t* out, const uint8_t* a, const uint8_t* b, const uint8_t* levels,
                    int32_t byteCount);

// Repeats each pixel's level for its three bytes: levels[3x + k] = pixelLevels[x].
void SpreadPixelLevels(uint8_t* levels, const uint8_t* pixelLevels, int32_t width);

}  // namespace zk
