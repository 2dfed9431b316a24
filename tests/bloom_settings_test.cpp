// The bloom settings record: layout, defaults and presets byte for byte, the description
// record, and the schema that zelkor edits the record through.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bloom_params.h"
#include "test_support.h"

namespace zk {
namespace {

// The 52 bytes of a preset: mode, direction and the duration's float bits, little-endian.
std::vector<uint8_t> PresetBytes(int32_t mode, int32_t direction, uint32_t durationBits) {
  std::vector<uint8_t> bytes(52, 0);
  const uint32_t words[3] = {static_cast<uint32_t>(mode), static_cast<uint32_t>(direction),
                             durationBits};
  for (int32_t w = 0; w < 3; ++w)
    for (int32_t i = 0; i < 4; ++i) bytes[4 * w + i] = static_cast<uint8_t>(words[w] >> (8 * i));
  return bytes;
}

const uint32_t kHalf = 0x3F000000, kQuarter = 0x3E800000, kOne = 0x3F800000,
               kHundredth = 0x3C23D70A;

TEST(BloomSettings, PresetsClearTheRecordAndWriteTheirRow) {
  const std::vector<uint8_t> expected[12] = {
      PresetBytes(1, 6, kHalf),      PresetBytes(1, 10, kQuarter),   PresetBytes(0, 5, kQuarter),
      PresetBytes(0, 0, kOne),       PresetBytes(1, 0, kOne),        PresetBytes(2, 0, kOne),
      PresetBytes(0, 1, kHundredth), PresetBytes(0, 2, kHundredth),  PresetBytes(0, 3, kHundredth),
      PresetBytes(0, 4, kHundredth), PresetBytes(0, 11, kHundredth), PresetBytes(0, 12, kHundredth),
  };
  for (int32_t i = 0; i < 12; ++i) {
    std::vector<uint8_t> block(52, 0xAB);
    ApplyBloomPreset(block.data(), i);
    EXPECT_EQ(block, expected[i]) << "preset " << i;
  }
  for (int32_t outside : {-1, 12, 100, INT32_MIN}) {
    std::vector<uint8_t> block(52, 0x5A);
    ApplyBloomPreset(block.data(), outside);
    EXPECT_EQ(block, expected[0]) << "index " << outside;
  }
}

TEST(BloomSettings, ModuleDescribesItselfAndDefaultsToPresetZero) {
  HostedEffect effect;
  ASSERT_TRUE(test::OpenBuiltEffect("bloom", &effect));
  const EffectInfo& info = effect.info;
  EXPECT_EQ(ModuleTextToUtf8(info.effectName, sizeof info.effectName), "花-外加");
  EXPECT_EQ(ModuleTextToUtf8(info.groupName, sizeof info.groupName), "外加");
  EXPECT_EQ(ModuleTextToUtf8(info.description, sizeof info.description),
            "Blooms out directional to white, black or does a directional crossfade");
  EXPECT_EQ(info.extraMask, 768u);
  EXPECT_EQ(info.extraDefault, 0u);
  EXPECT_EQ(info.extraAlternate, 0u);
  EXPECT_EQ(info.variantMask, 0u);
  EXPECT_EQ(info.paramBlockSize, 52);
  EXPECT_EQ(info.tailValue, 40u);
  // OpenEffect filled a zeroed record through vxDLLGetDefault.
  EXPECT_EQ(effect.params, PresetBytes(1, 6, kHalf));
  // The defaults overwrite every byte, and a null record is answered with 1.
  std::vector<uint8_t> block(52, 0xEE);
  EXPECT_EQ(effect.module.getDefault(block.data()), 1);
  EXPECT_EQ(block, PresetBytes(1, 6, kHalf));
  EXPECT_EQ(effect.module.getDefault(nullptr), 1);
}

TEST(BloomSettings, SchemaMatchesTheRecord) {
  EXPECT_STREQ(kBloomSchema.module, "bloom");
  EXPECT_EQ(kBloomSchema.blockSize, 52u);
  ASSERT_EQ(kBloomSchema.fieldCount, 3);
  const SettingField* mode = FindSetting(kBloomSchema, "bloomMode");
  const SettingField* direction = FindSetting(kBloomSchema, "bloomDirection");
  const SettingField* duration = FindSetting(kBloomSchema, "bloomDuration");
  ASSERT_TRUE(mode && direction && duration);
  EXPECT_EQ(mode->offset, 0u);
  EXPECT_EQ(direction->offset, 4u);
  EXPECT_EQ(duration->offset, 8u);
  EXPECT_EQ(duration->type, SettingType::Float32);
  EXPECT_EQ(direction->maxValue, 20);
  EXPECT_EQ(FindPreset(kBloomSchema, "wipe COUNTER clockwise"), 11);
  EXPECT_EQ(FindPreset(kBloomSchema, "White Flash"), 4);
  EXPECT_EQ(FindPreset(kBloomSchema, "preset #2"), 2);
  EXPECT_EQ(FindPreset(kBloomSchema, "Wipe diagonally"), -1);

  std::vector<uint8_t> block(52, 0);
  std::string error;
  EXPECT_TRUE(WriteSetting(*duration, "0.01", block.data(), &error));
  EXPECT_EQ(block, PresetBytes(0, 0, kHundredth));
  EXPECT_FALSE(WriteSetting(*duration, "1.5", block.data(), &error));
  EXPECT_FALSE(WriteSetting(*direction, "21", block.data(), &error));
  EXPECT_FALSE(WriteSetting(*mode, "-1", block.data(), &error));
}

}  // namespace
}  // namespace zk
