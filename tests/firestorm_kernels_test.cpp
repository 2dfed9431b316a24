// The fire's parts on their own: palette, cooling map, fire step, hot spots, timing and
// overlay, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "cooling_map.h"
#include "fire_overlay.h"
#include "fire_palette.h"
#include "fire_step.h"
#include "fire_timing.h"
#include "firestorm_params.h"
#include "rand15.h"

namespace zk {
namespace {

// The generator written out again, to know where the module's draws leave it.
uint32_t AdvanceLcg(uint32_t state, int draws) {
  for (int i = 0; i < draws; ++i) state = state * 214013u + 2531011u;
  return state;
}

FirestormParams Defaults() {
  FirestormParams p;
  WriteFirestormDefaults(&p);
  return p;
}

TEST(FirestormPalette, KnownPointsAndShape) {
  for (int heat = 0; heat < 28; ++heat) {
    EXPECT_EQ(kFirePalette.red[heat] + kFirePalette.green[heat] + kFirePalette.blue[heat], 0)
        << "heat " << heat << " is black";
  }
  EXPECT_EQ(kFirePalette.red[28], 1);
  EXPECT_EQ(kFirePalette.green[43], 0);
  EXPECT_EQ(kFirePalette.green[44], 1);
  EXPECT_EQ(kFirePalette.blue[109], 0);
  EXPECT_EQ(kFirePalette.blue[110], 1);
  EXPECT_EQ(kFirePalette.red[128], 50);
  EXPECT_EQ(kFirePalette.green[128], 21);
  EXPECT_EQ(kFirePalette.blue[128], 1);
  EXPECT_EQ(kFirePalette.red[255], 62);
  EXPECT_EQ(kFirePalette.green[255], 60);
  EXPECT_EQ(kFirePalette.blue[255], 11);
  EXPECT_EQ(kFirePalette.red[175], 62);
  EXPECT_EQ(kFirePalette.red[174], 61);
  const uint8_t* tables[] = {kFirePalette.red, kFirePalette.green, kFirePalette.blue};
  for (const uint8_t* t : tables) {
    for (int heat = 1; heat < 256; ++heat) {
      const int step = t[heat] - t[heat - 1];
      EXPECT_TRUE(step == 0 || step == 1) << "heat " << heat;
    }
  }
}

TEST(FirestormCoolingMap, TinyMapWorkedByHand) {
  // 4 x 5: two seeds (tiles 0 and 50), both land on cell [0][0] since the tiles are 0
  // cells wide and the offsets (at most 3/10) are 0. The blur then settles after 2 passes.
  const int32_t w = 4, h = 5;
  std::vector<uint8_t> map(w * h, 99);
  Rand15Seed(12345);
  BuildCoolingMap(map.data(), w, h);
  EXPECT_EQ(Rand15State(), AdvanceLcg(0, 4)) << "reseeded with 0, two draws per seed";
  std::vector<uint8_t> expected(w * h, 0);
  expected[0] = 135;
  expected[1 * w + 1] = 17;
  expected[1 * w + 2] = 2;
  expected[2 * w + 1] = 2;
  expected[2 * w + 2] = 2;
  EXPECT_EQ(map, expected);

  // One pass alone: cells already visited count with their new value.
  std::vector<uint8_t> once(w * h, 0);
  once[0] = 135;
  SmoothCoolingMap(once.data(), w, h, 1);
  EXPECT_EQ(once[1 * w + 1], 16);
  EXPECT_EQ(once[1 * w + 2], 2);  // 16 >> 3 from the updated left neighbour
  EXPECT_EQ(once[2 * w + 1], 2);  // (16 + 2) >> 3
  EXPECT_EQ(once[2 * w + 2], 2);  // (16 + 2 + 2) >> 3
  EXPECT_EQ(once[3 * w + 1], 0);
}

TEST(FirestormCoolingMap, SeedsFillEveryTileEqually) {
  const int32_t w = 100, h = 100;
  std::vector<uint8_t> map(w * h, 7);
  SeedCoolingMap(map.data(), w, h);
  int total = 0;
  for (int ty = 0; ty < 10; ++ty) {
    for (int tx = 0; tx < 10; ++tx) {
      int inTile = 0;
      for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
          const uint8_t v = map[(ty * 10 + y) * w + tx * 10 + x];
          ASSERT_TRUE(v == 0 || v == kCoolingSeed);
          inTile += v == kCoolingSeed;
        }
      }
      // Ten seeds a tile; two may share a cell.
      EXPECT_GE(inTile, 5) << "tile " << tx << "," << ty;
      EXPECT_LE(inTile, 10) << "tile " << tx << "," << ty;
      total += inTile;
    }
  }
  EXPECT_GT(total, 900);
  EXPECT_EQ(Rand15State(), AdvanceLcg(0, 2000));
}

TEST(FirestormCoolingMap, OddAndTinySizesStayInside) {
  // Sizes that are no multiple of 10, and ones too small for any tile. The borders are
  // never blurred, so a map without seeds there keeps them 0.
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {5, 3}, {1, 40}, {40, 1}, {23, 17}, {9, 11}};
  for (const auto& s : sizes) {
    const int32_t w = s[0], h = s[1];
    std::vector<uint8_t> map(static_cast<size_t>(w) * h + 16, 0xEE);
    BuildCoolingMap(map.data(), w, h);
    for (size_t i = static_cast<size_t>(w) * h; i < map.size(); ++i) {
      ASSERT_EQ(map[i], 0xEE) << w << "x" << h << " wrote past the map";
    }
    for (int32_t i = 0; i < w * h; ++i) EXPECT_LE(map[i], kCoolingSeed);
  }
}

TEST(FirestormCoolingMap, SameSizeGivesSameMapWhateverCameBefore) {
  std::vector<uint8_t> first(37 * 29), second(37 * 29);
  BuildCoolingMap(first.data(), 37, 29);
  for (int i = 0; i < 1000; ++i) Rand15Next();
  BuildCoolingMap(second.data(), 37, 29);
  EXPECT_EQ(first, second);
}

struct FireGrid {
  int32_t w, h;
  std::vector<uint8_t> cells;
  FireGrid(int32_t width, int32_t height, uint8_t fill)
      : w(width), h(height), cells(static_cast<size_t>(width) * height, fill) {}
  uint8_t& at(int32_t r, int32_t c) { return cells[static_cast<size_t>(r) * w + c]; }
};

TEST(FirestormFireStep, SpreadsCoolsAndRisesBySpeed) {
  FireGrid prev(5, 6, 0), cool(5, 6, 0), cur(5, 6, 77);
  prev.at(2, 2) = 255;
  cool.at(2, 1) = 70;  // more than 255 / 4: the cell goes to 0, not below
  cool.at(3, 2) = 13;
  StepFire(prev.cells.data(), cur.cells.data(), cool.cells.data(), 5, 6, 1);
  // Cell (r, c) lands on row r + 1. Neighbours of the hot cell get 255 / 4 = 63.
  FireGrid expected(5, 6, 77);
  for (int r = 2; r <= 5; ++r)
    for (int c = 1; c <= 3; ++c) expected.at(r, c) = 0;
  expected.at(2, 2) = 63;  // from (1, 2)
  expected.at(3, 1) = 0;   // from (2, 1): 63 - 70
  expected.at(3, 3) = 63;  // from (2, 3)
  expected.at(4, 2) = 50;  // from (3, 2): 63 - 13
  EXPECT_EQ(cur.cells, expected.cells);
}

TEST(FirestormFireStep, SpeedThreeWritesOnlyTheTopRows) {
  FireGrid prev(4, 6, 40), cool(4, 6, 0), cur(4, 6, 5);
  StepFire(prev.cells.data(), cur.cells.data(), cool.cells.data(), 4, 6, 3);
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 4; ++c) {
      const bool written = r >= 4 && c >= 1 && c <= 2;
      EXPECT_EQ(cur.at(r, c), written ? 40 : 5) << r << "," << c;
    }
  }
}

TEST(FirestormFireStep, SpeedZeroStaysInsideTheBuffers) {
  // A speed of 0 is outside the dialog's range; the last source row must still have a
  // row above it. The buffers sit in larger vectors to show any stray write.
  std::vector<uint8_t> prev(4 * 5 + 8, 200), cool(4 * 5 + 8, 0), cur(4 * 5 + 8, 9);
  StepFire(prev.data(), cur.data(), cool.data(), 4, 5, 0);
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 4; ++c) {
      const bool written = r >= 1 && r <= 3 && c >= 1 && c <= 2;
      EXPECT_EQ(cur[r * 4 + c], written ? 200 : 9) << r << "," << c;
    }
  }
  for (size_t i = 20; i < cur.size(); ++i) EXPECT_EQ(cur[i], 9);
}

// A 7 x 7 grey picture (rows padded to 24 bytes) with bytes set by the test.
struct Picture {
  static constexpr int32_t kStride = 24;
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kStride * 7, 100);
  void Set(int32_t r, int32_t c, uint8_t b, uint8_t g, uint8_t red) {
    uint8_t* p = &bytes[r * kStride + 3 * c];
    p[0] = b;
    p[1] = g;
    p[2] = red;
  }
};

TEST(FirestormHotSpots, BrighterThanANeighbourByMoreThanTheThreshold) {
  Picture pic;
  pic.Set(3, 3, 100, 151, 100);  // green 51 above its neighbours
  pic.Set(2, 2, 150, 150, 150);  // exactly 50 above: not more than the threshold
  pic.Set(4, 4, 40, 40, 40);     // darker: its neighbours are brighter than it
  pic.Set(1, 3, 255, 255, 255);  // row 1 is below the searched rows for speed 1
  pic.Set(3, 1, 255, 255, 255);  // column 1 is never searched
  FireGrid fire(7, 7, 0);
  HotSpotSearch search{50, true, 0.0};
  SetHotSpots(fire.cells.data(), 7, 7, 1, pic.bytes.data(), Picture::kStride, search);
  FireGrid expected(7, 7, 0);
  expected.at(3, 3) = 255;
  // (4, 3) and (3, 4) have the dark pixel as neighbour: 100 - 40 > 50.
  expected.at(4, 3) = 255;
  expected.at(3, 4) = 255;
  // (2, 3) sits next to the white pixel at (1, 3), which is brighter, not darker.
  EXPECT_EQ(fire.cells, expected.cells);
}

TEST(FirestormHotSpots, RandomShareDrawsOncePerCandidatePixel) {
  Picture pic;
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c)
      if ((r + c) % 2 == 0) pic.Set(r, c, 200, 200, 200);
  // Speed 2: rows 3..4, columns 2..4, six candidates.
  FireGrid fire(7, 7, 0);
  Rand15Seed(777);
  HotSpotSearch none{0, false, 0.0};
  SetHotSpots(fire.cells.data(), 7, 7, 2, pic.bytes.data(), Picture::kStride, none);
  EXPECT_EQ(Rand15State(), AdvanceLcg(777, 6));
  EXPECT_EQ(fire.cells, FireGrid(7, 7, 0).cells);

  // With half the pixels tested, the bright candidates whose draw is below one half.
  Rand15Seed(4242);
  uint32_t state = 4242;
  FireGrid expected(7, 7, 0);
  for (int r = 3; r <= 4; ++r) {
    for (int c = 2; c <= 4; ++c) {
      state = AdvanceLcg(state, 1);
      const int draw = static_cast<int>((state >> 16) & 0x7FFF);
      if (draw < 16384 && (r + c) % 2 == 0) expected.at(r, c) = 255;
    }
  }
  HotSpotSearch half{0, false, 0.5};
  SetHotSpots(fire.cells.data(), 7, 7, 2, pic.bytes.data(), Picture::kStride, half);
  EXPECT_EQ(fire.cells, expected.cells);
}

TEST(FirestormTiming, DefaultsThroughTheTransition) {
  FirestormParams p = Defaults();
  p.edgeSensitivity = 255;
  FireTiming t = ComputeFireTiming(p, 0.0f);
  EXPECT_EQ(t.crossfade, 0.0);
  EXPECT_EQ(t.hotSpotChance, 0.0);
  EXPECT_EQ(t.edgeThreshold, 255);
  EXPECT_TRUE(t.hotSpots);

  t = ComputeFireTiming(p, 0.005f);  // half way up the ramp: half the share
  EXPECT_NEAR(t.hotSpotChance, 0.2, 1e-6);

  t = ComputeFireTiming(p, 0.155f);  // a quarter into the crossfade: threshold halved
  EXPECT_NEAR(t.crossfade, 0.25, 1e-6);
  EXPECT_EQ(t.edgeThreshold, 127);
  EXPECT_NEAR(t.hotSpotChance, 0.4, 1e-7);

  t = ComputeFireTiming(p, 0.18f);  // the middle: every brighter pixel is hot
  EXPECT_EQ(t.edgeThreshold, 0);

  t = ComputeFireTiming(p, 0.205f);
  EXPECT_EQ(t.edgeThreshold, 127);

  t = ComputeFireTiming(p, 0.32f);
  EXPECT_TRUE(t.hotSpots);
  EXPECT_EQ(t.crossfade, 1.0);
  EXPECT_EQ(t.edgeThreshold, 255);
  t = ComputeFireTiming(p, 0.33f);
  EXPECT_FALSE(t.hotSpots);

  EXPECT_EQ(t.fade, 1.0);
  EXPECT_EQ(t.gain, 3.0);
  t = ComputeFireTiming(p, 0.965f);
  EXPECT_NEAR(t.fade, 0.5, 1e-6);
  t = ComputeFireTiming(p, 1.0f);
  EXPECT_EQ(t.fade, 0.0);

  p.flameVariation = 0.25f;
  EXPECT_EQ(ComputeFireTiming(p, 0.5f).gain, 2.25);
}

TEST(FirestormTiming, SettingsThatWouldDivideByZero) {
  FirestormParams p = Defaults();
  p.flameFadeStart = 1.0f;
  FireTiming t = ComputeFireTiming(p, 1.0f);
  EXPECT_EQ(t.fade, 0.0);
  EXPECT_EQ(ComputeFireTiming(p, 0.99f).fade, 1.0);

  p.hotSpotRampEnd = 0.0f;
  EXPECT_EQ(ComputeFireTiming(p, 0.0f).hotSpotChance, 0.4f);
  EXPECT_EQ(ComputeFireTiming(p, -0.5f).hotSpotChance, 0.0);

  // A crossfade of no length switches at its point.
  EXPECT_EQ(FireCrossfadeFactor(0.3, 0.3, 0.3), 0.0);
  EXPECT_EQ(FireCrossfadeFactor(0.31, 0.3, 0.3), 1.0);
  // Start after end: nothing until the start, then all of B.
  EXPECT_EQ(FireCrossfadeFactor(0.5, 0.6, 0.2), 0.0);
  EXPECT_EQ(FireCrossfadeFactor(0.7, 0.6, 0.2), 1.0);
  const double nan = std::nan("");
  const double n = FireCrossfadeFactor(0.5, nan, 0.4);
  EXPECT_TRUE(n >= 0.0 && n <= 1.0);
}

TEST(FirestormOverlay, AlphaFromThePaletteMean) {
  // Heat 60: levels red 9, green 2, blue 0; mean 11 * 4 / 3 = 14.
  EXPECT_EQ(FireAlpha(60, 1.0, 3.0), 42);
  EXPECT_EQ(FireAlpha(60, 0.5, 3.0), 21);
  // Heat 128: (50 + 21 + 1) * 4 / 3 = 96, times 3 is held at 255.
  EXPECT_EQ(FireAlpha(128, 1.0, 3.0), 255);
  EXPECT_EQ(FireAlpha(20, 1.0, 3.0), 0);
  EXPECT_EQ(FireAlpha(200, 1.0, 0.0), 0);
  EXPECT_EQ(FireAlpha(200, 1.0, -3.0), 0);
  EXPECT_EQ(FireAlpha(200, -0.2, 3.0), 0);
  EXPECT_EQ(FireAlpha(200, std::nan(""), 3.0), 0);
}

TEST(FirestormOverlay, BlendsTowardThePaletteColour) {
  FireBlendTable table;
  MakeFireBlendTable(1.0, 3.0, &table);
  uint8_t row[9] = {100, 100, 100, 100, 100, 100, 10, 20, 30};
  const uint8_t fire[3] = {60, 0, 27};
  OverlayFireRow(row, fire, 3, table);
  // Heat 60: colour (blue 0, green 8, red 36), weight 42 * float(1/255) = 0.164705892.
  EXPECT_EQ(row[0], 83);  // 100 - 16.47
  EXPECT_EQ(row[1], 84);  // 100 - 15.15
  EXPECT_EQ(row[2], 89);  // 100 - 10.54
  const uint8_t untouched[6] = {100, 100, 100, 10, 20, 30};
  EXPECT_EQ(std::memcmp(row + 3, untouched, 6), 0);

  // Full heat at full opacity: the single-precision 1/255 makes the weight a hair above 1,
  // so a byte brighter than the colour overshoots it by one (44 - 1e-5 truncates to 43).
  uint8_t hot[3] = {200, 200, 200};
  const uint8_t full[1] = {255};
  OverlayFireRow(hot, full, 1, table);
  EXPECT_EQ(hot[0], 43);
  EXPECT_EQ(hot[1], 240);
  EXPECT_EQ(hot[2], 248);
}

}  // namespace
}  // namespace zk
