// rays.vfx as the host sees it: description, defaults, declining, and a frame without a
// settings record.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "effect_host.h"
#include "firestorm_rays_test_support.h"
#include "test_support.h"

namespace zk {
namespace {

uint32_t Word(const std::vector<uint8_t>& block, size_t offset) {
  uint32_t v;
  std::memcpy(&v, &block[offset], 4);
  return v;
}

TEST(RaysModule, DescribesItselfAndWritesItsDefaults) {
  HostedEffect e;
  ASSERT_TRUE(test::OpenBuiltEffect("rays", &e));
  EXPECT_EQ(e.info.extraMask, 0x100u);
  EXPECT_EQ(e.info.extraDefault, 0u);
  EXPECT_EQ(e.info.extraAlternate, 0u);
  EXPECT_EQ(e.info.paramBlockSize, 40);
  EXPECT_EQ(test::ModuleText(e.info.description, 129), "Rays everywhere");
  if (test::ChineseTextsReadable()) {
    EXPECT_EQ(test::ModuleText(e.info.effectName, 20), "光线-外加");
    EXPECT_EQ(test::ModuleText(e.info.groupName, 25), "外加");
  }

  // Every field is written; the padding after riseOnly keeps the host's bytes.
  std::vector<uint8_t> block(40, 0xEE);
  ASSERT_EQ(e.module.getDefault(block.data()), 1);
  EXPECT_EQ(Word(block, 0), 0x3F000000u);  // 0.5
  EXPECT_EQ(Word(block, 4), 5u);
  EXPECT_EQ(Word(block, 8), 0x3EAA7EFAu);  // 0.333
  EXPECT_EQ(Word(block, 12), 5u);
  EXPECT_EQ(Word(block, 16), 0x3EAA7EFAu);
  EXPECT_EQ(block[20], 0);
  EXPECT_EQ(block[21], 0xEE);
  EXPECT_EQ(block[22], 0xEE);
  EXPECT_EQ(block[23], 0xEE);
  EXPECT_EQ(Word(block, 24), 0x00FFFFFFu);
  EXPECT_EQ(Word(block, 28), 0x42480000u);  // 50.0
  EXPECT_EQ(Word(block, 32), 0x42480000u);
  EXPECT_EQ(Word(block, 36), 10u);
  CloseEffect(&e);
}

TEST(RaysModule, RendersWithoutARecordAndDeclinesMode1) {
  HostedEffect e;
  ASSERT_TRUE(test::OpenBuiltEffect("rays", &e));
  const FrameImage a = test::PatternFrame(10, 7, 1), b = test::PatternFrame(10, 7, 2);
  FrameImage withDefaults = MakeFrameImage(10, 7, 0x11);
  ASSERT_EQ(test::RenderRect(e, a, b, 0.3f, 1, 1, 8, 5, &withDefaults), 1);

  RenderChoices decline;
  decline.requestMode = 1;
  FrameImage o = MakeFrameImage(10, 7, 0x11);
  EXPECT_EQ(RenderEffectFrame(e, a, b, 0.3f, decline, &o), 0);
  EXPECT_EQ(o.pixels, std::vector<uint8_t>(o.pixels.size(), 0x11));

  e.params.clear();  // the request carries no settings record
  ASSERT_EQ(test::RenderRect(e, a, b, 0.3f, 1, 1, 8, 5, &o), 1);
  EXPECT_EQ(o.pixels, withDefaults.pixels);
  EXPECT_NE(o.pixels, std::vector<uint8_t>(o.pixels.size(), 0x11));
  CloseEffect(&e);
}

}  // namespace
}  // namespace zk
