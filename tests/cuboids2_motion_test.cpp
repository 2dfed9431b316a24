// Cuboids II settings, presets and block motion: start times per direction code, local
// progress, lift and rotation patterns, worked out by hand.
#include "cuboids2_motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "cuboids2_params.h"
#include "float_bits.h"
#include "rand15.h"

namespace zk {
namespace {

CuboidsParams Preset(int32_t index) {
  CuboidsParams p;
  std::memset(&p, 0xCD, sizeof p);
  ApplyCuboidsPreset(&p, index);
  return p;
}

TEST(Cuboids2Settings, DefaultsAreTheWavePreset) {
  CuboidsParams p;
  std::memset(&p, 0xCD, sizeof p);
  WriteCuboidsDefaults(&p);
  EXPECT_EQ(p.impact, 0.5f);
  EXPECT_EQ(p.gloss, 1);
  EXPECT_EQ(p.columns, 12);
  EXPECT_EQ(p.rows, 12);
  EXPECT_EQ(Bits(p.duration), 0x3E99999Au);
  EXPECT_EQ(Bits(p.zMove), 0x3E4CCCCDu);
  EXPECT_EQ(p.direction, 6);
  EXPECT_EQ(p.fixedRotation, 0);
  EXPECT_EQ(p.rotationPattern, 0);
  EXPECT_EQ(p.outline, 0);
  EXPECT_EQ(p.inverseZ, 0);
  EXPECT_EQ(p.backgroundType, 0);
  EXPECT_EQ(p.backgroundColor, 0u);
  EXPECT_EQ(p.backgroundFile[0], '\0');
  EXPECT_EQ(p.deep, 0.5f);
  // Only the first byte of the path and none of the unused tail are written.
  EXPECT_EQ(static_cast<uint8_t>(p.backgroundFile[1]), 0xCD);
  EXPECT_EQ(p.unused[0], 0xCD);
}

TEST(Cuboids2Settings, PresetTable) {
  struct Row {
    int32_t direction, columns, rows, fixed, pattern;
    uint32_t duration, zMove;
  };
  const Row rows[9] = {{1, 1, 1, 1, 2, 0x3F800000, 0},
                       {3, 1, 21, 1, 5, 0x3F333333, 0},
                       {1, 21, 1, 1, 2, 0x3F333333, 0},
                       {6, 12, 12, 0, 0, 0x3E99999A, 0x3E4CCCCD},
                       {3, 21, 21, 0, 0, 0x3F333333, 0x3F800000},
                       {3, 1, 21, 1, 0, 0x3F19999A, 0},
                       {5, 21, 1, 1, 2, 0x3F333333, 0},
                       {1, 1, 1, 1, 1, 0x3F800000, 0x3F800000},
                       {1, 1, 1, 1, 5, 0x3F800000, 0x3F800000}};
  for (int k = 0; k < 9; ++k) {
    const CuboidsParams p = Preset(k);
    EXPECT_EQ(p.direction, rows[k].direction) << k;
    EXPECT_EQ(p.columns, rows[k].columns) << k;
    EXPECT_EQ(p.rows, rows[k].rows) << k;
    EXPECT_EQ(p.fixedRotation, rows[k].fixed) << k;
    EXPECT_EQ(p.rotationPattern, rows[k].pattern) << k;
    EXPECT_EQ(Bits(p.duration), rows[k].duration) << k;
    EXPECT_EQ(Bits(p.zMove), rows[k].zMove) << k;
    EXPECT_EQ(p.impact, 0.5f);
    EXPECT_EQ(p.gloss, 1);
    EXPECT_EQ(p.outline, 0);
    EXPECT_EQ(p.backgroundType, 0);
    EXPECT_EQ(p.backgroundFile[0], '\0');
    EXPECT_EQ(p.inverseZ, k >= 7 ? 1 : 0);
  }
  EXPECT_EQ(Bits(Preset(7).deep), 0x3C23D70Au);
  EXPECT_EQ(Preset(7).backgroundColor, 0x8000FFu);
  EXPECT_EQ(Preset(8).deep, 0.75f);
  EXPECT_EQ(Preset(8).backgroundColor, 0xFF0080u);
  EXPECT_EQ(Preset(4).deep, 0.5f);
  EXPECT_EQ(Preset(4).backgroundColor, 0u);
  // Any other index is preset 0.
  for (int32_t bad : {-1, 9, 1000}) {
    const CuboidsParams p = Preset(bad);
    EXPECT_EQ(std::memcmp(&p, &static_cast<const CuboidsParams&>(Preset(0)), 312), 0) << bad;
  }
}

TEST(Cuboids2Settings, SchemaNamesEveryFieldAndPreset) {
  EXPECT_EQ(kCuboidsSchema.blockSize, 356u);
  EXPECT_EQ(kCuboidsSchema.presetCount, 9);
  EXPECT_STREQ(kCuboidsSchema.presetNames[4], "high fly");
  EXPECT_EQ(FindPreset(kCuboidsSchema, "HIGH FLY"), 4);
  EXPECT_EQ(FindPreset(kCuboidsSchema, "8"), 8);
  const SettingField* file = FindSetting(kCuboidsSchema, "backgroundFile");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->offset, 52u);
  EXPECT_EQ(file->size, 260u);
  const SettingField* deep = FindSetting(kCuboidsSchema, "deep");
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->offset, 312u);
  std::vector<uint8_t> block(356, 0);
  std::string error;
  EXPECT_TRUE(WriteSetting(*file, "C:\\pictures\\sky.bmp", block.data(), &error));
  EXPECT_STREQ(reinterpret_cast<const char*>(block.data() + 52), "C:\\pictures\\sky.bmp");
  EXPECT_FALSE(WriteSetting(*FindSetting(kCuboidsSchema, "direction"), "21", block.data(), &error));
}

CuboidsFrame Frame(int32_t columns, int32_t rows, float duration, int32_t w = 240,
                   int32_t h = 120) {
  CuboidsParams p = Preset(3);
  p.columns = columns;
  p.rows = rows;
  p.duration = duration;
  return MakeCuboidsFrame(p, w, h, 0.0f);
}

TEST(Cuboids2Motion, DerivedFrameValues) {
  CuboidsParams p = Preset(3);  // 12 x 12, deep 0.5, zMove 0.2
  const CuboidsFrame f = MakeCuboidsFrame(p, 240, 120, 0.25f);
  EXPECT_EQ(f.cellWidth, 20.0);
  EXPECT_EQ(f.cellHeight, 10.0);
  EXPECT_EQ(f.distance, 360u);
  EXPECT_EQ(f.depth, 10.0);
  // A = 0.2f * 0.9 * (360 - 10), as a float.
  EXPECT_EQ(f.lift, static_cast<float>(double{0.2f} * 0.9 * 350.0));
  EXPECT_EQ(f.spread, 1.0 - double{0.3f});
  // A grid outside the dialog's range is held to it.
  p.columns = 0;
  p.rows = 5000;
  const CuboidsFrame g = MakeCuboidsFrame(p, 240, 120, 0.25f);
  EXPECT_EQ(g.columns, 1);
  EXPECT_EQ(g.rows, 100);
}

TEST(Cuboids2Motion, StraightDirectionsStartAtTheNamedSide) {
  const CuboidsFrame f = Frame(12, 6, 0.4f);
  const double R = 1.0 - double{0.4f};
  // Code 1 moves the last column first, code 2 the first.
  EXPECT_EQ(BlockStartTime(1, f, 11, 0), 0.0f);
  EXPECT_EQ(BlockStartTime(1, f, 0, 0), static_cast<float>(R / 12 * 11));
  EXPECT_EQ(BlockStartTime(2, f, 0, 3), 0.0f);
  EXPECT_EQ(BlockStartTime(2, f, 5, 3), static_cast<float>(R / 12 * 5));
  // Code 3: the last stored row (the top of the picture) first; code 4 the first.
  EXPECT_EQ(BlockStartTime(3, f, 4, 5), 0.0f);
  EXPECT_EQ(BlockStartTime(3, f, 4, 0), static_cast<float>(R / 6 * 5));
  EXPECT_EQ(BlockStartTime(4, f, 4, 2), static_cast<float>(R / 6 * 2));
  // Outside 1..20: 0.
  EXPECT_EQ(BlockStartTime(0, f, 4, 2), 0.0f);
  EXPECT_EQ(BlockStartTime(21, f, 4, 2), 0.0f);
}

TEST(Cuboids2Motion, MiddleColumnFirstNeverLaterThanHalfTheSpread) {
  const CuboidsFrame f = Frame(12, 12, 0.3f);
  const double R = 1.0 - double{0.3f};
  EXPECT_EQ(BlockStartTime(8, f, 6, 0), 0.0f);                           // h = 0
  EXPECT_EQ(BlockStartTime(8, f, 0, 0), static_cast<float>(R / 6 * 3));  // h = 3: R / 2
  EXPECT_EQ(BlockStartTime(8, f, 11, 0), static_cast<float>(R / 6 * 2.5));
  for (int i = 0; i < 12; ++i) EXPECT_LE(BlockStartTime(8, f, i, 0), static_cast<float>(R / 2));
  // Code 7 is the complement: the outer columns first.
  EXPECT_EQ(BlockStartTime(7, f, 0, 0), static_cast<float>(R / 6 * 3));
  EXPECT_EQ(BlockStartTime(7, f, 6, 0), static_cast<float>(R / 6 * 6));
  // Codes 9, 10 do the same with rows.
  EXPECT_EQ(BlockStartTime(10, f, 3, 6), 0.0f);
  EXPECT_EQ(BlockStartTime(9, f, 3, 0), static_cast<float>(R / 6 * 3));
}

TEST(Cuboids2Motion, RadialTurningAndDiagonalStarts) {
  const CuboidsFrame f = Frame(4, 4, 0.5f);
  const double R = 0.5;
  const double J = std::sqrt(8.0);
  // Block (0, 0): L = sqrt(8) = J, so code 6 starts it last (R) and code 5 first (0).
  EXPECT_EQ(BlockStartTime(6, f, 0, 0), static_cast<float>(R / J * J));
  EXPECT_EQ(BlockStartTime(5, f, 0, 0), 0.0f);
  EXPECT_EQ(BlockStartTime(6, f, 2, 2), 0.0f);
  // Code 12 at (i, k) = (0, 2): dy = 0, dx = 2: atan 0 + 90 degrees.
  EXPECT_EQ(BlockStartTime(12, f, 0, 2), static_cast<float>(R * 90 * double{0.0027777778f}));
  EXPECT_EQ(BlockStartTime(11, f, 0, 2), static_cast<float>(R * 270 * double{0.0027777778f}));
  // Code 12 where dx = 0: the tiny stand-in divisor gives nearly +-90 degrees.
  EXPECT_NEAR(BlockStartTime(12, f, 2, 0), R * 180 / 360, 1e-6);
  // Diagonals: C = sqrt(32); code 13 at (1, 2): d = (2 * 4 + 1 * 4) / C.
  const double C = std::sqrt(32.0);
  EXPECT_EQ(BlockStartTime(13, f, 1, 2), static_cast<float>(R / C * (12 / C)));
  EXPECT_EQ(BlockStartTime(14, f, 1, 2), static_cast<float>(R / C * (C - 12 / C)));
  EXPECT_EQ(BlockStartTime(15, f, 1, 2), static_cast<float>(R / C * ((4 * 2 + 4) / C)));
  // Code 17 at (0, 0): h = |trunc(C/2 - 0)| * 0.5 = 1.
  EXPECT_EQ(BlockStartTime(17, f, 0, 0), static_cast<float>(R / (C * 0.5) * 1.0));
  EXPECT_EQ(BlockStartTime(18, f, 0, 0), static_cast<float>(R / (C * 0.5) * (C * 0.5 - 1.0)));
  // Code 19 at (0, 0): along = 4 * 4 = 16: h = |trunc(C/2 - 16 / C)| * 0.5 = 0.
  EXPECT_EQ(BlockStartTime(19, f, 0, 0), 0.0f);
  EXPECT_EQ(BlockStartTime(20, f, 0, 0), static_cast<float>(R));
}

TEST(Cuboids2Motion, SingleBlockCentreCodesStartAtZero) {
  // One block: the largest centre distance is 0. Its start must not become NaN.
  const CuboidsFrame f = Frame(1, 1, 0.5f);
  EXPECT_EQ(BlockStartTime(5, f, 0, 0), 0.0f);
  EXPECT_EQ(BlockStartTime(6, f, 0, 0), 0.0f);
}

TEST(Cuboids2Motion, FullDurationMovesEveryBlockTogether) {
  const CuboidsFrame f = Frame(5, 7, 1.0f);
  for (int code = 1; code <= 20; ++code) {
    for (int k = 0; k < 7; ++k)
      for (int i = 0; i < 5; ++i) EXPECT_EQ(std::fabs(BlockStartTime(code, f, i, k)), 0.0f);
  }
}

TEST(Cuboids2Motion, LocalProgressAndLift) {
  EXPECT_EQ(BlockProgress(0.0f, 0.0f, 0.3f), 0.0f);  // P <= S
  EXPECT_EQ(BlockProgress(0.2f, 0.25f, 0.3f), 0.0f);
  EXPECT_EQ(BlockProgress(0.6f, 0.25f, 0.3f), 1.0f);
  EXPECT_EQ(BlockProgress(0.4f, 0.25f, 0.5f), static_cast<float>((double{0.4f} - 0.25) / 0.5));
  EXPECT_EQ(BlockProgress(0.5f, 0.5f, 0.0f), 0.0f);  // no duration: a step, no division
  EXPECT_EQ(BlockProgress(0.51f, 0.5f, 0.0f), 1.0f);
  EXPECT_EQ(BlockLift(0.0f, 100.0f, false), 0.0f);
  EXPECT_EQ(BlockLift(1.0f, 100.0f, false), 0.0f);
  EXPECT_EQ(BlockLift(0.5f, 100.0f, false), -100.0f);
  EXPECT_EQ(BlockLift(0.5f, 100.0f, true), 400.0f);
  // b = 0.25: l = 0.5, (27 - 1.5^3) / -27 * 100 = -87.5.
  EXPECT_EQ(BlockLift(0.25f, 100.0f, false), -87.5f);
  EXPECT_EQ(BlockLift(0.75f, 100.0f, true), 350.0f);
}

TEST(Cuboids2Motion, RandomPatternsComeFromOneDrawPerBlock) {
  CuboidsParams p = Preset(3);
  Rand15Seed(0);
  std::vector<int32_t> first;
  for (int n = 0; n < 400; ++n) first.push_back(NextRotationPattern(p));
  // The generator from state 0: first draw (2531011 >> 16) & 0x7FFF = 38 -> pattern 0.
  EXPECT_EQ(first[0], 0);
  bool seen[6] = {};
  for (int32_t v : first) {
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 4);  // 32767 * 0.00015259255 is just below 5
    seen[v] = true;
  }
  for (int v = 0; v < 5; ++v) EXPECT_TRUE(seen[v]) << v;
  Rand15Seed(0);
  for (int n = 0; n < 400; ++n) ASSERT_EQ(NextRotationPattern(p), first[n]);
  // Fixed: no draw, out-of-range patterns count as 0.
  p.fixedRotation = 1;
  p.rotationPattern = 5;
  Rand15Seed(77);
  EXPECT_EQ(NextRotationPattern(p), 5);
  EXPECT_EQ(Rand15State(), 77u);
  p.rotationPattern = 6;
  EXPECT_EQ(NextRotationPattern(p), 0);
  p.rotationPattern = -1;
  EXPECT_EQ(NextRotationPattern(p), 0);
}

TEST(Cuboids2Motion, CornersAtRestAreNudgedOffPixelBoundaries) {
  CuboidsParams p = Preset(3);
  const CuboidsFrame f = MakeCuboidsFrame(p, 240, 120, 0.0f);  // cells 20 x 10
  ImagePlane a{}, b{};
  const Cuboid c = MakeCuboidAtRest(p, f, 2, 3, -5.0f, &a, &b);
  EXPECT_EQ(c.corner[0].x, 40.01f);  // 40 has no fraction: nudged
  EXPECT_EQ(c.corner[0].y, 30.01f);
  EXPECT_EQ(c.corner[1].x, 59.01f);  // 59 likewise
  EXPECT_EQ(c.corner[3].y, 39.01f);
  EXPECT_EQ(c.corner[3].z, -5.0f);
  EXPECT_EQ(c.corner[1].u, c.corner[1].x);
  EXPECT_EQ(c.corner[2].v, c.corner[2].y);
  EXPECT_EQ(c.corner[2].w, 0.0f);
  EXPECT_EQ(c.frontLook.colour, 0x0000FFu);
  EXPECT_EQ(c.backLook.colour, 0xFF0000u);
  EXPECT_EQ(c.frontLook.texture, &a);
  EXPECT_EQ(c.backLook.texture, &b);
  EXPECT_EQ(c.depth, 10.0f);
  // Cells of 12.5 pixels: 12.5 keeps its fraction; 2 * 12.5 - 1 = 24 is nudged.
  const CuboidsFrame g = MakeCuboidsFrame(p, 150, 120, 0.0f);
  const Cuboid d = MakeCuboidAtRest(p, g, 1, 0, 0.0f, &a, &b);
  EXPECT_EQ(d.corner[0].x, 12.5f);
  EXPECT_EQ(d.corner[1].x, 24.01f);
}

TEST(Cuboids2Motion, FullTurnOfEveryPatternShowsTheBack) {
  CuboidsParams p = Preset(3);
  const CuboidsFrame f = MakeCuboidsFrame(p, 240, 120, 0.0f);
  ImagePlane a{}, b{};
  for (int pattern = 0; pattern < 6; ++pattern) {
    Cuboid c = MakeCuboidAtRest(p, f, 2, 3, 0.0f, &a, &b);
    TurnCuboid(&c, pattern, 1.0f);
    // A half turn about y: left and right corners swap, the face ends a depth behind.
    EXPECT_NEAR(c.corner[0].x, 59.01f, 1e-3) << pattern;
    EXPECT_NEAR(c.corner[1].x, 40.01f, 1e-3) << pattern;
    EXPECT_NEAR(c.corner[0].y, 30.01f, 1e-3) << pattern;
    EXPECT_NEAR(c.corner[2].y, 39.01f, 1e-3) << pattern;
    EXPECT_NEAR(c.corner[0].z, 10.0f, 1e-3) << pattern;
    EXPECT_NEAR(c.facing.z, 1.0f, 1e-6) << pattern;
  }
}

}  // namespace
}  // namespace zk
