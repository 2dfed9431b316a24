// The picture readers on headers that claim more than the file holds: a few dozen bytes
// must be refused at once, before a frame of the claimed size is made.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "image_files.h"
#include "test_support.h"

#if defined(ZELKOR_HAVE_MEDIA)
#include "media/media_reader.h"
#endif

namespace zk {
namespace {

void PutLe32(std::vector<uint8_t>* v, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*v)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 24-bit BMP header for width x height whose pixel data stops after `dataBytes` bytes.
std::vector<uint8_t> BmpHeader(uint32_t width, uint32_t height, size_t dataBytes) {
  std::vector<uint8_t> v(54 + dataBytes, 0x77);
  v[0] = 'B';
  v[1] = 'M';
  PutLe32(&v, 2, static_cast<uint32_t>(v.size()));
  PutLe32(&v, 6, 0);
  PutLe32(&v, 10, 54);
  PutLe32(&v, 14, 40);
  PutLe32(&v, 18, width);
  PutLe32(&v, 22, height);
  v[26] = 1;
  v[27] = 0;
  v[28] = 24;
  v[29] = 0;
  PutLe32(&v, 30, 0);
  return v;
}

TEST(ImageReaders, BmpClaimingAHugePictureIsRefusedAsTruncated) {
  FrameImage frame;
  std::string error;
  // 16389 x 16385 (top-down) in 54 bytes: over 800 MB claimed.
  EXPECT_FALSE(DecodeBmp24(BmpHeader(16389, static_cast<uint32_t>(-16385), 0), &frame, &error));
  EXPECT_NE(std::string::npos, error.find("truncated")) << error;
  EXPECT_EQ(0, frame.width);
  // One byte short of a 5 x 3 picture (rows of 16 bytes).
  EXPECT_FALSE(DecodeBmp24(BmpHeader(5, 3, 47), &frame, &error));
  // The whole 5 x 3 picture reads, bottom row first as stored.
  std::vector<uint8_t> whole = BmpHeader(5, 3, 48);
  for (size_t i = 0; i < 48; ++i) whole[54 + i] = static_cast<uint8_t>(i);
  ASSERT_TRUE(DecodeBmp24(whole, &frame, &error)) << error;
  EXPECT_EQ(5, frame.width);
  EXPECT_EQ(3, frame.height);
  EXPECT_EQ(16, frame.stride);
  EXPECT_EQ(17, frame.pixels[17]);
  // Top-down: the file's first row is the frame's top row.
  whole = BmpHeader(5, static_cast<uint32_t>(-3), 48);
  for (size_t i = 0; i < 48; ++i) whole[54 + i] = static_cast<uint8_t>(i);
  ASSERT_TRUE(DecodeBmp24(whole, &frame, &error)) << error;
  EXPECT_EQ(32, frame.pixels[0]);
  EXPECT_EQ(0, frame.pixels[32]);
}

#if defined(ZELKOR_HAVE_MEDIA)
TEST(ImageReaders, ClipReaderRefusesPicturesPastItsPixelLimit) {
  // 16000 x 4000 (each side allowed, 64 million pixels in all) claimed by a 64-byte file:
  // the decoder must not make that picture.
  const std::string path = test::TempPath("huge_claim.img");
  const std::vector<uint8_t> bytes = BmpHeader(16000, 4000, 10);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  MediaReader reader;
  std::string error;
  EXPECT_FALSE(OpenMedia(path, &reader, &error));
  EXPECT_FALSE(error.empty());
  CloseMedia(&reader);
  std::remove(path.c_str());
}
#endif

}  // namespace
}  // namespace zk
