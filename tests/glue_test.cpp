// The entry-point glue every module shares, through a probe module built for the tests.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cstring>

#include "test_support.h"

namespace zk {
namespace {

class GlueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(OpenEffect(ModulePath("test_modules", "probe"), &effect_, &error)) << error;
  }
  void TearDown() override { CloseEffect(&effect_); }
  HostedEffect effect_;
};

TEST_F(GlueTest, TextsAreCutToTheirBuffers) {
  const EffectInfo& info = effect_.info;
  EXPECT_EQ(19u, std::strlen(info.effectName));
  EXPECT_EQ(0, std::strncmp(info.effectName, "Probe-Zelkor with a", 19));
  EXPECT_EQ(24u, std::strlen(info.groupName));
  EXPECT_EQ(128u, std::strlen(info.description));
  EXPECT_EQ('.', info.description[127]);  // "...so that the cut shows." then the cut
  EXPECT_EQ(0x30000u, info.variantMask);
  EXPECT_EQ(0x100u, info.extraMask);
  EXPECT_EQ(8, info.paramBlockSize);
}

TEST_F(GlueTest, DefaultsFillTheHostsBlockAndRenderReadsIt) {
  ASSERT_EQ(8u, effect_.params.size());
  int32_t answer;
  std::memcpy(&answer, effect_.params.data(), 4);
  EXPECT_EQ(42, answer);
  FrameImage a = test::PatternFrame(4, 4, 1), b = test::PatternFrame(4, 4, 2);
  FrameImage out = MakeFrameImage(4, 4);
  RenderChoices choices;
  choices.fieldMode = 7;
  choices.extraFlags = 0x1234;
  ASSERT_EQ(1, RenderEffectFrame(effect_, a, b, 0.5f, choices, &out));
  EXPECT_EQ(2, out.pixels[0]);
  EXPECT_EQ(42, out.pixels[1]);
  EXPECT_EQ(0x34, out.pixels[2]);
}

TEST_F(GlueTest, NullRecordsAreAnsweredWithOne) {
  EXPECT_EQ(1, effect_.module.getEffInfo(nullptr));
  EXPECT_EQ(1, effect_.module.getDefault(nullptr));
  EXPECT_EQ(0, effect_.module.applyEffect(1, nullptr, 0));
  EXPECT_EQ(1, effect_.module.applyEffect(0, nullptr, 0));
}

TEST_F(GlueTest, CallersFloatingPointModeIsRestored) {
#if defined(__SSE__) || defined(_M_IX86) || defined(__x86_64__)
  const unsigned saved = _mm_getcsr();
  _mm_setcsr((saved & ~0x6000u) | 0x6000u | 0x8040u);  // round toward zero, flush to zero
  const unsigned changed = _mm_getcsr();
  FrameImage a = test::PatternFrame(4, 4, 1), b = test::PatternFrame(4, 4, 2);
  FrameImage out = MakeFrameImage(4, 4);
  RenderEffectFrame(effect_, a, b, 0.5f, RenderChoices(), &out);
  EXPECT_EQ(changed, _mm_getcsr());
  _mm_setcsr(saved);
#endif
}

}  // namespace
}  // namespace zk
