// Settings fields narrower than a word (flag bytes, byte counts, 16-bit sizes): written at
// their own width without touching their neighbours, bounded by the dialog's range, and
// read back as the modules' defaults.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "module_registry.h"
#include "settings_schema.h"

namespace zk {
namespace {

std::vector<uint8_t> Defaults(const SettingsSchema& schema) {
  std::vector<uint8_t> block(schema.blockSize);
  schema.writeDefaults(block.data());
  return block;
}

TEST(SettingsSmallFields, BytesAndHalfWordsWriteOnlyTheirOwnBytes) {
  const SettingsSchema* airport = FindSchema("airport");
  ASSERT_NE(nullptr, airport);
  std::vector<uint8_t> block = Defaults(*airport);
  const std::vector<uint8_t> before = block;
  const SettingField* tiles = FindSetting(*airport, "tilesDown");
  ASSERT_NE(nullptr, tiles);
  EXPECT_EQ(4u, tiles->offset);
  std::string error;
  ASSERT_TRUE(WriteSetting(*tiles, "25", block.data(), &error)) << error;
  for (size_t i = 0; i < block.size(); ++i) EXPECT_EQ(i == 4 ? 25 : before[i], block[i]) << i;
  EXPECT_EQ("25", FormatSetting(*tiles, block.data()));

  const SettingsSchema* chars = FindSchema("chars");
  ASSERT_NE(nullptr, chars);
  block = Defaults(*chars);
  const std::vector<uint8_t> charsBefore = block;
  const SettingField* column = FindSetting(*chars, "columnSize");
  ASSERT_NE(nullptr, column);
  ASSERT_TRUE(WriteSetting(*column, "3333", block.data(), &error)) << error;
  // 3333 = 0x0D05, little-endian at offset 44; rowSize at 46 keeps its 400.
  EXPECT_EQ(0x05, block[44]);
  EXPECT_EQ(0x0D, block[45]);
  EXPECT_EQ(charsBefore[46], block[46]);
  EXPECT_EQ(charsBefore[47], block[47]);
  EXPECT_EQ(charsBefore[43], block[43]);
  EXPECT_EQ("400", FormatSetting(*FindSetting(*chars, "rowSize"), block.data()));
  const SettingField* glow = FindSetting(*chars, "applyGlow");
  ASSERT_NE(nullptr, glow);
  ASSERT_TRUE(WriteSetting(*glow, "1", block.data(), &error)) << error;
  EXPECT_EQ(1, block[14]);
  EXPECT_EQ(charsBefore[13], block[13]);
  EXPECT_EQ(charsBefore[15], block[15]);
}

TEST(SettingsSmallFields, ValuesOutsideTheDialogRangeAreRefused) {
  const SettingsSchema* airport = FindSchema("airport");
  const SettingsSchema* firestorm = FindSchema("firestorm");
  ASSERT_NE(nullptr, airport);
  ASSERT_NE(nullptr, firestorm);
  std::vector<uint8_t> block = Defaults(*airport);
  const std::vector<uint8_t> before = block;
  const SettingField* tiles = FindSetting(*airport, "tilesAcross");
  std::string error;
  for (const char* bad : {"0", "26", "256", "-1", "x", ""})
    EXPECT_FALSE(WriteSetting(*tiles, bad, block.data(), &error)) << bad;
  EXPECT_EQ(before, block);
  const SettingField* speed = FindSetting(*firestorm, "flameSpeed");
  ASSERT_NE(nullptr, speed);
  std::vector<uint8_t> fire = Defaults(*firestorm);
  EXPECT_FALSE(WriteSetting(*speed, "0", fire.data(), &error));
  EXPECT_FALSE(WriteSetting(*speed, "4", fire.data(), &error));
  EXPECT_TRUE(WriteSetting(*speed, "3", fire.data(), &error));
  EXPECT_EQ(3, fire[1]);
}

TEST(SettingsSmallFields, DefaultsReadBackAsTheRecordHoldsThem) {
  const SettingsSchema* airport = FindSchema("airport");
  const SettingsSchema* chars = FindSchema("chars");
  const SettingsSchema* firestorm = FindSchema("firestorm");
  ASSERT_TRUE(airport && chars && firestorm);
  const std::vector<uint8_t> a = Defaults(*airport), c = Defaults(*chars), f = Defaults(*firestorm);
  EXPECT_EQ("5", FormatSetting(*FindSetting(*airport, "borderVertical"), a.data()));
  EXPECT_EQ("20", FormatSetting(*FindSetting(*airport, "gapVertical"), a.data()));
  EXPECT_EQ("8", FormatSetting(*FindSetting(*airport, "framesPerFlip"), a.data()));
  EXPECT_EQ("200", FormatSetting(*FindSetting(*chars, "columnSize"), c.data()));
  EXPECT_EQ("1", FormatSetting(*FindSetting(*chars, "fixedRatio"), c.data()));
  EXPECT_EQ("20", FormatSetting(*FindSetting(*firestorm, "edgeSensitivity"), f.data()));
  EXPECT_EQ("2", FormatSetting(*FindSetting(*firestorm, "flameSpeed"), f.data()));
  // Every field of every table lies inside its record.
  for (const char* name : {"airport", "chars", "firestorm", "rays"}) {
    const SettingsSchema* s = FindSchema(name);
    ASSERT_NE(nullptr, s);
    for (int32_t i = 0; i < s->fieldCount; ++i)
      EXPECT_LE(s->fields[i].offset + s->fields[i].size, s->blockSize) << s->fields[i].name;
  }
}

}  // namespace
}  // namespace zk
