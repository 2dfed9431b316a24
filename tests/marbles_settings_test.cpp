// The marbles settings record: defaults, the five presets over a record whose reserved
// bytes must survive, the schema, and the whole-degree rotations of the kit's math.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "float_bits.h"
#include "marbles_math.h"
#include "marbles_params.h"

namespace zk {
namespace {

template <class T>
T Read(const std::vector<uint8_t>& block, size_t offset) {
  T v;
  std::memcpy(&v, block.data() + offset, sizeof v);
  return v;
}

std::vector<uint8_t> Preset(int32_t index) {
  std::vector<uint8_t> block(148, 0xCD);
  ApplyMarblesPreset(block.data(), index);
  return block;
}

TEST(MarblesSettings, DefaultsByteOffsetAndReservedBytes) {
  std::vector<uint8_t> block(148, 0xCD);
  WriteMarblesDefaults(block.data());
  EXPECT_EQ(Bits(Read<float>(block, 0)), 0x3CF5C28Fu);   // size 0.03
  EXPECT_EQ(Read<float>(block, 4), 2.0f);                // colorHue
  EXPECT_EQ(Read<float>(block, 8), 0.0f);                // transpStart
  EXPECT_EQ(Bits(Read<float>(block, 12)), 0x3F266666u);  // transpEnd 0.65
  EXPECT_EQ(Read<float>(block, 16), 1.0f);               // shadeImpact
  EXPECT_EQ(Read<int32_t>(block, 20), 3);                // shadeGloss
  EXPECT_EQ(block[24], 0);                               // viewerToSurface
  EXPECT_EQ(Read<int32_t>(block, 28), 1);                // order
  EXPECT_EQ(block[32], 1);                               // farFirst
  EXPECT_EQ(Read<int32_t>(block, 36), 0);
  EXPECT_EQ(Read<int32_t>(block, 40), 0);
  EXPECT_EQ(Read<int32_t>(block, 44), 180);
  EXPECT_EQ(Bits(Read<float>(block, 48)), 0x3E0F5C29u);  // xFade 0.14
  EXPECT_EQ(Bits(Read<float>(block, 52)), 0x3E4CCCCDu);  // staticTime 0.2
  EXPECT_EQ(Bits(Read<float>(block, 56)), 0x3ECCCCCDu);  // moveTime 0.4
  EXPECT_EQ(Read<int32_t>(block, 60), 2);                // lightMode rotation
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(Read<float>(block, 64 + 4 * k), 10.0f);
    EXPECT_EQ(Read<float>(block, 76 + 4 * k), 0.0f);
  }
  EXPECT_EQ(Read<int32_t>(block, 88), 0);
  EXPECT_EQ(Read<int32_t>(block, 92), 0);
  EXPECT_EQ(Read<int32_t>(block, 96), 360);
  EXPECT_EQ(Read<uint32_t>(block, 100), 0xFFFFFFu);
  EXPECT_EQ(Read<int32_t>(block, 104), 3000);
  // Nothing writes the reserved bytes.
  for (size_t at : {25, 26, 27, 33, 34, 35}) EXPECT_EQ(block[at], 0xCD) << at;
  for (size_t at = 108; at < 148; ++at) EXPECT_EQ(block[at], 0xCD) << at;
}

TEST(MarblesSettings, PresetTableAndOutOfRangeNumbers) {
  struct Row {
    uint8_t viewerToSurface;
    int32_t order;
    uint8_t farFirst;
    int32_t rotateX, rotateY, rotateZ;
    float moveTime;
  };
  const Row rows[5] = {{0, 1, 1, 0, 0, 180, 0.4f},
                       {0, 0, 1, 180, 0, -180, 0.4f},
                       {0, 1, 0, 0, 0, 0, 0.4f},
                       {0, 2, 0, 0, 0, 0, 0.25f},
                       {1, 1, 1, -180, 180, 180, 0.4f}};
  const std::vector<uint8_t> preset0 = Preset(0);
  for (int32_t i = 0; i < 5; ++i) {
    const std::vector<uint8_t> b = Preset(i);
    MarblesParams p;
    std::memcpy(&p, b.data(), sizeof p);
    EXPECT_EQ(p.viewerToSurface, rows[i].viewerToSurface) << i;
    EXPECT_EQ(p.order, rows[i].order) << i;
    EXPECT_EQ(p.farFirst, rows[i].farFirst) << i;
    EXPECT_EQ(p.rotateX, rows[i].rotateX) << i;
    EXPECT_EQ(p.rotateY, rows[i].rotateY) << i;
    EXPECT_EQ(p.rotateZ, rows[i].rotateZ) << i;
    EXPECT_EQ(Bits(p.moveTime), Bits(rows[i].moveTime)) << i;
    // The fields every preset shares are the defaults'.
    EXPECT_EQ(std::memcmp(b.data(), preset0.data(), 24), 0) << i;
    EXPECT_EQ(std::memcmp(b.data() + 48, preset0.data() + 48, 8), 0) << i;
    EXPECT_EQ(std::memcmp(b.data() + 60, preset0.data() + 60, 88), 0) << i;
  }
  EXPECT_EQ(Preset(5), preset0);
  EXPECT_EQ(Preset(-1), preset0);  // a preset list without a selection
  EXPECT_EQ(Preset(1000), preset0);
}

TEST(MarblesSettings, SchemaNamesEveryFieldAndPreset) {
  EXPECT_EQ(kMarblesSchema.blockSize, 148u);
  EXPECT_EQ(kMarblesSchema.presetCount, 5);
  EXPECT_EQ(FindPreset(kMarblesSchema, "tub sample 2"), 4);
  EXPECT_EQ(FindPreset(kMarblesSchema, "Board Sample"), 1);
  const std::pair<const char*, uint32_t> offsets[] = {
      {"size", 0},       {"colorHue", 4},     {"shadeGloss", 20},    {"viewerToSurface", 24},
      {"order", 28},     {"farFirst", 32},    {"rotateZ", 44},       {"moveTime", 56},
      {"lightMode", 60}, {"lightPos1.x", 64}, {"lightPos1.z", 72},   {"lightPos2.y", 80},
      {"lightRotZ", 96}, {"lightColor", 100}, {"viewDistance", 104},
  };
  for (const auto& o : offsets) {
    const SettingField* f = FindSetting(kMarblesSchema, o.first);
    ASSERT_NE(f, nullptr) << o.first;
    EXPECT_EQ(f->offset, o.second) << o.first;
  }
  std::vector<uint8_t> block(148, 0);
  std::string error;
  EXPECT_TRUE(WriteSetting(*FindSetting(kMarblesSchema, "rotateX"), "-360", block.data(), &error));
  EXPECT_FALSE(WriteSetting(*FindSetting(kMarblesSchema, "rotateX"), "361", block.data(), &error));
  EXPECT_FALSE(WriteSetting(*FindSetting(kMarblesSchema, "order"), "3", block.data(), &error));
  EXPECT_TRUE(
      WriteSetting(*FindSetting(kMarblesSchema, "lightPos2.y"), "-7.5", block.data(), &error));
  EXPECT_EQ(Read<float>(block, 80), -7.5f);
  // The two switches are single bytes: their reserved neighbours keep what they hold.
  block[25] = 0xAB;
  block[33] = 0xCD;
  EXPECT_TRUE(
      WriteSetting(*FindSetting(kMarblesSchema, "viewerToSurface"), "1", block.data(), &error));
  EXPECT_TRUE(WriteSetting(*FindSetting(kMarblesSchema, "farFirst"), "1", block.data(), &error));
  EXPECT_EQ(block[24], 1);
  EXPECT_EQ(block[25], 0xAB);
  EXPECT_EQ(block[32], 1);
  EXPECT_EQ(block[33], 0xCD);
}

TEST(MarblesMath, WholeDegreeRotationsLeaveThePointAloneAtZero) {
  const Point3 p{10.8f, 550.8f, 1.0f};
  const Point3 c{360.0f, 288.0f, -17.25f};
  const auto same = [](const Point3& a, const Point3& b) {
    return Bits(a.x) == Bits(b.x) && Bits(a.y) == Bits(b.y) && Bits(a.z) == Bits(b.z);
  };
  EXPECT_TRUE(same(RotateXWholeDegrees(p, 0), p));
  EXPECT_TRUE(same(RotateYWholeDegrees(p, 0), p));
  EXPECT_TRUE(same(RotateZWholeDegrees(p, 0), p));
  // The float rotations round the offset from the centre even for 0 degrees.
  EXPECT_FALSE(same(RotateXAbout(p, c, 0.0f), p));
  EXPECT_TRUE(same(RotateXAboutWholeDegrees(p, c, 0), p));
  EXPECT_TRUE(same(RotateYAboutWholeDegrees(p, c, 0), p));
  EXPECT_TRUE(same(RotateZAboutWholeDegrees(p, c, 0), p));
  // Any other angle turns as the float forms do.
  for (int32_t a : {1, -180, 90, 360, 725}) {
    const float f = static_cast<float>(a);
    EXPECT_TRUE(same(RotateXWholeDegrees(p, a), RotateX(p, f))) << a;
    EXPECT_TRUE(same(RotateYAboutWholeDegrees(p, c, a), RotateYAbout(p, c, f))) << a;
    EXPECT_TRUE(same(RotateZAboutWholeDegrees(p, c, a), RotateZAbout(p, c, f))) << a;
  }
  // A quarter turn about z, by hand: (1, 0, 0) goes to about (0, 1, 0).
  const Point3 q = RotateZWholeDegrees(Point3{1, 0, 0}, 90);
  EXPECT_NEAR(q.x, 0.0f, 1e-7f);
  EXPECT_EQ(q.y, 1.0f);
}

}  // namespace
}  // namespace zk
