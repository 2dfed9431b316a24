// Blends on a 0..255 mix level in integer arithmetic: each byte is
// a * (255 - q) / 255 + b * q / 255 with both quotients truncated, so level 0 gives the
// first source and level 255 the second, byte for byte.
#pragma once

#include <cstdint>

namespace zk {

inline uint8_t BlendLevel(uint8_t a, uint8_t b, int32_t q) {
  return static_cast<uint8_t>(a * (255 - q) / 255 + b * q / 255);
}

// The three bytes of one pixel.
inline void BlendPixelLevel(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t q) {
  out[0] = BlendLevel(a[0], b[0], q);
  out[1] = BlendLevel(a[1], b[1], q);
  out[2] = BlendLevel(a[2], b[2], q);
}

}  // namespace zk
