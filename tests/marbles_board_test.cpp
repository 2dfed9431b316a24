// The board of marbles: grid and sampling, motion time and own times, the start orders,
// depth, the turn about the centre, colour intensity and the far-to-near order, worked
// out by hand on the model's own numbers.
#include "marbles_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "float_bits.h"
#include "marbles_params.h"
#include "rand15.h"

namespace zk {
namespace {

MarblesParams Preset(int32_t index) {
  MarblesParams p;
  std::memset(&p, 0, sizeof p);
  ApplyMarblesPreset(&p, index);
  return p;
}

// A scene of `w` x `h` stored rows in memory order, three bytes a pixel, rows padded.
struct Scene {
  int32_t w, h, stride;
  std::vector<uint8_t> bytes;
  Scene(int32_t width, int32_t height)
      : w(width),
        h(height),
        stride(((width * 3 + 3) / 4) * 4),
        bytes(static_cast<size_t>(stride) * height, 0) {}
  uint8_t* At(int32_t x, int32_t row) { return &bytes[static_cast<size_t>(row) * stride + 3 * x]; }
  SceneRows Rows(int32_t lineStep = 1) const {
    return SceneRows{bytes.data(), stride, w, h * lineStep, lineStep};
  }
};

uint32_t Blue(uint32_t c) { return (c >> 16) & 0xFF; }
uint32_t Green(uint32_t c) { return (c >> 8) & 0xFF; }
uint32_t Red(uint32_t c) { return c & 0xFF; }

TEST(MarblesBoard, GridOfSizeThreeHundredthsOnAPalFrame) {
  const MarbleGrid g = MakeMarbleGrid(720, 576, 0.03f);
  EXPECT_EQ(Bits(g.cellSize), Bits(21.6f));
  EXPECT_EQ(g.columns, 33);
  EXPECT_EQ(g.rows, 26);
  EXPECT_EQ(g.count, 858u);

  // Column 712 blue, stored row 561 red: the last cells' far edges. Everything from
  // column 713 and row 562 on green: those strips belong to no marble.
  Scene s(720, 576);
  for (int32_t row = 0; row < 576; ++row) {
    for (int32_t x = 0; x < 720; ++x) {
      uint8_t* p = s.At(x, row);
      p[0] = x == 712 ? 255 : 0;
      p[1] = x >= 713 || row >= 562 ? 255 : 0;
      p[2] = row == 561 ? 255 : 0;
    }
  }
  std::vector<Marble> m(g.count);
  SampleMarbles(s.Rows(), g, m.data());
  for (int32_t r = 0; r < 26; ++r) {
    for (int32_t c = 0; c < 33; ++c) {
      const uint32_t colour = m[r * 33 + c].colour;
      EXPECT_EQ(Green(colour), 0u) << r << "," << c;
      // 22 x 22 samples a cell; a marked line of 22 gives 22 * 255 / 484 = 11.
      EXPECT_EQ(Blue(colour), c == 32 ? 11u : 0u) << r << "," << c;
      EXPECT_EQ(Red(colour), r == 25 ? 11u : 0u) << r << "," << c;
    }
  }
  EXPECT_EQ(m[0].x, 10.8f);
  EXPECT_EQ(m[0].y, 10.8f);
  EXPECT_EQ(m[857].x, 702.0f);  // 32 * 21.6 + 10.8
  EXPECT_EQ(m[857].y, 550.8f);
  EXPECT_EQ(m[857].z, 1.0f);
}

TEST(MarblesBoard, DegenerateSizes) {
  // Wider than high: one column and no rows, so no marbles at all.
  const MarbleGrid whole = MakeMarbleGrid(720, 576, 1.0f);
  EXPECT_EQ(whole.columns, 1);
  EXPECT_EQ(whole.rows, 0);
  EXPECT_EQ(whole.count, 0u);
  for (float size : {0.0f, -0.5f, std::numeric_limits<float>::quiet_NaN()}) {
    const MarbleGrid g = MakeMarbleGrid(8, 6, size);  // cells of one pixel
    EXPECT_EQ(g.cellSize, 1.0f) << size;
    EXPECT_EQ(g.count, 48u) << size;
  }
  EXPECT_EQ(MakeMarbleGrid(720, 576, std::numeric_limits<float>::infinity()).count, 0u);
  EXPECT_GT(MakeMarbleGrid(720, 576, 1e-30f).count, kMaxMarbles);
  EXPECT_GT(MakeMarbleGrid(720, 576, 1e-6f).count, kMaxMarbles);
  EXPECT_LE(MakeMarbleGrid(1920, 1080, 1.0f / 1920).count, kMaxMarbles);  // one-pixel cells
}

TEST(MarblesBoard, SamplingMeansOverlappingCellsAndFieldRows) {
  // S = 3.5: cells 0..3 and 3..6 across (column 3 is read by both), rows 0..3.
  Scene s(7, 4);
  for (int32_t row = 0; row < 4; ++row) {
    for (int32_t x = 0; x < 7; ++x) {
      uint8_t* p = s.At(x, row);
      p[0] = static_cast<uint8_t>(10 * x);
      p[1] = static_cast<uint8_t>(50 * row);
      p[2] = static_cast<uint8_t>(x == 3 ? 200 : 0);
    }
  }
  const MarbleGrid g = MakeMarbleGrid(7, 4, 0.5f);
  ASSERT_EQ(g.cellSize, 3.5f);
  ASSERT_EQ(g.count, 2u);
  std::vector<Marble> m(2);
  SampleMarbles(s.Rows(), g, m.data());
  // Left cell: blue (0+10+20+30)*4/16 = 15, green (0+50+100+150)*4/16 = 75, red 800/16 = 50.
  EXPECT_EQ(m[0].colour, (15u << 16) | (75u << 8) | 50u);
  // Right cell: blue (30+40+50+60)/4 = 45.
  EXPECT_EQ(m[1].colour, (45u << 16) | (75u << 8) | 50u);
  EXPECT_EQ(m[0].x, 1.75f);
  EXPECT_EQ(m[1].x, 5.25f);
  EXPECT_EQ(m[1].y, 1.75f);

  // Field mode: 8 scene rows on 4 stored rows, scene row y on stored row y / 2. S = 3.5
  // over 7 columns: two rows of cells, scene rows 0..3 and 3..6.
  const MarbleGrid f = MakeMarbleGrid(7, 8, 0.5f);
  ASSERT_EQ(f.count, 4u);
  std::vector<Marble> fm(4);
  SampleMarbles(s.Rows(2), f, fm.data());
  // Top cells read stored rows 0, 0, 1, 1: green (0+0+50+50)/4 = 25; lower cells read
  // scene rows 3..6, stored rows 1, 2, 2, 3: (50+100+100+150)/4 = 100.
  EXPECT_EQ(Green(fm[0].colour), 25u);
  EXPECT_EQ(Green(fm[2].colour), 100u);
  EXPECT_EQ(fm[2].y, 5.25f);
}

TEST(MarblesBoard, MotionTimeAndOwnTime) {
  EXPECT_EQ(MotionTime(0.1f, 0.2f), 0.0f);
  EXPECT_EQ(MotionTime(0.2f, 0.2f), 0.0f);
  EXPECT_EQ(MotionTime(0.75f, 0.5f), 0.5f);
  EXPECT_EQ(MotionTime(1.0f, 0.2f), 1.0f);
  EXPECT_EQ(MotionTime(0.0f, -1.0f), 0.5f);
  EXPECT_EQ(MotionTime(1.0f, 1.0f), 0.0f);  // no motion at all, and no division by 0
  EXPECT_EQ(MotionTime(1.0f, std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_EQ(MotionTime(1.0f, -std::numeric_limits<float>::infinity()), 0.0f);

  EXPECT_EQ(MarbleOwnTime(0.2f, 0.25f, 0.5f), 0.0f);
  EXPECT_EQ(MarbleOwnTime(0.5f, 0.25f, 0.5f), 0.5f);
  EXPECT_EQ(MarbleOwnTime(0.75f, 0.25f, 0.5f), 1.0f);
  EXPECT_EQ(MarbleOwnTime(0.8f, 0.25f, 0.5f), 1.0f);
  // A flight of no duration: before its start at rest, after it gone; exactly at its start
  // the frame's own time, so m = 0 rests and m = 1 has gone.
  EXPECT_EQ(MarbleOwnTime(0.29f, 0.3f, 0.0f), 0.0f);
  EXPECT_EQ(MarbleOwnTime(0.31f, 0.3f, 0.0f), 1.0f);
  EXPECT_EQ(MarbleOwnTime(0.3f, 0.3f, 0.0f), 0.3f);
  EXPECT_EQ(MarbleOwnTime(0.0f, 0.0f, 0.0f), 0.0f);
  EXPECT_EQ(MarbleOwnTime(1.0f, 1.0f, 0.0f), 1.0f);
  EXPECT_EQ(MarbleOwnTime(0.5f, 0.2f, std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

struct Board {
  MarbleGrid grid;
  std::vector<Marble> marbles;
};

Board RestingBoard(int32_t w = 720, int32_t h = 576, float size = 0.03f) {
  Board b{MakeMarbleGrid(w, h, size), {}};
  b.marbles.resize(b.grid.count);
  Scene s(w, h);
  SampleMarbles(s.Rows(), b.grid, b.marbles.data());
  return b;
}

TEST(MarblesBoard, BeforeTheMotionEveryMarbleRests) {
  const Board rest = RestingBoard();
  for (int32_t preset = 0; preset < 5; ++preset) {
    Board b = rest;
    MoveMarbles(Preset(preset), b.grid, 720, 576, MotionTime(0.2f, 0.2f), b.marbles.data());
    for (size_t i = 0; i < b.grid.count; ++i) {
      ASSERT_EQ(b.marbles[i].z, 1.0f) << preset << " " << i;
      ASSERT_EQ(b.marbles[i].depthFraction, 0.0f);
      ASSERT_EQ(Bits(b.marbles[i].x), Bits(rest.marbles[i].x));  // no turn at all
      ASSERT_EQ(Bits(b.marbles[i].y), Bits(rest.marbles[i].y));
    }
  }
}

// Marble (13, 16) sits 3.6 pixels left and right of the middle: nearly the centre.
constexpr size_t kCornerMarble = 0;
constexpr size_t kMiddleMarble = 13 * 33 + 16;

TEST(MarblesBoard, DistanceOrdersStartTheRingsInTurn) {
  MarblesParams tub = Preset(0);  // moveTime 0.4: starts spread over 0..0.6
  tub.rotateZ = 0;
  Board b = RestingBoard();
  MoveMarbles(tub, b.grid, 720, 576, 0.3f, b.marbles.data());
  // The corner starts at once: own time 0.3 / 0.4 = 0.75, z = 1 - 3001 * 0.75.
  EXPECT_EQ(b.marbles[kCornerMarble].z, -2249.75f);
  EXPECT_EQ(b.marbles[kCornerMarble].depthFraction, 0.75f);
  // The middle starts at 0.6 * (1 - 5.09 / 445.85), about 0.593: still at rest.
  EXPECT_EQ(b.marbles[kMiddleMarble].z, 1.0f);

  MarblesParams bump = Preset(2);
  b = RestingBoard();
  MoveMarbles(bump, b.grid, 720, 576, 0.3f, b.marbles.data());
  EXPECT_EQ(b.marbles[kCornerMarble].z, 1.0f);  // starts last, at 0.6
  // The middle starts at about 0.00685: own time about (0.3 - 0.00685) / 0.4 = 0.733.
  EXPECT_NEAR(b.marbles[kMiddleMarble].z, 1 - 3001 * 0.7329, 1.0);
  // At the end of the motion every marble has reached the eye.
  b = RestingBoard();
  MoveMarbles(bump, b.grid, 720, 576, 1.0f, b.marbles.data());
  for (const Marble& m : b.marbles) ASSERT_EQ(m.z, -3000.0f);
}

TEST(MarblesBoard, AMarblesOwnTimeStaysInDouble) {
  // The corner leaves first under "Tub" (start 0); with moveTime 0.75 at m = 0.5 its own
  // time is 2/3, which no float holds: z = 1 - 3001 * 2/3 = -1999.666..., rounded once.
  MarblesParams tub = Preset(0);
  tub.rotateZ = 0;
  tub.moveTime = 0.75f;
  Board b = RestingBoard();
  MoveMarbles(tub, b.grid, 720, 576, 0.5f, b.marbles.data());
  const float z = b.marbles[kCornerMarble].z;
  EXPECT_EQ(z, static_cast<float>(1 - 3001 * (2.0 / 3.0)));
  EXPECT_NE(z, static_cast<float>(1 - 3001.0 * static_cast<float>(2.0 / 3.0)));
}

TEST(MarblesBoard, TheBoardTurnsAboutItsOwnFlightDepth) {
  // Board Sample at m = 0.5: every marble at z = 1 - 3001 * 0.5 = -1499.5, turned 90
  // degrees about x and -90 about z around (360, 288, 1 - 3000 * 0.5 = -1499).
  Board b = RestingBoard();
  MoveMarbles(Preset(1), b.grid, 720, 576, 0.5f, b.marbles.data());
  // About x the offset (dy, -0.5) becomes (0.5, dy): the top row (y 10.8) comes forward.
  EXPECT_NEAR(b.marbles[0].z, -1499 + (10.8 - 288), 0.01);
  EXPECT_NEAR(b.marbles[25 * 33].z, -1499 + (550.8 - 288), 0.01);
  // Then about z by -90: x' = 360 + dy', y' = 288 - dx (dy' = 0.5 for every marble).
  EXPECT_NEAR(b.marbles[0].x, 360.5, 0.01);
  EXPECT_NEAR(b.marbles[0].y, 288 - (10.8 - 360), 0.01);
  EXPECT_NEAR(b.marbles[0].depthFraction, (1 + 1776.2) / 3001, 1e-5);
  // At the end the board has reached the eye, where nothing is drawn; turned half round
  // about a centre one pixel nearer it would stop at -2998 instead.
  b = RestingBoard();
  MoveMarbles(Preset(1), b.grid, 720, 576, 1.0f, b.marbles.data());
  for (const Marble& m : b.marbles) {
    ASSERT_EQ(m.z, -3000.0f);
    ASSERT_EQ(m.depthFraction, 1.0f);
  }
}

TEST(MarblesBoard, AMarbleTurnedBehindThePlaneHasANegativeDepthFraction) {
  // A short flight (viewDistance 100) with a full turn about x, every marble on the frame's
  // time: at m = 0.25 the rows stand on edge 90 degrees about their own depth -24.25, and
  // the bottom row swings 262.8 pixels behind the image plane.
  MarblesParams p = Preset(0);
  p.viewDistance = 100;
  p.rotateX = 360;
  p.rotateZ = 0;
  p.moveTime = 1.0f;
  Board b = RestingBoard();
  MoveMarbles(p, b.grid, 720, 576, 0.25f, b.marbles.data());
  const Marble& turned = b.marbles[25 * 33 + 16];
  EXPECT_NEAR(turned.z, -24.25 + (550.8 - 288), 0.01);
  EXPECT_NEAR(turned.depthFraction, (1 - (-24.25 + 262.8)) / 101, 1e-4);
  EXPECT_LT(turned.depthFraction, 0.0f);
  // A record whose flight has no depth at all (viewDistance -1) stays at rest.
  p.viewDistance = -1;
  b = RestingBoard();
  MoveMarbles(p, b.grid, 720, 576, 0.25f, b.marbles.data());
  EXPECT_EQ(b.marbles[0].depthFraction, 0.0f);
}

TEST(MarblesBoard, RandomStartsAreTheSameOnEveryFrame) {
  MarblesParams p = Preset(3);  // moveTime 0.25: starts over 0..0.75
  // The classic generator from seed 0, worked out here.
  uint32_t state = 0;
  std::vector<float> starts;
  for (int i = 0; i < 858; ++i) {
    state = state * 214013u + 2531011u;
    const int32_t q = static_cast<int32_t>((state >> 16) & 0x7FFF);
    starts.push_back(static_cast<float>(q * static_cast<double>(3.0518509e-05f) * 0.75));
  }
  EXPECT_EQ(starts[0], static_cast<float>(38 * static_cast<double>(3.0518509e-05f) * 0.75));
  for (float m : {0.1f, 0.4f, 0.7f}) {
    Rand15Seed(12345);  // whatever came before
    Rand15Next();
    Board b = RestingBoard();
    MoveMarbles(p, b.grid, 720, 576, m, b.marbles.data());
    for (size_t i = 0; i < 858; ++i) {
      const double own = MarbleOwnTime(m, starts[i], 0.25f);
      ASSERT_EQ(b.marbles[i].z, static_cast<float>(1 - 3001.0 * own)) << m << " " << i;
      ASSERT_EQ(b.marbles[i].z<1.0f, m> starts[i]) << m << " " << i;
    }
  }
}

TEST(MarblesBoard, ColourIntensity) {
  const uint32_t c = (200u << 16) | (100u << 8) | 30u;  // mean 110
  EXPECT_EQ(IntensifyColour(c, 0.0f), 0x6E6E6Eu);
  EXPECT_EQ(IntensifyColour(c, 1.0f), c);
  EXPECT_EQ(IntensifyColour(c, 2.0f), (255u << 16) | (90u << 8) | 0u);  // 290 and -50 held
  EXPECT_EQ(IntensifyColour(c, 0.5f), (155u << 16) | (105u << 8) | 70u);
  // 0.3f is a little above 0.3: 110 - 3.0000001 truncates to 106, 110 - 24.000001 to 85.
  EXPECT_EQ(IntensifyColour(c, 0.3f), (137u << 16) | (106u << 8) | 85u);
  EXPECT_EQ(IntensifyColour(c, std::numeric_limits<float>::quiet_NaN()), 0u);
  EXPECT_EQ(IntensifyColour(c, 1e30f), (255u << 16) | (0u << 8) | 0u);
  // Exactly 1 leaves even bytes the rule would round untouched.
  std::vector<Marble> m(1);
  m[0].colour = c;
  IntensifyColours(1.0f, m.data(), 1);
  EXPECT_EQ(m[0].colour, c);
  IntensifyColours(0.0f, m.data(), 1);
  EXPECT_EQ(m[0].colour, 0x6E6E6Eu);
}

TEST(MarblesBoard, FarToNearOrderIsStable) {
  const float z[] = {1, 5, 1, 7, 5, -3, 7};
  std::vector<Marble> m(7);
  for (size_t i = 0; i < 7; ++i) m[i].z = z[i];
  std::vector<uint32_t> order(7), scratch(7);
  SortFarToNear(m.data(), 7, order.data(), scratch.data());
  EXPECT_EQ(order, (std::vector<uint32_t>{3, 6, 1, 4, 0, 2, 5}));

  // Many equal depths: the same as a stable sort.
  std::vector<Marble> many(1001);
  for (size_t i = 0; i < many.size(); ++i) many[i].z = static_cast<float>((i * 7919) % 13);
  std::vector<uint32_t> o(many.size()), s(many.size()), expected(many.size());
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<uint32_t>(i);
  std::stable_sort(expected.begin(), expected.end(),
                   [&](uint32_t a, uint32_t b) { return many[a].z > many[b].z; });
  SortFarToNear(many.data(), many.size(), o.data(), s.data());
  EXPECT_EQ(o, expected);
  SortFarToNear(many.data(), 0, o.data(), s.data());  // nothing to do
}

}  // namespace
}  // namespace zk
