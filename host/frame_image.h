// A 24-bit frame as the host hands it to a module: blue, green, red bytes, rows padded to
// four bytes, the bottom picture row first in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "frame_view.h"

namespace zk {

struct FrameImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
  std::vector<uint8_t> pixels;  // stride * height bytes
};

inline FrameImage MakeFrameImage(int32_t width, int32_t height, uint8_t fill = 0) {
  FrameImage f;
  f.width = width;
  f.height = height;
  f.stride = FrameStride(width);
  f.pixels.assign(static_cast<size_t>(f.stride) * static_cast<size_t>(height), fill);
  return f;
}

inline uint8_t* PixelAt(FrameImage& f, int32_t x, int32_t row) {
  return f.pixels.data() + static_cast<size_t>(row) * f.stride + static_cast<size_t>(x) * 3;
}
inline const uint8_t* PixelAt(const FrameImage& f, int32_t x, int32_t row) {
  return f.pixels.data() + static_cast<size_t>(row) * f.stride + static_cast<size_t>(x) * 3;
}

}  // namespace zk
