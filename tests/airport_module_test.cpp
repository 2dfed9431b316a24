// The split-flap board through its real entry points: description, defaults, the
// previous progress cleared at load, and whole sequences in fresh modules.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chars_test_views.h"
#include "test_support.h"

namespace zk {
namespace {

using test::OpenBuiltEffect;
using test::PatternFrame;

struct LoadedAirport {
  HostedEffect effect;
  bool ok = OpenBuiltEffect("airport", &effect);
  ~LoadedAirport() { CloseEffect(&effect); }
};

TEST(AirportModuleTest, DescribesItself) {
  LoadedAirport m;
  ASSERT_TRUE(m.ok);
  const EffectInfo& info = m.effect.info;
  EXPECT_EQ("机场-Zelkor", ModuleTextToUtf8(info.effectName, sizeof info.effectName));
  EXPECT_EQ("A外加", ModuleTextToUtf8(info.groupName, sizeof info.groupName));
  EXPECT_STREQ("Display panel with falling tiles, like on airports", info.description);
  EXPECT_EQ(768u, info.extraMask);
  EXPECT_EQ(56, info.paramBlockSize);
}

TEST(AirportModuleTest, DefaultsZeroTheRecordAndWriteTheSettings) {
  LoadedAirport m;
  ASSERT_TRUE(m.ok);
  std::vector<uint8_t> block(56, 0xAB);
  ASSERT_EQ(1, m.effect.module.getDefault(block.data()));
  const uint8_t bytes[9] = {5, 5, 20, 10, 4, 6, 8, 30, 35};
  for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(bytes[i], block[i]) << "byte " << i;
  for (int32_t i = 9; i < 12; ++i) EXPECT_EQ(0, block[i]) << "byte " << i;
  EXPECT_EQ(340, block[12] | block[13] << 8 | block[14] << 16 | block[15] << 24);
  for (int32_t i = 16; i < 56; ++i) EXPECT_EQ(0, block[i]) << "byte " << i;
}

bool IsCrossfade(const FrameImage& a, const FrameImage& b, const FrameImage& out, float p) {
  for (size_t i = 0; i < out.pixels.size(); ++i) {
    const double v = (1.0 - p) * a.pixels[i] + static_cast<double>(p) * b.pixels[i];
    if (out.pixels[i] != static_cast<uint8_t>(std::trunc(v))) return false;
  }
  return true;
}

TEST(AirportModuleTest, ALoadStartsWithoutAPreviousFrame) {
  const FrameImage a = PatternFrame(96, 64, 61);
  const FrameImage b = PatternFrame(96, 64, 62);
  FrameImage out = MakeFrameImage(96, 64);
  {
    LoadedAirport m;
    ASSERT_TRUE(m.ok);
    ASSERT_EQ(1, RenderEffectFrame(m.effect, a, b, 0.3f, RenderChoices(), &out));
    EXPECT_TRUE(IsCrossfade(a, b, out, 0.3f));
    ASSERT_EQ(1, RenderEffectFrame(m.effect, a, b, 0.35f, RenderChoices(), &out));
    EXPECT_FALSE(IsCrossfade(a, b, out, 0.35f));  // a step of 0.05: the board shows
  }
  LoadedAirport again;
  ASSERT_TRUE(again.ok);
  ASSERT_EQ(1, RenderEffectFrame(again.effect, a, b, 0.35f, RenderChoices(), &out));
  EXPECT_TRUE(IsCrossfade(a, b, out, 0.35f));
}

std::vector<std::vector<uint8_t>> RenderSequence(int32_t frames) {
  LoadedAirport m;
  if (!m.ok) return {};
  return test::RenderEvenSequence(m.effect, PatternFrame(120, 90, 71), PatternFrame(120, 90, 72),
                                  frames);
}

TEST(AirportModuleTest, SequencesInFreshModulesAreIdentical) {
  const auto first = RenderSequence(30);
  const auto second = RenderSequence(30);
  ASSERT_EQ(30u, first.size());
  ASSERT_EQ(first.size(), second.size());
  for (size_t k = 0; k < first.size(); ++k) EXPECT_EQ(first[k], second[k]) << "frame " << k;
  for (size_t k = 1; k + 1 < first.size(); ++k) EXPECT_NE(first[k], first[k + 1]) << k;
}

}  // namespace
}  // namespace zk
