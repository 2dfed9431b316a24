// The faster paths of the effects against the plain ones they replace, byte for byte, where
// a whole render cannot reach them (whole renders with both are compared by
// tests/plain_kernels_identity.sh): the bubble's row samples, the twister's pose tables,
// firestorm's hot spots, the rays' map and composite, bloom's row orders, position tables
// and run copies.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "bloom_blend.h"
#include "bloom_order.h"
#include "bloom_params.h"
#include "bloom_timing.h"
#include "bubble_geometry.h"
#include "cooling_map.h"
#include "fire_random.h"
#include "fire_step.h"
#include "pixel_rows.h"
#include "rand15.h"
#include "ray_casting.h"
#include "rays_render.h"
#include "speed_test_support.h"
#include "twister_params.h"
#include "twister_render.h"

namespace zk {
namespace {

using test::kSpeedProgress;
using test::RandomFrame;

TEST(SpeedBubble, RowSamplesEqualThePixelSamples) {
  const int32_t sizes[][2] = {{1, 1},   {2, 2},   {3, 5},    {4, 4},     {5, 3},
                              {33, 17}, {64, 64}, {161, 91}, {160, 180}, {720, 576}};
  for (const auto& size : sizes) {
    for (double t : {0.0, 0.1, 0.25, 0.333, 0.3331, 0.5, 0.75, 0.99, 1.0}) {
      const BubbleShape shape = MakeBubbleShape(size[0], size[1], t);
      std::vector<uint8_t> memory(BubbleRowTablesBytes(shape));
      BubbleRowTables tables;
      ASSERT_TRUE(MakeBubbleRowTables(shape, memory.data(), &tables));
      std::vector<BubbleSample> row(size[0]);
      for (int32_t y = 0; y < size[1]; ++y) {
        SampleBubbleRow(tables, y, row.data());
        for (int32_t x = 0; x < size[0]; ++x) {
          const BubbleSample e = SampleBubble(shape, x, y);
          ASSERT_TRUE(e.x == row[x].x && e.y == row[x].y && e.inside == row[x].inside)
              << size[0] << "x" << size[1] << " t " << t << " at " << x << "," << y;
        }
      }
    }
  }
  // Frames too large for exact fixed divisions are left to the pixel samples.
  const BubbleShape huge = MakeBubbleShape(40000, 30000, 0.5);
  BubbleRowTables tables;
  EXPECT_FALSE(MakeBubbleRowTables(huge, nullptr, &tables));
}

TEST(SpeedTwister, PoseTablesGiveTheRowsOfTwistRow) {
  const FrameImage source = RandomFrame(203, 2, 4);
  for (int32_t width : {1, 2, 3, 17, 160, 203}) {
    for (int32_t mode : {0, 1, 2}) {
      TwisterParams params;
      WriteTwisterDefaults(&params);
      params.shadingMode = mode;
      params.bendDegrees = 540;
      params.turnTime = 0.3f;
      const PixelBgr shade{12, 200, 77};
      std::vector<float> columns(width);
      TwistRowTables tables;
      tables.angle = -1;
      tables.columns = columns.data();
      for (int32_t step = 0; step <= 400; ++step) {
        // Rows at every stage of their turn, some of them in the same pose one after another.
        const TwisterRowPose pose = TwisterPoseForRow(0.2f, 0.2f + step * 0.0007f, params);
        std::vector<uint8_t> plain(width * 3 + 1, 0x33), fast(width * 3 + 1, 0x33);
        TwistRow(plain.data(), source.pixels.data(), width, pose, shade);
        PrepareTwistRowTables(width, pose, shade, &tables);
        TwistRowWithTables(fast.data(), source.pixels.data(), width, pose, tables);
        ASSERT_EQ(plain, fast) << "width " << width << " mode " << mode << " angle " << pose.angle;
      }
    }
  }
}

TEST(SpeedFirestorm, HotSpotsWithABoundOnTheDrawsLikeThePlainSearch) {
  const FrameImage picture = RandomFrame(97, 61, 21);
  for (double chance : {0.0, 1e-9, 0.05, 0.3, 0.5, 0.99, 1.0, 2.0, -1.0}) {
    const int32_t bound = DrawsBelowChance(chance);
    for (int32_t draw = 0; draw < 32768; ++draw) {
      ASSERT_EQ(Rand15ToUnit(draw) < chance, draw < bound) << chance << " " << draw;
    }
    for (int32_t threshold : {-3, 0, 20, 90, 300}) {
      for (bool testAll : {false, true}) {
        const HotSpotSearch search{threshold, testAll, chance};
        std::vector<uint8_t> plain(97 * 61, 7), fast(97 * 61, 7);
        Rand15Seed(77);
        SetHotSpotsPlain(plain.data(), 97, 61, 3, picture.pixels.data(), picture.stride, search);
        const uint32_t plainState = Rand15State();
        Rand15Seed(77);
        SetHotSpots(fast.data(), 97, 61, 3, picture.pixels.data(), picture.stride, search);
        ASSERT_EQ(plainState, Rand15State());
        ASSERT_EQ(plain, fast) << chance << " " << threshold << " " << testAll;
      }
    }
  }
}

TEST(SpeedFirestorm, HotSpotsInBandsStartingFromTheDrawsAboveGiveTheWholeSearch) {
  const FrameImage picture = RandomFrame(41, 37, 5);
  for (bool testAll : {false, true}) {
    const HotSpotSearch search{30, testAll, 0.4};
    // Speed 3 searches rows 4..34, 37 candidate columns a row.
    ASSERT_EQ(HotSpotDrawsAbove(41, 37, 3, search, 10), testAll ? 0 : 6 * 37);
    ASSERT_EQ(HotSpotDrawsAbove(41, 37, 3, search, 37), testAll ? 0 : 31 * 37);
    std::vector<uint8_t> whole(41 * 37, 0);
    Rand15Seed(99);
    SetHotSpots(whole.data(), 41, 37, 3, picture.pixels.data(), picture.stride, search);
    const uint32_t after = Rand15State();
    for (const std::vector<int32_t>& cuts :
         {std::vector<int32_t>{0, 2, 5, 37}, {0, 17, 18, 30, 37}, {0, 36, 37}}) {
      std::vector<uint8_t> banded(41 * 37, 0);
      for (size_t i = cuts.size() - 1; i > 0; --i) {  // the last band first
        const int64_t above = HotSpotDrawsAbove(41, 37, 3, search, cuts[i - 1]);
        Rand15Seed(Rand15StateAfter(99, static_cast<uint64_t>(above)));
        SetHotSpots(banded.data(), 41, 37, 3, picture.pixels.data(), picture.stride, search,
                    cuts[i - 1], cuts[i]);
        if (i == cuts.size() - 1) {
          ASSERT_EQ(Rand15State(), after);
        }
      }
      ASSERT_EQ(banded, whole) << testAll << " " << cuts.size();
    }
  }
}

TEST(SpeedRays, RaysWalkedFourAtATimeAndInPiecesGiveTheSameMap) {
  const int32_t sizes[][2] = {{1, 1}, {2, 3}, {3, 5}, {7, 2}, {33, 17}, {97, 61}, {160, 90}};
  uint32_t seed = 17;
  for (const auto& size : sizes) {
    const int32_t w = size[0], h = size[1];
    std::vector<uint8_t> mask(w * h);
    for (uint8_t& m : mask) m = (test::NextRandom(&seed) % 3 == 0) ? 255 : 0;
    // The source anywhere inside, on every edge and one cell past the far edges.
    const int32_t cols[] = {0, 1, w / 2, w - 1, w};
    const int32_t rows[] = {0, h / 3, h - 1, h};
    for (int32_t lx : cols) {
      for (int32_t ly : rows) {
        for (int32_t density : {1, 40, 255}) {
          std::vector<uint8_t> plain(w * h, 0), fast(w * h, 0);
          CastRaysPlain(mask.data(), plain.data(), w, h, lx, ly, density);
          CastRays(mask.data(), fast.data(), w, h, lx, ly, density);
          ASSERT_EQ(plain, fast) << w << "x" << h << " light " << lx << "," << ly << " density "
                                 << density;
          // In pieces, each phase's last piece first: no piece may depend on their order.
          for (int32_t pieces : {1, 2, 3, 7, 16}) {
            std::vector<uint8_t> cut(w * h, 0);
            const RayCast cast(mask.data(), cut.data(), w, h, lx, ly, density, pieces);
            for (int32_t phase = 0; phase < 2; ++phase) {
              for (int32_t i = cast.Pieces(phase) - 1; i >= 0; --i) cast.Walk(phase, i);
            }
            ASSERT_EQ(plain, cut) << w << "x" << h << " light " << lx << "," << ly << " in "
                                  << pieces;
          }
        }
      }
    }
  }
}

TEST(SpeedRays, CompositeByLevelsGivesThePlainBytes) {
  const int32_t width = 211;
  const FrameImage source = RandomFrame(width, 1, 31);
  uint32_t seed = 9;
  std::vector<uint8_t> mask(width), rays(width), colourRow(3 * width), levels(3 * width);
  for (double phase : {0.0, 0.001, 0.3, 0.5, 0.77, 1.0}) {
    for (uint32_t colour : {0x000000u, 0xFFFFFFu, 0x3399FFu, 0x10E080u}) {
      for (int32_t x = 0; x < width; ++x) {
        mask[x] = test::NextRandom(&seed) % 2 ? 255 : 0;
        rays[x] = static_cast<uint8_t>(test::NextRandom(&seed));
      }
      FillRowPixel(colourRow.data(), width, ColourToPixel(colour));
      std::vector<uint8_t> plain(3 * width + 1, 0x44), fast(3 * width + 1, 0x44);
      CompositeRaysRow(plain.data(), source.pixels.data(), mask.data(), rays.data(), width, phase,
                       colour);
      CompositeRaysRowByLevels(fast.data(), source.pixels.data(), mask.data(), rays.data(), width,
                               phase, colourRow.data(), levels.data());
      ASSERT_EQ(plain, fast) << phase << " " << colour;
    }
  }
}

TEST(SpeedFirestorm, CoolingMapSmoothedRowByRowLikeThePlainPasses) {
  const int32_t sizes[][2] = {{1, 1}, {2, 5}, {3, 3}, {17, 9}, {161, 91}};
  uint32_t seed = 41;
  for (const auto& size : sizes) {
    std::vector<uint8_t> plain(size[0] * size[1]);
    for (uint8_t& v : plain) v = static_cast<uint8_t>(test::NextRandom(&seed));
    std::vector<uint8_t> fast = plain;
    SmoothCoolingMap(plain.data(), size[0], size[1], 12);
    SmoothCoolingMapFast(fast.data(), size[0], size[1], 12);
    ASSERT_EQ(plain, fast) << size[0] << "x" << size[1];
  }
}

struct Shape {
  int32_t width;
  int32_t lines;
};

TEST(SpeedBloom, RowOrdersEqualThePixelOrders) {
  const Shape shapes[] = {{1, 1},   {2, 2},     {3, 5},    {1, 9},     {9, 1},
                          {33, 17}, {160, 180}, {161, 91}, {641, 359}, {0, 4}};
  for (int32_t direction = 0; direction <= 20; ++direction) {
    for (const Shape& s : shapes) {
      const BloomGeometry g = MakeBloomGeometry(direction, s.width, s.lines);
      BloomRowOrders r;
      MakeBloomRowOrders(g, &r);
      std::vector<int32_t> orders(s.width + 1, 12345);
      for (int32_t y = 0; y < s.lines; ++y) {
        BloomOrderRow(r, y, orders.data());
        for (int32_t x = 0; x < s.width; ++x) {
          int32_t expected = g.extent != 0 ? BloomOrder(g, x, y) : 0;
          if (expected < 0) expected = 0;
          ASSERT_EQ(expected, orders[x]) << "direction " << direction << " " << s.width << "x"
                                         << s.lines << " at " << x << "," << y;
        }
        ASSERT_EQ(12345, orders[s.width]);
      }
    }
  }
}

TEST(SpeedBloom, PositionTableGivesTheWorkedPositions) {
  for (int32_t direction : {0, 3, 6, 11, 16, 20}) {
    for (float duration : {0.01f, 0.25f, 0.5f, 1.0f}) {
      const BloomGeometry g = MakeBloomGeometry(direction, 97, 61);
      BloomRowOrders r;
      MakeBloomRowOrders(g, &r);
      for (float p : kSpeedProgress) {
        BloomPositionTable table;
        table.step = BloomStartStep(duration, g.extent);
        table.duration = duration;
        table.progress = p;
        table.count = g.extent + 3;
        std::vector<float> byOrder(table.count);
        table.byOrder = byOrder.data();
        FillBloomPositionTable(&table);
        std::vector<int32_t> orders(97);
        std::vector<float> fast(97), plain(97);
        for (int32_t y = 0; y < 61; y += 5) {
          BloomOrderRow(r, y, orders.data());
          orders[0] = table.count + 4;  // an order past the table is worked out
          BloomPositionsFromOrders(table, orders.data(), 97, fast.data());
          BloomLocalPositionRow(g, y, table.step, duration, p, plain.data());
          plain[0] = BloomLocalPosition(table.count + 4, table.step, duration, p);
          ASSERT_EQ(plain, fast) << direction << " " << duration << " " << p << " " << y;
        }
      }
    }
  }
}

TEST(SpeedBloom, RunsGiveTheBlendedBytesAndTheSameDraws) {
  uint32_t seed = 3;
  const int32_t width = 203;
  const FrameImage a = RandomFrame(width, 1, 8);
  const FrameImage b = RandomFrame(width, 1, 9);
  const float special[] = {0x1p-12f,
                           0x1p-10f,
                           0.002f,
                           0x1p-7f,
                           0.25f,
                           0.4999f,
                           0.5f,
                           0.5001f,
                           0.75f,
                           0.999f,
                           std::nextafter(1.0f, 0.0f)};
  for (int32_t round = 0; round < 60; ++round) {
    // Runs of settled pixels, runs sharing one position, and pixels each on their own way.
    std::vector<float> f(width);
    for (int32_t x = 0; x < width;) {
      const int32_t kind = static_cast<int32_t>(test::NextRandom(&seed) % 5);
      const int32_t run = 1 + static_cast<int32_t>(test::NextRandom(&seed) % 17);
      const float shared = kind == 3 ? special[test::NextRandom(&seed) % 11]
                                     : (test::NextRandom(&seed) % 100001) / 100000.0f;
      for (int32_t i = 0; i < run && x < width; ++i, ++x) {
        switch (kind) {
          case 0:
            f[x] = 0.0f;
            break;
          case 1:
            f[x] = 1.0f;
            break;
          case 4:
            f[x] = (test::NextRandom(&seed) % 10001) / 10000.0f;
            break;
          default:
            f[x] = shared;
            break;
        }
      }
    }
    for (int32_t mode = -1; mode <= 5; ++mode) {
      std::vector<uint8_t> fast(width * 3 + 1, 0x77), plain(width * 3 + 1, 0x77);
      Rand15Seed(1000 + round);
      BloomBlendRow(mode, fast.data(), a.pixels.data(), b.pixels.data(), f.data(), width);
      const int32_t nextFast = Rand15Next();
      Rand15Seed(1000 + round);
      BloomBlendRowPlain(mode, plain.data(), a.pixels.data(), b.pixels.data(), f.data(), width);
      ASSERT_EQ(Rand15Next(), nextFast) << "mode " << mode;
      ASSERT_EQ(plain, fast) << "mode " << mode << " round " << round;
      if (BloomModeHasRuns(mode)) {
        std::vector<BloomRun> runs(width);
        std::vector<uint8_t> planned(width * 3 + 1, 0x77);
        const int32_t count = PlanBloomRuns(mode, f.data(), width, runs.data());
        BloomBlendPlannedRow(mode, planned.data(), a.pixels.data(), b.pixels.data(), f.data(),
                             runs.data(), count);
        ASSERT_EQ(plain, planned) << "mode " << mode << " round " << round;
      }
    }
  }
}

TEST(SpeedBloom, SharedPositionsGiveThePlainBytesForEveryPair) {
  // One position over a row holding every (a, b) pair, for positions of every kind.
  const int32_t width = 65536;
  std::vector<uint8_t> a(3 * width), b(3 * width);
  for (int32_t x = 0; x < width; ++x) {
    for (int32_t k = 0; k < 3; ++k) {
      a[3 * x + k] = static_cast<uint8_t>(x + 85 * k);
      b[3 * x + k] = static_cast<uint8_t>((x >> 8) + 85 * k);
    }
  }
  std::vector<float> positions = {0x1p-20f, 0x1p-11f,    0x1p-10f, 0.001f,   0x1p-7f,
                                  0.0078f,  0.1f,        0.25f,    1.0f / 3, 0.49999997f,
                                  0.5f,     0.50000006f, 0.6f,     0.9f,     0.99999994f};
  uint32_t seed = 12;
  for (int32_t i = 0; i < 30; ++i) positions.push_back((test::NextRandom(&seed) % 999983) / 1e6f);
  std::vector<float> f(width);
  std::vector<uint8_t> fast(3 * width), plain(3 * width);
  for (float p : positions) {
    for (float& v : f) v = p;
    for (int32_t mode : {0, 1, 2}) {
      BloomBlendRow(mode, fast.data(), a.data(), b.data(), f.data(), width);
      BloomBlendRowPlain(mode, plain.data(), a.data(), b.data(), f.data(), width);
      ASSERT_TRUE(plain == fast) << "mode " << mode << " f " << p;
    }
  }
}

}  // namespace
}  // namespace zk
