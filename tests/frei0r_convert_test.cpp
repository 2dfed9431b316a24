// The frei0r frame conversions, word-wise against a pixel at a time, byte for byte.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frame_convert.h"

namespace zk {
namespace {

std::vector<uint8_t> Bytes(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  for (auto& b : v) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<uint8_t>(seed >> 16);
  }
  return v;
}

TEST(Frei0rConvert, RgbaToBgrMatchesPlainForEveryWidth) {
  for (int32_t width = 0; width <= 19; ++width) {
    std::vector<uint8_t> rgba = Bytes(width * 4 + 1, 5 + width);
    for (int32_t x = 0; x < width; ++x) rgba[x * 4 + 3] = 255;
    // One guard byte past the row: neither conversion may write it.
    std::vector<uint8_t> fast(width * 3 + 1, 0xA5), plain(width * 3 + 1, 0xA5);
    EXPECT_EQ(255, RgbaLineToBgrRow(rgba.data(), width, fast.data()));
    EXPECT_EQ(255, RgbaLineToBgrRowPlain(rgba.data(), width, plain.data()));
    EXPECT_EQ(plain, fast) << "width " << width;
    EXPECT_EQ(0xA5, fast.back());
    // A translucent pixel anywhere, in the word-wise part or in the tail, is reported.
    for (int32_t x = 0; x < width; ++x) {
      rgba[x * 4 + 3] = 0xFE;
      EXPECT_EQ(0xFE, RgbaLineToBgrRow(rgba.data(), width, fast.data())) << x;
      rgba[x * 4 + 3] = 255;
    }
  }
  const uint8_t pixel[4] = {10, 20, 30, 40};
  uint8_t bgr[3];
  EXPECT_EQ(40, RgbaLineToBgrRow(pixel, 1, bgr));
  EXPECT_EQ(30, bgr[0]);
  EXPECT_EQ(20, bgr[1]);
  EXPECT_EQ(10, bgr[2]);
}

TEST(Frei0rConvert, OpaqueBgrToRgbaMatchesPlainForEveryWidth) {
  for (int32_t width = 0; width <= 19; ++width) {
    const std::vector<uint8_t> bgr = Bytes(width * 3 + 3, 9 + width);
    std::vector<uint8_t> fast(width * 4 + 1, 0x5A), plain(width * 4 + 1, 0x5A);
    BgrRowToOpaqueRgbaLine(bgr.data(), width, fast.data());
    BgrRowToOpaqueRgbaLinePlain(bgr.data(), width, plain.data());
    EXPECT_EQ(plain, fast) << "width " << width;
    EXPECT_EQ(0x5A, fast.back());
  }
  const uint8_t pixel[3] = {30, 20, 10};
  uint8_t rgba[4];
  BgrRowToOpaqueRgbaLine(pixel, 1, rgba);
  EXPECT_EQ(10, rgba[0]);
  EXPECT_EQ(20, rgba[1]);
  EXPECT_EQ(30, rgba[2]);
  EXPECT_EQ(255, rgba[3]);
}

TEST(Frei0rConvert, TranslucentScenesCrossfadeTheirAlpha) {
  const uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
  const uint8_t a[8] = {0, 0, 0, 255, 0, 0, 0, 255};
  const uint8_t b[8] = {0, 0, 0, 100, 0, 0, 0, 255};
  uint8_t rgba[8];
  BgrRowToRgbaLine(bgr, a, b, 0.25, 2, rgba);
  EXPECT_EQ(3, rgba[0]);
  EXPECT_EQ(216, rgba[3]);  // 0.75 * 255 + 0.25 * 100 = 216.25
  EXPECT_EQ(6, rgba[4]);
  EXPECT_EQ(255, rgba[7]);
}

}  // namespace
}  // namespace zk

#endif
