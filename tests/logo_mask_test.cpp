// The logo mask: stretching a decoded picture into the frame's mask by hand-worked values,
// the built-in picture, and where the mask comes from (user file, fallbacks).
#include "logo_mask.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bitmap_reader.h"
#include "logo_test_support.h"

namespace zk {
namespace {

using test::GreyPicture;
using test::UseMaskPicture;

// A 2 x 2 picture, stored bottom row first: bottom (0, 0, 0), (30, 60, 90); top white,
// grey 90.
struct TwoByTwo {
  uint8_t bytes[16] = {0, 0, 0, 30, 60, 90, 0, 0, 255, 255, 255, 90, 90, 90, 0, 0};
  ImagePlane plane{bytes, 3, 8, 2, 2, 1};
};

TEST(LogoMask, StretchesUprightWithTheMeanOfTheChannels) {
  TwoByTwo pic;
  std::vector<uint8_t> mask(4 * 5, 0xEE);
  ResampleIntoMask(pic.plane, mask.data(), 4, 4, 1);
  // Stored row 3 is the top of the frame and takes the picture's top row:
  // 255; halfway to 90: 172.5; 90; the last column without a neighbour: 90.
  const std::vector<uint8_t> want = {
      0,   30,  60, 60,  // bottom row of the picture, no row below it
      0,   30,  60, 60,  // its last row: no lower neighbour either
      127, 101, 75, 75,  // halfway between the two rows: (93.75 + 101.25 + 108.75) / 3
      255, 172, 90, 90,  // the top row
  };
  EXPECT_EQ(std::vector<uint8_t>(mask.begin(), mask.begin() + 16), want);
  EXPECT_EQ(std::vector<uint8_t>(mask.begin() + 16, mask.end()), std::vector<uint8_t>(4, 0xEE));
}

TEST(LogoMask, FieldModeFillsEachStoredRowOnce) {
  TwoByTwo pic;
  std::vector<uint8_t> mask(4 * 5, 0xEE);
  ResampleIntoMask(pic.plane, mask.data(), 4, 4, 2);
  // Scene rows 0 and 2 of 4: stored rows 1 (top) and 0.
  const std::vector<uint8_t> want = {0, 30, 60, 60, 255, 172, 90, 90};
  EXPECT_EQ(std::vector<uint8_t>(mask.begin(), mask.begin() + 8), want);
  EXPECT_EQ(std::vector<uint8_t>(mask.begin() + 8, mask.end()), std::vector<uint8_t>(12, 0xEE));
}

TEST(LogoMask, OnePixelFramesAndPictures) {
  TwoByTwo pic;
  uint8_t one[2] = {0xEE, 0xEE};
  ResampleIntoMask(pic.plane, one, 1, 1, 1);
  EXPECT_EQ(one[0], 255);  // the top-left pixel of the picture
  EXPECT_EQ(one[1], 0xEE);
  uint8_t dot[3] = {40, 50, 60};
  const ImagePlane single{dot, 3, 4, 1, 1, 1};
  std::vector<uint8_t> mask(3 * 3, 0);
  ResampleIntoMask(single, mask.data(), 3, 2, 1);
  EXPECT_EQ(mask, std::vector<uint8_t>({50, 50, 50, 50, 50, 50, 0, 0, 0}));
  EXPECT_EQ(MaskBytes(3, 2), 9u);
  EXPECT_EQ(MaskBytes(0, 2), 0u);
}

TEST(LogoMask, BuiltInPictureIsOurTwoToneLettering) {
  const EmbeddedBitmapFile file = FindEmbeddedBitmap(kDefaultMaskResource);
  ASSERT_NE(file.bytes, nullptr);
  // The embedded copy is the committed file.
  std::vector<uint8_t> committed;
  std::string error;
  ASSERT_TRUE(
      ReadWholeFile(std::string(ZELKOR_TEST_SOURCE_DIR) + "/effects/logo/mask/default_mask.bmp",
                    &committed, &error))
      << error;
  ASSERT_EQ(committed, std::vector<uint8_t>(file.bytes, file.bytes + file.size));
  auto u32 = [&](size_t at) {
    return file.bytes[at] | file.bytes[at + 1] << 8 | file.bytes[at + 2] << 16 |
           static_cast<uint32_t>(file.bytes[at + 3]) << 24;
  };
  EXPECT_EQ(file.bytes[0], 'B');
  EXPECT_EQ(file.bytes[1], 'M');
  EXPECT_EQ(u32(18), 408u);                // width
  EXPECT_EQ(u32(22), 308u);                // height, bottom row first
  EXPECT_EQ(file.bytes[28], 1);            // bits per pixel
  EXPECT_EQ(u32(30), 0u);                  // no compression
  EXPECT_EQ(u32(54), 0x000000u);           // palette entry 0 black
  EXPECT_EQ(u32(58), 0xFFFFFFu);           // entry 1 white
  EXPECT_EQ(file.size, 62u + 52u * 308u);  // rows of 51 bytes and one of padding

  ImagePlane picture{};
  ASSERT_TRUE(LoadEmbeddedBitmapResource(&picture, kDefaultMaskResource));
  EXPECT_EQ(picture.width, 408);
  EXPECT_EQ(picture.height, 308);
  // Two tones only, a fair share of each, black margins around the words.
  int white = 0;
  for (int32_t row = 0; row < 308; ++row) {
    for (int32_t x = 0; x < 408; ++x) {
      const uint8_t* p = picture.data + row * picture.stride + x * 3;
      ASSERT_TRUE((p[0] == 0 || p[0] == 255) && p[0] == p[1] && p[1] == p[2]);
      white += p[0] == 255;
    }
  }
  EXPECT_GT(white, 408 * 308 / 4);
  EXPECT_LT(white, 408 * 308 * 3 / 4);
  for (int32_t x = 0; x < 408; ++x) {
    EXPECT_EQ(picture.data[x * 3], 0) << x;                         // bottom row
    EXPECT_EQ(picture.data[307 * picture.stride + x * 3], 0) << x;  // top row
  }
  ReleaseImage(&picture);
  EXPECT_FALSE(LoadEmbeddedBitmapResource(&picture, 105));
  EXPECT_EQ(picture.data, nullptr);
}

// Heap scratch that hands out nothing after `budget` blocks, and counts.
int g_budget = 0;
int g_taken = 0;
int g_given = 0;
void* Budgeted(size_t bytes) {
  if (g_budget-- <= 0) return nullptr;
  ++g_taken;
  return std::malloc(bytes);
}
void GiveBack(void* block) {
  ++g_given;
  std::free(block);
}
const ScratchSource kBudgetedScratch = {Budgeted, GiveBack};

TEST(LogoMask, UserFileOrTheBuiltInPicture) {
  LogoParams p = test::LayersOff();
  test::UseMaskPicture(&p, GreyPicture(77), "logo_mask_grey.bmp");
  auto build = [&]() {
    uint8_t* m = BuildLogoMask(p, 5, 4, 1, LoadEmbeddedBitmapResource, kHeapScratch);
    std::vector<uint8_t> bytes;
    if (m != nullptr) bytes.assign(m, m + 5 * 4);
    std::free(m);
    return bytes;
  };
  EXPECT_EQ(build(), std::vector<uint8_t>(20, 77));
  // The built-in picture when the source is 0, the name empty, the file missing, not a
  // bitmap, or a bitmap the reader refuses.
  std::vector<uint8_t> builtIn;
  {
    LogoParams q = test::LayersOff();
    uint8_t* m = BuildLogoMask(q, 5, 4, 1, LoadEmbeddedBitmapResource, kHeapScratch);
    ASSERT_NE(m, nullptr);
    builtIn.assign(m, m + 20);
    std::free(m);
  }
  EXPECT_NE(builtIn, std::vector<uint8_t>(20, 77));
  p.maskSource = 0;
  EXPECT_EQ(build(), builtIn);
  p.maskSource = 2;
  EXPECT_EQ(build(), builtIn);
  p.maskSource = 1;
  const std::string broken = test::TempPath("logo_mask_broken.bmp");
  for (const std::string& content : {std::string("not a picture"), std::string("BM\x10\x00", 4),
                                     std::string("BM") + std::string(60, '\x20')}) {
    std::FILE* f = std::fopen(broken.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    test::SetPath(p.maskFile, sizeof p.maskFile, broken);
    EXPECT_EQ(build(), builtIn) << content.size();
  }
  std::remove(broken.c_str());
  EXPECT_EQ(build(), builtIn);  // now missing
  p.maskFile[0] = '\0';
  EXPECT_EQ(build(), builtIn);
  // A name filling the whole field without a terminator is not read past the field.
  std::memset(p.maskFile, 'x', sizeof p.maskFile);
  EXPECT_EQ(build(), builtIn);
}

TEST(LogoMask, WithoutMemoryOrPictureThereIsNoMask) {
  LogoParams p = test::LayersOff();
  g_budget = 0;
  g_taken = g_given = 0;
  EXPECT_EQ(BuildLogoMask(p, 5, 4, 1, LoadEmbeddedBitmapResource, kBudgetedScratch), nullptr);
  EXPECT_EQ(g_taken, 0);
  EXPECT_EQ(BuildLogoMask(p, 5, 4, 1, nullptr, kHeapScratch), nullptr);
  auto missing = [](ImagePlane* out, int32_t) {
    out->data = nullptr;
    return false;
  };
  EXPECT_EQ(BuildLogoMask(p, 5, 4, 1, missing, kHeapScratch), nullptr);
}

}  // namespace
}  // namespace zk
