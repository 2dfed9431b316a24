// The logo mask's stretch, which interpolates every picture row along once and shares it
// between the mask rows that sample it, against the per-pixel reference, byte for byte:
// random pictures stretched up and down, odd sizes, field mode, one-pixel pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "logo_mask.h"

namespace zk {
namespace {

uint32_t Next(uint32_t* s) {
  *s = *s * 1664525u + 1013904223u;
  return *s >> 8;
}

TEST(SpeedKit3dLogoMask, SharedRowsGiveThePerPixelBytes) {
  uint32_t seed = 99;
  const int32_t pictures[][2] = {{1, 1}, {2, 3}, {17, 11}, {408, 308}, {5, 40}};
  const int32_t masks[][2] = {{1, 1}, {3, 5}, {33, 17}, {160, 90}, {721, 577}, {7, 300}};
  for (const auto& pic : pictures) {
    const int32_t stride = (pic[0] * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bytes(static_cast<size_t>(stride) * pic[1]);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(Next(&seed) % 3 == 0 ? 255 : Next(&seed));
    const ImagePlane picture{bytes.data(), 3, stride, pic[0], pic[1], 1};
    for (const auto& m : masks) {
      for (int32_t rowStep : {1, 2}) {
        const size_t size = MaskBytes(m[0], m[1]);
        std::vector<uint8_t> fast(size, 0xA5), plain(size, 0xA5);
        ResampleIntoMask(picture, fast.data(), m[0], m[1], rowStep);
        ResampleIntoMaskPlain(picture, plain.data(), m[0], m[1], rowStep);
        ASSERT_EQ(fast, plain) << pic[0] << "x" << pic[1] << " into " << m[0] << "x" << m[1]
                               << " step " << rowStep;
      }
    }
  }
}

}  // namespace
}  // namespace zk
