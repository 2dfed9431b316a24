// Small images for the 3D kit tests: a plane over a vector filled with a guard byte, so a
// write anywhere it should not land shows.
#pragma once

#include <cstdint>
#include <vector>

#include "image_plane.h"

namespace zk::test {

struct TestPlane {
  std::vector<uint8_t> bytes;
  ImagePlane plane;

  // `storedRows` rows of `stride` bytes (at least 3 * width), plus one spare guard row.
  TestPlane(int32_t width, int32_t height, int32_t rowStep, int32_t stride, uint8_t guard)
      : bytes(static_cast<size_t>(stride) *
                  (static_cast<size_t>((height + rowStep - 1) / rowStep) + 1),
              guard),
        plane{bytes.data(), 3, stride, width, height, rowStep} {}

  uint8_t* At(int32_t x, int32_t storedRow) {
    return bytes.data() + static_cast<size_t>(storedRow) * plane.stride +
           static_cast<size_t>(x) * 3;
  }
  void Set(int32_t x, int32_t storedRow, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* p = At(x, storedRow);
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
  // True when every byte except the listed pixels' bytes equals `guard`.
  template <class IsPainted>
  bool OthersEqual(uint8_t guard, IsPainted painted) const {
    for (size_t i = 0; i < bytes.size(); ++i) {
      const int32_t row = static_cast<int32_t>(i / plane.stride);
      const int32_t col = static_cast<int32_t>(i % plane.stride);
      const bool inPixel = col < plane.width * 3;
      if (inPixel && painted(col / 3, row)) continue;
      if (bytes[i] != guard) return false;
    }
    return true;
  }
};

}  // namespace zk::test
