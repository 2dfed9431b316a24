// The noise modes of bloom: levels drawn from the 15-bit generator seeded with
// trunc(clock * p), checked against our own run of the generator; the clock seam
// (ZELKOR_NOISE_SEED) and zelkor render --seed make them repeatable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "bloom_params.h"
#include "bloom_render.h"
#include "image_files.h"
#include "test_support.h"

namespace zk {
namespace {

using test::OpenBuiltEffect;
using test::PatternFrame;
using test::RenderRect;
using test::SolidFrame;

// The generator written out again: state * 214013 + 2531011, bits 16-30.
class ReferenceNoise {
 public:
  explicit ReferenceNoise(uint32_t seed) : state_(seed) {}
  int32_t NextLevel() {
    state_ = state_ * 214013u + 2531011u;
    const int32_t draw = static_cast<int32_t>((state_ >> 16) & 0x7FFF);
    const int32_t r = draw * 127 / 32767 + 128;  // 128..255
    return r * r * r / 255 / 255;
  }

 private:
  uint32_t state_;
};

void SetBloom(std::vector<uint8_t>& block, int32_t mode, int32_t direction, float duration) {
  BloomParams p{};
  p.bloomMode = mode;
  p.bloomDirection = direction;
  p.bloomDuration = duration;
  block.assign(sizeof p, 0);
  std::memcpy(block.data(), &p, sizeof p);
}

// A view over whole frames, the way the module's request decoding makes it.
FrameView ViewOf(FrameImage& out, const FrameImage& a, const FrameImage& b, float p, void* block,
                 int32_t lineStep = 1) {
  FrameView v{};
  v.out = v.outFrame = out.pixels.data();
  v.sceneA = v.sceneAFrame = a.pixels.data();
  v.sceneB = v.sceneBFrame = b.pixels.data();
  v.stride = out.stride;
  v.width = v.frameWidth = out.width;
  v.height = v.frameHeight = out.height;
  v.progress = p;
  v.paramBlock = block;
  v.lineStep = lineStep;
  return v;
}

void SetSeedVariable(const char* value) {
#if defined(_WIN32)
  SetEnvironmentVariableA("ZELKOR_NOISE_SEED", value);
#else
  if (value != nullptr)
    setenv("ZELKOR_NOISE_SEED", value, 1);
  else
    unsetenv("ZELKOR_NOISE_SEED");
#endif
}

TEST(BloomNoise, SeedIsTheLowBitsOfClockTimesProgress) {
  EXPECT_EQ(BloomNoiseSeed(1000.0, 0.5f), 500u);
  EXPECT_EQ(BloomNoiseSeed(1000.0, 0.0f), 0u);
  EXPECT_EQ(BloomNoiseSeed(999.0, 0.25f), 249u);  // 249.75 truncated
  // 1.7e9 s at p = 1 and a clock past 2^32 s: only the low 32 bits count.
  EXPECT_EQ(BloomNoiseSeed(1700000000.0, 1.0f), 1700000000u);
  EXPECT_EQ(BloomNoiseSeed(4294967296.0 + 77.0, 1.0f), 77u);
  EXPECT_EQ(BloomNoiseSeed(10.0, -0.5f), 0xFFFFFFFBu);  // -5
  EXPECT_EQ(BloomNoiseSeed(1e300, 1e30f), 0u);          // no number: a fixed seed
}

TEST(BloomNoise, GreyNoiseAtHalfWayShowsOneLevelPerPixel) {
  // d = 1 in direction 0: every pixel has f = p; at f = 0.5 the output is the level itself.
  const FrameImage a = PatternFrame(7, 5, 1);
  const FrameImage b = PatternFrame(7, 5, 2);
  std::vector<uint8_t> block;
  SetBloom(block, kBloomNoiseGrey, 0, 1.0f);
  FrameImage out = MakeFrameImage(7, 5);
  ASSERT_EQ(RenderBloom(ViewOf(out, a, b, 0.5f, block.data()), 1000.0), 1);
  ReferenceNoise noise(500);
  int32_t lowest = 255, highest = 0;
  for (int32_t row = 0; row < 5; ++row) {
    for (int32_t x = 0; x < 7; ++x) {
      const int32_t level = noise.NextLevel();
      const uint8_t* px = PixelAt(out, x, row);
      EXPECT_EQ(px[0], level) << "row " << row << " x " << x;
      EXPECT_EQ(px[1], level);
      EXPECT_EQ(px[2], level);
      lowest = std::min<int32_t>(lowest, px[0]);
      highest = std::max<int32_t>(highest, px[0]);
    }
  }
  EXPECT_GE(lowest, 32);
  EXPECT_LE(highest, 255);
}

TEST(BloomNoise, ColourNoiseDrawsForEveryByte) {
  const FrameImage a = PatternFrame(40, 30, 3);
  const FrameImage b = PatternFrame(40, 30, 4);
  std::vector<uint8_t> block;
  SetBloom(block, kBloomNoiseColour, 0, 1.0f);
  FrameImage out = MakeFrameImage(40, 30);
  ASSERT_EQ(RenderBloom(ViewOf(out, a, b, 0.5f, block.data()), 4321.0), 1);
  ReferenceNoise noise(2160);
  int32_t lowest = 255, highest = 0;
  for (int32_t row = 0; row < 30; ++row) {
    for (int32_t i = 0; i < 40 * 3; ++i) {
      const uint8_t v = out.pixels[static_cast<size_t>(row) * out.stride + i];
      ASSERT_EQ(v, noise.NextLevel()) << "row " << row << " byte " << i;
      lowest = std::min<int32_t>(lowest, v);
      highest = std::max<int32_t>(highest, v);
    }
  }
  // 3600 draws cover the range: the dark end is rare but reached, the bright end common.
  EXPECT_GE(lowest, 32);
  EXPECT_LT(lowest, 60);
  EXPECT_GT(highest, 250);
}

TEST(BloomNoise, BlendsTowardAndAwayFromTheLevel) {
  // f = 0.25: trunc((N - a) * 0.5 + a); f = 0.75: trunc(0.5 * (N - b) + b).
  const FrameImage a = SolidFrame(3, 2, 0, 100, 255);
  const FrameImage b = SolidFrame(3, 2, 255, 10, 60);
  std::vector<uint8_t> block;
  SetBloom(block, kBloomNoiseGrey, 0, 1.0f);
  for (float p : {0.25f, 0.75f}) {
    FrameImage out = MakeFrameImage(3, 2);
    ASSERT_EQ(RenderBloom(ViewOf(out, a, b, p, block.data()), 100.0), 1);
    ReferenceNoise noise(static_cast<uint32_t>(100 * p));
    for (int32_t row = 0; row < 2; ++row) {
      for (int32_t x = 0; x < 3; ++x) {
        const int32_t level = noise.NextLevel();
        for (int32_t j = 0; j < 3; ++j) {
          const int32_t av = PixelAt(a, x, row)[j], bv = PixelAt(b, x, row)[j];
          const int32_t expected = p < 0.5f ? static_cast<int32_t>((level - av) * 0.5 + av)
                                            : static_cast<int32_t>(0.5 * (level - bv) + bv);
          EXPECT_EQ(PixelAt(out, x, row)[j], expected) << "p " << p << " byte " << j;
        }
      }
    }
  }
}

TEST(BloomNoise, PixelsNotYetStartedStillDrawTheirLevel) {
  // "topbottom" over 2 rows, d = 0.5: row 0 (order 2) starts at 0.5, row 1 (order 1) at
  // 0.25. At p = 0.5 row 0 is untouched scene A yet has drawn its levels, so row 1 shows
  // draws 5 to 9, at f = 0.5 the levels themselves.
  const FrameImage a = PatternFrame(5, 2, 9);
  const FrameImage b = PatternFrame(5, 2, 8);
  std::vector<uint8_t> block;
  SetBloom(block, kBloomNoiseGrey, 3, 0.5f);
  FrameImage out = MakeFrameImage(5, 2);
  ASSERT_EQ(RenderBloom(ViewOf(out, a, b, 0.5f, block.data()), 2024.0), 1);
  ReferenceNoise noise(1012);
  for (int32_t x = 0; x < 5; ++x) {
    noise.NextLevel();
    EXPECT_EQ(std::memcmp(PixelAt(out, x, 0), PixelAt(a, x, 0), 3), 0) << x;
  }
  for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(out, x, 1)[2], noise.NextLevel()) << x;
}

TEST(BloomNoise, EndsAreTheScenesWhateverTheNoise) {
  const FrameImage a = PatternFrame(6, 4, 5);
  const FrameImage b = PatternFrame(6, 4, 6);
  std::vector<uint8_t> block;
  for (int32_t mode : {kBloomNoiseGrey, kBloomNoiseColour}) {
    SetBloom(block, mode, 0, 1.0f);
    FrameImage out = MakeFrameImage(6, 4);
    ASSERT_EQ(RenderBloom(ViewOf(out, a, b, 1.0f, block.data()), 31337.0), 1);
    EXPECT_EQ(out.pixels, b.pixels);
    ASSERT_EQ(RenderBloom(ViewOf(out, a, b, 0.0f, block.data()), 31337.0), 1);
    EXPECT_EQ(out.pixels, a.pixels);
  }
}

TEST(BloomNoise, ModuleReadsTheSeedVariableInsteadOfTheClock) {
  HostedEffect effect;
  ASSERT_TRUE(OpenBuiltEffect("bloom", &effect));
  SetBloom(effect.params, kBloomNoiseGrey, 0, 1.0f);
  const FrameImage a = PatternFrame(8, 4, 1);
  const FrameImage b = PatternFrame(8, 4, 2);
  SetSeedVariable("1000");
  FrameImage first = MakeFrameImage(8, 4), second = MakeFrameImage(8, 4);
  ASSERT_EQ(RenderRect(effect, a, b, 0.5f, 0, 0, 8, 4, &first), 1);
  ASSERT_EQ(RenderRect(effect, a, b, 0.5f, 0, 0, 8, 4, &second), 1);
  EXPECT_EQ(first.pixels, second.pixels);
  ReferenceNoise noise(500);
  for (int32_t row = 0; row < 4; ++row)
    for (int32_t x = 0; x < 8; ++x) EXPECT_EQ(PixelAt(first, x, row)[1], noise.NextLevel());
  // Hexadecimal works too; a malformed value hands the seed back to the clock, whose
  // product with p lands far from 0x10 * 0.5.
  SetSeedVariable("0x10");
  ASSERT_EQ(RenderRect(effect, a, b, 0.5f, 0, 0, 8, 4, &second), 1);
  EXPECT_EQ(PixelAt(second, 0, 0)[0], ReferenceNoise(8).NextLevel());
  SetSeedVariable("12 monkeys");
  FrameImage clock = MakeFrameImage(8, 4);
  ASSERT_EQ(RenderRect(effect, a, b, 0.5f, 0, 0, 8, 4, &clock), 1);
  SetSeedVariable("12");
  FrameImage twelve = MakeFrameImage(8, 4);
  ASSERT_EQ(RenderRect(effect, a, b, 0.5f, 0, 0, 8, 4, &twelve), 1);
  EXPECT_NE(clock.pixels, twelve.pixels);
  SetSeedVariable(nullptr);
}

TEST(BloomNoise, ZelkorSeedMakesRendersRepeatable) {
  const std::string a = test::TempPath("bloom_seed_a.bmp");
  const std::string b = test::TempPath("bloom_seed_b.bmp");
  std::string error;
  ASSERT_TRUE(WriteImageFile(a, PatternFrame(16, 8, 1), &error)) << error;
  ASSERT_TRUE(WriteImageFile(b, PatternFrame(16, 8, 2), &error)) << error;
  const std::string base = "render bloom --from " + a + " --to " + b +
                           " --set bloomMode=4 --set bloomDirection=0 --set bloomDuration=1"
                           " --progress 0.5 ";
  const std::string out1 = test::TempPath("bloom_seed_1.bmp");
  const std::string out2 = test::TempPath("bloom_seed_2.bmp");
  const std::string out3 = test::TempPath("bloom_seed_3.bmp");
  ASSERT_EQ(test::RunZelkor(base + "--seed 77 --out " + out1), 0);
  ASSERT_EQ(test::RunZelkor(base + "--seed 77 --out " + out2), 0);
  ASSERT_EQ(test::RunZelkor(base + "--seed 78 --out " + out3), 0);
  FrameImage f1, f2, f3;
  ASSERT_TRUE(ReadBmp24(out1, &f1, &error)) << error;
  ASSERT_TRUE(ReadBmp24(out2, &f2, &error)) << error;
  ASSERT_TRUE(ReadBmp24(out3, &f3, &error)) << error;
  EXPECT_EQ(f1.pixels, f2.pixels);
  EXPECT_NE(f1.pixels, f3.pixels);
  // Seed trunc(77 * 0.5) = 38; colour noise, one level per byte from the first row on.
  ReferenceNoise noise(38);
  for (int32_t i = 0; i < 16 * 3; ++i) EXPECT_EQ(f1.pixels[i], noise.NextLevel()) << i;
  EXPECT_NE(test::RunZelkor(base + "--seed many --out " + out1), 0);
  EXPECT_NE(test::RunZelkor(base + "--seed -3 --out " + out1), 0);
  for (const std::string& f : {a, b, out1, out2, out3}) std::remove(f.c_str());
}

}  // namespace
}  // namespace zk
