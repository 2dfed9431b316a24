// The character rain through its real entry points: description, defaults that leave the
// padding alone, the process-wide frame clock, and whole sequences in fresh modules.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "chars_params.h"
#include "chars_render.h"
#include "chars_test_views.h"
#include "test_support.h"

namespace zk {
namespace {

using test::OpenBuiltEffect;
using test::PatternFrame;

// Closes the module however the test ends, so the next load starts it afresh.
struct LoadedChars {
  HostedEffect effect;
  bool ok = OpenBuiltEffect("chars", &effect);
  ~LoadedChars() { CloseEffect(&effect); }
};

uint32_t Bits(const std::vector<uint8_t>& block, size_t at) {
  uint32_t v;
  std::memcpy(&v, block.data() + at, 4);
  return v;
}

TEST(CharsModuleTest, DescribesItself) {
  LoadedChars m;
  ASSERT_TRUE(m.ok);
  const EffectInfo& info = m.effect.info;
  EXPECT_STREQ("Chars-Zelkor", info.effectName);
  EXPECT_STREQ("Zelkor", info.groupName);
  EXPECT_STREQ("Raining characters like in motion-picture \"Matrix\"", info.description);
  EXPECT_EQ(768u, info.extraMask);
  EXPECT_EQ(0u, info.extraDefault);
  EXPECT_EQ(0u, info.extraAlternate);
  EXPECT_EQ(52, info.paramBlockSize);
}

TEST(CharsModuleTest, DefaultsWriteEveryFieldAndLeaveThePadding) {
  LoadedChars m;
  ASSERT_TRUE(m.ok);
  std::vector<uint8_t> block(52, 0xAB);
  ASSERT_EQ(1, m.effect.module.getDefault(block.data()));
  EXPECT_EQ(0u, Bits(block, 0));
  EXPECT_EQ(0x0088FF88u, Bits(block, 4));
  EXPECT_EQ(2u, Bits(block, 8));
  EXPECT_EQ(0, block[12]);
  EXPECT_EQ(0, block[13]);
  EXPECT_EQ(0, block[14]);
  EXPECT_EQ(0xAB, block[15]);
  EXPECT_EQ(0x3DF5C28Fu, Bits(block, 16));
  EXPECT_EQ(0x3ECCCCCDu, Bits(block, 20));
  EXPECT_EQ(0x3F59999Au, Bits(block, 24));
  EXPECT_EQ(0x3F000000u, Bits(block, 28));
  EXPECT_EQ(0x3F5C28F6u, Bits(block, 32));
  EXPECT_EQ(0x42480000u, Bits(block, 36));
  EXPECT_EQ(0x3E19999Au, Bits(block, 40));
  EXPECT_EQ(200, block[44] | block[45] << 8);
  EXPECT_EQ(400, block[46] | block[47] << 8);
  EXPECT_EQ(1, block[48]);
  EXPECT_EQ(0xAB, block[49]);
  EXPECT_EQ(0xAB, block[50]);
  EXPECT_EQ(0xAB, block[51]);
}

std::vector<std::vector<uint8_t>> RenderSequence(int32_t frames, uint8_t glow) {
  LoadedChars m;
  if (!m.ok) return {};
  m.effect.params[14] = glow;
  return test::RenderEvenSequence(m.effect, PatternFrame(160, 120, 31), PatternFrame(160, 120, 32),
                                  frames);
}

TEST(CharsModuleTest, SequencesInFreshModulesAreIdentical) {
  for (uint8_t glow : {0, 1}) {
    const auto first = RenderSequence(24, glow);
    const auto second = RenderSequence(24, glow);
    ASSERT_EQ(24u, first.size());
    ASSERT_EQ(first.size(), second.size());
    for (size_t k = 0; k < first.size(); ++k) EXPECT_EQ(first[k], second[k]) << "frame " << k;
    // The rain moves: consecutive frames in the character phases differ.
    for (size_t k = 5; k < 18; ++k) EXPECT_NE(first[k], first[k + 1]) << "frame " << k;
  }
}

bool EmbeddedSheets(const GlyphMapChoice& map, GlyphSheet* sheet) {
  return LoadEmbeddedGlyphSheet(map, sheet);
}

TEST(CharsModuleTest, TheFrameClockIsSharedByEveryUseOfTheModule) {
  const FrameImage a = PatternFrame(160, 120, 41);
  const FrameImage b = PatternFrame(160, 120, 42);
  CharsParams params = CharsDefaults();
  // What a frame at 0.35 looks like after one at 0.3 (step 0.05: F = 20) ...
  FrameImage expected = MakeFrameImage(160, 120);
  FrameClock clock{};
  clock.previousProgress = 0.3f;
  ASSERT_EQ(1,
            RenderChars(test::WholeView(expected, a, b, 0.35f, &params), &clock, EmbeddedSheets));
  // ... and after a first call at 0.35 (step 0.35 from zero: F = 3).
  FrameImage alone = MakeFrameImage(160, 120);
  FrameClock fresh{};
  ASSERT_EQ(1, RenderChars(test::WholeView(alone, a, b, 0.35f, &params), &fresh, EmbeddedSheets));
  ASSERT_NE(expected.pixels, alone.pixels);

  // Two transitions on one loaded module: the second continues the first one's clock.
  LoadedChars one, two;
  ASSERT_TRUE(one.ok && two.ok);
  FrameImage out = MakeFrameImage(160, 120);
  ASSERT_EQ(1, RenderEffectFrame(one.effect, a, b, 0.3f, RenderChoices(), &out));
  ASSERT_EQ(1, RenderEffectFrame(two.effect, a, b, 0.35f, RenderChoices(), &out));
  EXPECT_EQ(expected.pixels, out.pixels);
}

TEST(CharsModuleTest, FirstCallOfAProcessStartsFromProgressZero) {
  const FrameImage a = PatternFrame(150, 100, 51);
  const FrameImage b = PatternFrame(150, 100, 52);
  CharsParams params = CharsDefaults();
  FrameImage expected = MakeFrameImage(150, 100);
  FrameClock clock{};
  ASSERT_EQ(1, RenderChars(test::WholeView(expected, a, b, 0.5f, &params), &clock, EmbeddedSheets));
  EXPECT_EQ(2, clock.frameCount);
  LoadedChars m;
  ASSERT_TRUE(m.ok);
  FrameImage out = MakeFrameImage(150, 100);
  ASSERT_EQ(1, RenderEffectFrame(m.effect, a, b, 0.5f, RenderChoices(), &out));
  EXPECT_EQ(expected.pixels, out.pixels);
}

}  // namespace
}  // namespace zk
