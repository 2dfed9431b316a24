// Extents and pixel orders of the bloom directions, worked by hand on a 7 x 5 picture
// (W/2 = 3, Hs/2 = 2, diagonal sqrt(74) = 8.60) and on the small rectangles where extents
// vanish or orders leave 0..D.
#include "bloom_order.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

struct OrderCase {
  int32_t direction;
  int32_t extent;
  // {x, y, order}
  int32_t samples[4][3];
};

// W = 7, Hs = 5.
const OrderCase kSevenByFive[] = {
    {0, 7, {{0, 0, 0}, {6, 4, 6}, {3, 2, 3}, {5, 0, 5}}},
    {1, 7, {{0, 0, 0}, {6, 4, 6}, {3, 2, 3}, {1, 3, 1}}},
    {2, 7, {{0, 0, 7}, {6, 4, 1}, {3, 2, 4}, {1, 3, 6}}},
    {3, 5, {{0, 0, 5}, {6, 4, 1}, {3, 2, 3}, {1, 3, 2}}},
    {4, 5, {{0, 0, 0}, {6, 4, 4}, {3, 2, 2}, {1, 3, 3}}},
    // r = sqrt(13) = 3.61 at the corners; "circlein" truncates 3 - 3.61 toward zero.
    {5, 3, {{0, 0, 0}, {3, 2, 3}, {4, 3, 1}, {5, 2, 1}}},
    {6, 3, {{0, 0, 3}, {3, 2, 0}, {4, 3, 1}, {6, 4, 3}}},
    {7, 3, {{0, 0, 2}, {3, 2, 3}, {6, 4, 2}, {1, 1, 2}}},
    {8, 3, {{0, 0, 1}, {3, 2, 0}, {6, 4, 1}, {2, 0, 0}}},
    {9, 2, {{0, 0, 1}, {3, 2, 2}, {6, 4, 1}, {1, 3, 2}}},
    {10, 2, {{0, 0, 1}, {3, 2, 0}, {6, 4, 1}, {1, 1, 0}}},
    // atan(2/3) = 33.69 degrees; the centre column divides by 0.00001: 89.99 degrees.
    {11, 360, {{0, 0, 237}, {6, 0, 123}, {3, 4, 359}, {3, 0, 181}}},
    {12, 360, {{0, 0, 123}, {6, 0, 237}, {3, 4, 1}, {3, 0, 179}}},
    {13, 8, {{0, 0, 0}, {6, 4, 7}, {3, 2, 3}, {6, 0, 5}}},
    {14, 8, {{0, 0, 8}, {6, 4, 1}, {3, 2, 5}, {6, 0, 3}}},
    {15, 8, {{0, 0, 3}, {6, 0, 8}, {0, 4, 0}, {6, 4, 5}}},
    {16, 8, {{0, 0, 5}, {6, 0, 0}, {0, 4, 8}, {6, 4, 3}}},
    {17, 4, {{0, 0, 2}, {3, 2, 0}, {6, 4, 1}, {0, 4, 1}}},
    {18, 4, {{0, 0, 2}, {3, 2, 4}, {6, 4, 3}, {0, 4, 3}}},
    {19, 4, {{0, 0, 0}, {6, 0, 2}, {0, 4, 2}, {6, 4, 0}}},
    {20, 4, {{0, 0, 4}, {6, 0, 2}, {0, 4, 2}, {6, 4, 4}}},
};

TEST(BloomOrder, ExtentsAndOrdersOfEveryDirectionOnSevenByFive) {
  for (const OrderCase& c : kSevenByFive) {
    const BloomGeometry g = MakeBloomGeometry(c.direction, 7, 5);
    EXPECT_EQ(g.extent, c.extent) << "direction " << c.direction;
    for (const auto& s : c.samples) {
      EXPECT_EQ(BloomOrder(g, s[0], s[1]), s[2])
          << "direction " << c.direction << " at x " << s[0] << " y " << s[1];
    }
  }
}

TEST(BloomOrder, UnknownDirectionsOrderLikeDirectionZero) {
  for (int32_t direction : {-1, 21, 1000, INT32_MIN}) {
    const BloomGeometry g = MakeBloomGeometry(direction, 7, 5);
    EXPECT_EQ(g.direction, 0);
    EXPECT_EQ(g.extent, 7);
    EXPECT_EQ(BloomOrder(g, 4, 3), 4);
  }
}

TEST(BloomOrder, CentreAngleReachesNinetyFarFromTheCentreRow) {
  // On the centre column (dx = 0) ten lines above the middle the angle comes out at
  // 90.00002 with the degree factor used here, so the order reaches the full quarter.
  const BloomGeometry g = MakeBloomGeometry(12, 9, 40);
  EXPECT_EQ(BloomOrder(g, 4, 10), 180);  // a = 90, dx >= 0
  EXPECT_EQ(BloomOrder(g, 4, 30), 0);    // a = -90
  EXPECT_EQ(BloomOrder(g, 4, 20), 90);   // on the centre itself: atan(0)
}

TEST(BloomOrder, VanishingExtentsOfSmallRectangles) {
  // One column: horzin / horzout have no extent; one line: vertin / vertout.
  EXPECT_EQ(MakeBloomGeometry(7, 1, 9).extent, 0);
  EXPECT_EQ(MakeBloomGeometry(8, 1, 9).extent, 0);
  EXPECT_EQ(MakeBloomGeometry(9, 9, 1).extent, 0);
  EXPECT_EQ(MakeBloomGeometry(10, 9, 1).extent, 0);
  // 1 x 1: the circles (W/2 = Hs/2 = 0) and the double diagonals (sqrt(2) / 2).
  for (int32_t d : {5, 6, 17, 18, 19, 20}) EXPECT_EQ(MakeBloomGeometry(d, 1, 1).extent, 0) << d;
  // The single diagonals and the straight directions keep an extent of 1.
  for (int32_t d : {0, 1, 2, 3, 4, 13, 14, 15, 16})
    EXPECT_EQ(MakeBloomGeometry(d, 1, 1).extent, 1) << d;
  // Field mode doubles the lines: a 1 x 1 rectangle spans 2 lines, sqrt(5) / 2 = 1.1.
  EXPECT_EQ(MakeBloomGeometry(17, 1, 2).extent, 1);
}

TEST(BloomOrder, FallingDiagonalLeavesZeroAtOneCorner) {
  // 2 x 2: D = trunc(sqrt(8)) = 2; at x 1, y 0 the projection 2*2 + 1*2 = 6 gives 6/2 = 3.
  const BloomGeometry g = MakeBloomGeometry(16, 2, 2);
  EXPECT_EQ(g.extent, 2);
  EXPECT_EQ(BloomOrder(g, 1, 0), -1);
  EXPECT_EQ(BloomOrder(g, 0, 1), 1);
}

TEST(BloomOrder, LargeFramesDoNotOverflowTheDiagonals) {
  // 40000 x 40000: y*Hs + x*W reaches 3.2e9, beyond 32 bits.
  const BloomGeometry g = MakeBloomGeometry(13, 40000, 40000);
  EXPECT_EQ(g.extent, 56568);  // sqrt(3.2e9) = 56568.54
  // (39999 * 40000 * 2) / 56568 = 56567.1
  EXPECT_EQ(BloomOrder(g, 39999, 39999), 56567);
}

}  // namespace
}  // namespace zk
