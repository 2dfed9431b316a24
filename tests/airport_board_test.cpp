// The split-flap board's layout, flip timing, card choice and flap light, worked by hand.
#include "airport_board.h"

#include <gtest/gtest.h>

#include <vector>

#include "airport_params.h"

namespace zk {
namespace {

TEST(AirportBoardTest, DefaultGeometryAt320x180) {
  BoardGeometry g;
  ASSERT_TRUE(ComputeBoardGeometry(AirportDefaults(), 320, 180, &g));
  EXPECT_EQ(9, g.borderTop);    // trunc(5 x 180 x 0.01 + 0.4999)
  EXPECT_EQ(16, g.borderLeft);  // trunc(320 x 5 x 0.01 + 0.4999) = trunc(16.4999)
  EXPECT_EQ(4, g.rowGap);       // trunc(180 x 20 x 0.001 + 0.4999) = trunc(4.0999)
  EXPECT_EQ(3, g.columnGap);    // trunc(3.2 + 0.4999)
  EXPECT_EQ(37, g.tileHeight);  // trunc((180 - 18 - 12) / 4 + 0.4999) = trunc(37.9999)
  EXPECT_EQ(45, g.tileWidth);   // trunc((320 - 32 - 15) / 6 + 0.4999) = trunc(45.9999)
  EXPECT_EQ(18, g.halfHeight);
}

TEST(AirportBoardTest, TileSizesAreRoundedShares) {
  AirportParams p = AirportDefaults();
  p.borderHorizontal = p.borderVertical = p.gapHorizontal = p.gapVertical = 0;
  p.tilesAcross = 3;
  p.tilesDown = 1;
  BoardGeometry g;
  // 5 / 3 = 1.67 rounds to 2 (the share is taken before the 0.4999 is added).
  ASSERT_TRUE(ComputeBoardGeometry(p, 5, 1, &g));
  EXPECT_EQ(2, g.tileWidth);
  EXPECT_EQ(1, g.tileHeight);
  EXPECT_EQ(0, g.halfHeight);
  // Two rows of tiles in one pixel: 0.5 + 0.4999 is below one.
  p.tilesDown = 2;
  EXPECT_FALSE(ComputeBoardGeometry(p, 5, 1, &g));
  p.tilesDown = 0;
  EXPECT_FALSE(ComputeBoardGeometry(p, 5, 1, &g));
}

TEST(AirportBoardTest, TilePlacesRowByRow) {
  AirportParams p = AirportDefaults();
  BoardGeometry g;
  ASSERT_TRUE(ComputeBoardGeometry(p, 320, 180, &g));
  int32_t x, y;
  TilePlace(p, g, 0, &x, &y);
  EXPECT_EQ(16, x);
  EXPECT_EQ(9, y);
  TilePlace(p, g, 8, &x, &y);  // row 1, column 2
  EXPECT_EQ(16 + 2 * 48, x);
  EXPECT_EQ(9 + 41, y);
}

TEST(AirportBoardTest, FlipTiming) {
  // E = 40, 8 frames a flip, frame 13: step 1 of 5, 5 frames in, 5 x 180 / 8 = 112 degrees.
  FlipTiming t = ComputeFlipTiming(8, 40, 13);
  EXPECT_EQ(8, t.framesPerFlip);
  EXPECT_EQ(1, t.step);
  EXPECT_EQ(5, t.stepCount);
  EXPECT_EQ(112, t.phaseAngle);
  // More frames a flip than the transition has: one step only.
  t = ComputeFlipTiming(50, 5, 3);
  EXPECT_EQ(5, t.framesPerFlip);
  EXPECT_EQ(1, t.stepCount);
  EXPECT_EQ(0, t.step);
  EXPECT_EQ(108, t.phaseAngle);
  // A record with 0 frames a flip flips every frame instead of dividing by zero.
  t = ComputeFlipTiming(0, 10, 7);
  EXPECT_EQ(1, t.framesPerFlip);
  EXPECT_EQ(7, t.step);
  EXPECT_EQ(10, t.stepCount);
  EXPECT_EQ(0, t.phaseAngle);
}

TEST(AirportBoardTest, FlapLightIsDarkestAt45AndBrightestAt135) {
  // l = -1: 1 - 35 x 0.01f = 0.6500000078, whose nearest float is 0.65000004.
  EXPECT_EQ(0.65000004f, FlapLight(45, 35));
  EXPECT_EQ(1.35f, FlapLight(135, 35));  // l = 1
  EXPECT_EQ(1.0f, FlapLight(0, 35));     // lying on the tile: unshaded
  EXPECT_EQ(1.0f, FlapLight(180, 35));
  EXPECT_EQ(1.0f, FlapLight(45, 0));  // no shading at all
  EXPECT_NEAR(0.825, FlapLight(67, 35), 0.01);
  EXPECT_NEAR(0.0, FlapLight(45, 100), 1e-6);  // 1 - 100 x 0.01f
}

// A 1 x 2 board with two steps, now in step 1.
struct TwoTiles {
  AirportParams p = AirportDefaults();
  BoardGeometry g{};
  FlapTile tiles[2];
  TwoTiles(int32_t spread, int32_t frameIndex) {
    p.tilesDown = 1;
    p.tilesAcross = 2;
    p.angleSpread = static_cast<uint8_t>(spread);
    EXPECT_TRUE(ComputeBoardGeometry(p, 40, 20, &g));
    const FlipTiming t = ComputeFlipTiming(2, 4, frameIndex);
    EXPECT_TRUE(BuildFlapTiles(p, g, t, tiles));
  }
};

TEST(AirportBoardTest, CardsAndFinalStepsWorkedByHand) {
  // Cards: draws with bound 2 and salts 0..3 from a reset pool give entries 0, 2, 3, 3:
  // 31, 29, 226, 226 -> cards 1, 1 | 0, 0. Final steps: entries 0 and 2 -> 1 and 1.
  TwoTiles board(0, 2);  // frame 2 of 4, two frames a flip: step 1, angle 0
  const FlapTile& t0 = board.tiles[0];
  EXPECT_EQ(1, t0.finalStep);
  EXPECT_EQ(1, t0.lowerCard);  // the previous step's card, scene A (tile 0 is even)
  EXPECT_EQ(0, t0.lowerScene);
  EXPECT_EQ(0, t0.upperCard);  // settling now: its own piece of scene B on top
  EXPECT_NE(0, t0.upperScene);
  EXPECT_EQ(0, t0.angle);
  const FlapTile& t1 = board.tiles[1];
  EXPECT_EQ(1, t1.finalStep);
  EXPECT_EQ(1, t1.lowerCard);  // the previous step's card, scene B (tile 1 is odd)
  EXPECT_NE(0, t1.lowerScene);
  EXPECT_EQ(1, t1.upperCard);
  EXPECT_NE(0, t1.upperScene);
  EXPECT_EQ(board.g.borderTop, t0.y);
  EXPECT_EQ(t0.x + board.g.tileWidth + board.g.columnGap, t1.x);
}

TEST(AirportBoardTest, AngleSpreadDrawsFollowTheFinalSteps) {
  // Frame 3: 90 degrees. Tile 0: final step from entry 0 (-> 1), angle draw from entry 1:
  // 156 mod 30 = 6, 90 + 6 - 15 = 81. Tile 1: entry 7 (55 -> 1), then entry 2: 29,
  // 90 + 29 - 15 = 104.
  TwoTiles board(30, 3);
  EXPECT_EQ(1, board.tiles[0].finalStep);
  EXPECT_EQ(81, board.tiles[0].angle);
  EXPECT_EQ(1, board.tiles[1].finalStep);
  EXPECT_EQ(104, board.tiles[1].angle);
  EXPECT_EQ(FlapLight(104, 35), board.tiles[1].flapLight);
}

TEST(AirportBoardTest, ByteBoundsOfZeroStayInRange) {
  // 16 x 16 tiles make the card bound 256 (low byte 0); 256 steps make the final-step
  // bound 0 as well. Neither may hang, and every card and step must exist.
  AirportParams p = AirportDefaults();
  p.tilesDown = p.tilesAcross = 16;
  BoardGeometry g;
  ASSERT_TRUE(ComputeBoardGeometry(p, 640, 480, &g));
  std::vector<FlapTile> tiles(256);
  const FlipTiming t = ComputeFlipTiming(1, 256, 100);
  ASSERT_EQ(256, t.stepCount);
  ASSERT_TRUE(BuildFlapTiles(p, g, t, tiles.data()));
  for (const FlapTile& tile : tiles) {
    EXPECT_GE(tile.lowerCard, 0);
    EXPECT_LT(tile.lowerCard, 256);
    EXPECT_LT(tile.upperCard, 256);
    EXPECT_LT(tile.finalStep, 256);
    EXPECT_GE(tile.angle, 0);
    EXPECT_LE(tile.angle, 180);
  }
}

}  // namespace
}  // namespace zk
