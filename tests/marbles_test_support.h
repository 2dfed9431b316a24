// What the marble tests share: a small picture as an ImagePlane with padding after every
// row, and a repeatable random source for the byte-for-byte comparisons.
#pragma once

#include <cstdint>
#include <vector>

#include "image_plane.h"

namespace zk::test {

struct MarblePlane {
  ImagePlane view{};
  std::vector<uint8_t> bytes;
  MarblePlane(int32_t w, int32_t h, int32_t rowStep = 1, int32_t bpp = 3, uint8_t fill = 0) {
    const int32_t stored = (h + rowStep - 1) / rowStep;
    const int32_t stride = ((w * bpp + 3) / 4) * 4 + 4;  // padding that must stay untouched
    bytes.assign(static_cast<size_t>(stride) * stored, fill);
    view.data = bytes.data();
    view.bytesPerPixel = bpp;
    view.stride = stride;
    view.width = w;
    view.height = h;
    view.rowStep = rowStep;
  }
  const uint8_t* At(int32_t x, int32_t y) const {
    return &bytes[static_cast<size_t>(view.stride) * (y / view.rowStep) + view.bytesPerPixel * x];
  }
  bool PaddingUntouched(uint8_t fill) const {
    const int32_t used = view.width * view.bytesPerPixel;
    for (size_t row = 0; row * view.stride < bytes.size(); ++row)
      for (int32_t k = used; k < view.stride; ++k)
        if (bytes[row * view.stride + k] != fill) return false;
    return true;
  }
};

// A linear congruential source: the same numbers on every run and in both builds.
struct MarbleRandom {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  // Uniform in [lo, hi), in steps of (hi - lo) / 65536.
  float In(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(Next() % 65536) / 65536;
  }
  void Fill(std::vector<uint8_t>* bytes) {
    for (uint8_t& b : *bytes) b = static_cast<uint8_t>(Next());
  }
};

}  // namespace zk::test
