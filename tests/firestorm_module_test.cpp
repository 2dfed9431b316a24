// firestorm.vfx as the host sees it: description, defaults, frames across a sequence and
// fresh module instances.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "effect_host.h"
#include "firestorm_rays_test_support.h"
#include "test_support.h"

namespace zk {
namespace {

using test::OpenBuiltEffect;
using test::PatternFrame;

uint32_t FloatBits(const std::vector<uint8_t>& block, size_t offset) {
  uint32_t v;
  std::memcpy(&v, &block[offset], 4);
  return v;
}

void SetFloat(HostedEffect& e, size_t offset, float v) { std::memcpy(&e.params[offset], &v, 4); }
void SetInt(HostedEffect& e, size_t offset, int32_t v) { std::memcpy(&e.params[offset], &v, 4); }

bool RectEquals(const FrameImage& out, const FrameImage& want, int32_t left, int32_t top, int32_t w,
                int32_t h) {
  for (int32_t row = top; row < top + h; ++row) {
    if (std::memcmp(PixelAt(out, left, row), PixelAt(want, left, row), w * 3) != 0) return false;
  }
  return true;
}

std::vector<FrameImage> RenderSequence(HostedEffect& e, const FrameImage& a, const FrameImage& b,
                                       int frames) {
  std::vector<FrameImage> out;
  for (int i = 0; i < frames; ++i) {
    FrameImage o = MakeFrameImage(a.width, a.height, 0x5A);
    EXPECT_EQ(test::RenderRect(e, a, b, static_cast<float>(i) / (frames - 1), 3, 2, a.width - 5,
                               a.height - 3, &o),
              1);
    out.push_back(std::move(o));
  }
  return out;
}

TEST(FirestormModule, DescribesItselfAndWritesItsDefaults) {
  HostedEffect e;
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  EXPECT_EQ(e.info.extraMask, 0x300u);
  EXPECT_EQ(e.info.extraDefault, 0u);
  EXPECT_EQ(e.info.paramBlockSize, 140);
  if (test::ChineseTextsReadable()) {
    EXPECT_EQ(test::ModuleText(e.info.effectName, 20), "烈火-20个转场");
    EXPECT_EQ(test::ModuleText(e.info.groupName, 25), "A外加");
    EXPECT_EQ(test::ModuleText(e.info.description, 129), "火焰! 火焰! 遍地火焰!");
  }

  std::vector<uint8_t> block(140, 0xEE);
  ASSERT_EQ(e.module.getDefault(block.data()), 1);
  EXPECT_EQ(block[0], 20);
  EXPECT_EQ(block[1], 2);
  EXPECT_EQ(block[2], 0);
  EXPECT_EQ(block[3], 0);
  EXPECT_EQ(FloatBits(block, 4), 0u);
  EXPECT_EQ(FloatBits(block, 8), 0u);
  EXPECT_EQ(FloatBits(block, 12), 0x3ECCCCCDu);
  EXPECT_EQ(FloatBits(block, 16), 0u);
  EXPECT_EQ(FloatBits(block, 20), 0x3C23D70Au);
  EXPECT_EQ(FloatBits(block, 24), 0x3E051EB8u);
  EXPECT_EQ(FloatBits(block, 28), 0x3E6B851Fu);
  EXPECT_EQ(FloatBits(block, 32), 0x3EA3D70Au);
  EXPECT_EQ(FloatBits(block, 36), 0x3F6E147Bu);
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 40, block.end()), std::vector<uint8_t>(100, 0));
  CloseEffect(&e);
}

TEST(FirestormModule, StartsWithSceneAAndEndsWithSceneB) {
  HostedEffect e;
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  const FrameImage a = PatternFrame(23, 17, 11), b = PatternFrame(23, 17, 12);
  const std::vector<FrameImage> seq = RenderSequence(e, a, b, 12);
  EXPECT_TRUE(RectEquals(seq.front(), a, 3, 2, 18, 14));
  EXPECT_TRUE(RectEquals(seq.back(), b, 3, 2, 18, 14));
  EXPECT_FALSE(RectEquals(seq[3], a, 3, 2, 18, 14));
  for (const FrameImage& o : seq) EXPECT_TRUE(test::OutsideRectUntouched(o, 3, 2, 18, 14, 0x5A));

  // Scene B at progress 1 also without the frames before it.
  HostedEffect fresh;
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &fresh));
  FrameImage o = MakeFrameImage(23, 17, 0);
  ASSERT_EQ(RenderEffectFrame(fresh, a, b, 1.0f, RenderChoices(), &o), 1);
  EXPECT_TRUE(RectEquals(o, b, 0, 0, 23, 17));
  CloseEffect(&fresh);
  CloseEffect(&e);
}

TEST(FirestormModule, FullFlameVariationIsThePlainCrossfade) {
  HostedEffect e;
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  SetFloat(e, 16, 1.0f);
  SetInt(e, 4, 1);  // every pixel tested: the fire burns, it just is not shown
  const FrameImage a = PatternFrame(16, 12, 21), b = PatternFrame(16, 12, 22);
  const float start = 0.13f, end = 0.23f;
  for (int i = 0; i <= 20; ++i) {
    const float p = i / 20.0f;
    FrameImage o = MakeFrameImage(16, 12, 0);
    ASSERT_EQ(RenderEffectFrame(e, a, b, p, RenderChoices(), &o), 1);
    double n = 0.0;
    if (p >= end)
      n = 1.0;
    else if (p > start)
      n = (static_cast<double>(p) - start) / (static_cast<double>(end) - start);
    for (size_t k = 0; k < o.pixels.size(); ++k) {
      if (k % o.stride >= 48) continue;
      const uint8_t want =
          static_cast<uint8_t>(static_cast<int32_t>(a.pixels[k] * (1.0 - n) + b.pixels[k] * n));
      ASSERT_EQ(o.pixels[k], want) << "p " << p << " byte " << k;
    }
  }
  CloseEffect(&e);
}

TEST(FirestormModule, FireCarriesOverFromFrameToFrame) {
  const FrameImage a = PatternFrame(30, 24, 31), b = PatternFrame(30, 24, 32);
  HostedEffect e;
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  const std::vector<FrameImage> seq = RenderSequence(e, a, b, 16);
  CloseEffect(&e);

  // The same sequence in a fresh instance of the module is the same, frame for frame.
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  const std::vector<FrameImage> again = RenderSequence(e, a, b, 16);
  for (size_t i = 0; i < seq.size(); ++i)
    EXPECT_EQ(seq[i].pixels, again[i].pixels) << "frame " << i;
  CloseEffect(&e);

  // A frame rendered on its own has no fire from the frames before it.
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  FrameImage alone = MakeFrameImage(30, 24, 0x5A);
  test::RenderRect(e, a, b, 5.0f / 15, 3, 2, 25, 21, &alone);
  EXPECT_NE(alone.pixels, seq[5].pixels);
  CloseEffect(&e);
}

TEST(FirestormModule, DeclinesWithoutWriting) {
  HostedEffect e;
  ASSERT_TRUE(OpenBuiltEffect("firestorm", &e));
  const FrameImage a = PatternFrame(8, 8, 1), b = PatternFrame(8, 8, 2);
  FrameImage o = MakeFrameImage(8, 8, 0x77);
  RenderChoices decline;
  decline.requestMode = 1;
  EXPECT_EQ(RenderEffectFrame(e, a, b, 0.5f, decline, &o), 0);
  e.params.clear();  // no settings record in the request
  EXPECT_EQ(RenderEffectFrame(e, a, b, 0.5f, RenderChoices(), &o), 0);
  EXPECT_EQ(o.pixels, std::vector<uint8_t>(o.pixels.size(), 0x77));
  CloseEffect(&e);
}

}  // namespace
}  // namespace zk
