// The logo mask's stretch, which interpolates every picture row along once and shares it
// between the mask rows that sample it, against the per-pixel reference, byte for byte:
// random pictures stretched up and down, odd sizes, field mode, one-pixel pictures, every
// mask width up to 70; once with the AVX2 mean between rows (skipped on a processor without
// AVX2) and once with the SSE2 one.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "logo_mask.h"
#include "wide_kernel_forms.h"

namespace zk {
namespace {

uint32_t Next(uint32_t* s) {
  *s = *s * 1664525u + 1013904223u;
  return *s >> 8;
}

class SpeedKit3dLogoMask : public test::WideKernelForms {};

INSTANTIATE_TEST_SUITE_P(Forms, SpeedKit3dLogoMask, ::testing::Values(true, false),
                         test::KernelFormName);

TEST_P(SpeedKit3dLogoMask, SharedRowsGiveThePerPixelBytes) {
  uint32_t seed = 99;
  const int32_t pictures[][2] = {{1, 1}, {2, 3}, {17, 11}, {408, 308}, {5, 40}};
  std::vector<std::vector<int32_t>> masks = {{3, 5}, {33, 17}, {160, 90}, {721, 577}, {7, 300}};
  for (int32_t width = 0; width <= 70; ++width) masks.push_back({width, 3});
  // Random bytes, then grey pixels (a mean of three equal whole channels lands exactly on
  // a whole number, where a slip in the rounding shows).
  for (int32_t grey = 0; grey < 2; ++grey) {
    for (const auto& pic : pictures) {
      const int32_t stride = (pic[0] * 3 + 3) / 4 * 4;
      std::vector<uint8_t> bytes(static_cast<size_t>(stride) * pic[1]);
      for (int32_t r = 0; r < pic[1]; ++r) {
        for (int32_t x = 0; x < pic[0] * 3; ++x) {
          const uint8_t v = static_cast<uint8_t>(Next(&seed) % 3 == 0 ? 255 : Next(&seed));
          uint8_t* p = &bytes[static_cast<size_t>(r) * stride + x];
          *p = grey != 0 && x % 3 != 0 ? p[-1] : v;
        }
      }
      const ImagePlane picture{bytes.data(), 3, stride, pic[0], pic[1], 1};
      for (const auto& m : masks) {
        for (int32_t rowStep : {1, 2}) {
          const size_t size = MaskBytes(m[0], m[1]);
          std::vector<uint8_t> fast(size, 0xA5), plain(size, 0xA5);
          ResampleIntoMask(picture, fast.data(), m[0], m[1], rowStep);
          ResampleIntoMaskPlain(picture, plain.data(), m[0], m[1], rowStep);
          ASSERT_EQ(fast, plain) << pic[0] << "x" << pic[1] << " into " << m[0] << "x" << m[1]
                                 << " step " << rowStep << " grey " << grey;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zk
