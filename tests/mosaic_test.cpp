// Mosaic: block sizes and grids worked by hand, block means (overlapping rows of
// fractional blocks included), the switch to scene B at 0.5, odd sizes whose last column
// and row are clamped into the grid, the per-call scratch buffer, the rectangle contract
// and the description words.
#include <gtest/gtest.h>

#include "direct_render_support.h"
#include "mosaic_grid.h"
#include "mosaic_render.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::PixelIs;
using test::SolidFrame;

class MosaicTest : public test::BuiltModuleTest {
 protected:
  MosaicTest() : BuiltModuleTest("mosaic") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p) {
    return RenderWhole(a, b, p, test::Choose(0));
  }
};

// A frame whose blue byte at (x, row) is given; green and red are 0.
FrameImage BlueFrame(int32_t width, int32_t height, std::initializer_list<int> blues) {
  FrameImage f = MakeFrameImage(width, height);
  auto it = blues.begin();
  for (int32_t row = 0; row < height; ++row) {
    for (int32_t x = 0; x < width; ++x) PixelAt(f, x, row)[0] = static_cast<uint8_t>(*it++);
  }
  return f;
}

TEST(MosaicDescription, WordsAndNames) {
  test::ExpectDescription("mosaic", {0, 0, 0, false, 0, 0, 0}, "马赛克-Zelkor", "A外加", "Mosaic");
}

TEST(MosaicGridTest, BlockSidesHalveInPowersOfTwo) {
  // 480: 240, 120, 60, 30, 15, 7.5, 3.75, 1.875 are at least 1: nh = 8.
  EXPECT_EQ(30.0f, MosaicBlockSide(480, 0.5));  // trunc(0.5 x 7) = 3 halvings
  EXPECT_EQ(1.875f, MosaicBlockSide(480, 1.0));
  EXPECT_EQ(240.0f, MosaicBlockSide(480, 0.0));
  EXPECT_EQ(1.40625f, MosaicBlockSide(720, 1.0));  // 360 halved 8 times
  EXPECT_EQ(1.5f, MosaicBlockSide(6, 1.0));        // 3, 1.5: one halving
  EXPECT_EQ(1.0f, MosaicBlockSide(3, 1.0));        // 1: nothing to halve
  EXPECT_EQ(1.0f, MosaicBlockSide(1, 1.0));        // too short to halve: one pixel
  EXPECT_EQ(1.0f, MosaicBlockSide(0, 0.0));
  EXPECT_EQ(0.5, MosaicCoarseness(0.25f));
  EXPECT_EQ(0.0, MosaicCoarseness(0.5f));
  EXPECT_EQ(1.0, MosaicCoarseness(1.0f));
  EXPECT_EQ(1.0, MosaicCoarseness(-4.0f));  // held to the ends
}

TEST(MosaicGridTest, GridsForTheEndsAndTheMiddle) {
  const MosaicGrid ends = MakeMosaicGrid(720, 480, 0.0f);
  EXPECT_EQ(1.40625f, ends.blockWidth);
  EXPECT_EQ(1.875f, ends.blockHeight);
  EXPECT_EQ(512, ends.columns);
  EXPECT_EQ(256, ends.rows);
  const MosaicGrid middle = MakeMosaicGrid(720, 480, 0.5f);
  EXPECT_EQ(2, middle.columns);
  EXPECT_EQ(2, middle.rows);
  const MosaicGrid odd = MakeMosaicGrid(5, 5, 0.5f);
  EXPECT_EQ(2.0f, odd.blockWidth);
  EXPECT_EQ(2, odd.columns);
  EXPECT_EQ(2, odd.rows);
}

TEST_F(MosaicTest, MiddleIsSceneBInTwoByTwoBlockMeans) {
  // 6 x 4 at p = 0.5: blocks of 3 x 2 pixels.
  const FrameImage b = BlueFrame(6, 4, {10,  20,  30,  1,   2,   3,  //
                                        40,  50,  60,  4,   5,   7,  //
                                        100, 100, 100, 0,   0,   0,  //
                                        100, 100, 101, 255, 255, 255});
  const FrameImage out = Render(SolidFrame(6, 4, 9, 9, 9), b, 0.5f);
  for (int32_t x = 0; x < 3; ++x) {
    EXPECT_TRUE(PixelIs(out, x, 0, 35, 0, 0));  // 210 / 6
    EXPECT_TRUE(PixelIs(out, x, 1, 35, 0, 0));
    EXPECT_TRUE(PixelIs(out, x + 3, 1, 3, 0, 0));    // 22 / 6 = 3.67
    EXPECT_TRUE(PixelIs(out, x, 2, 100, 0, 0));      // 601 / 6
    EXPECT_TRUE(PixelIs(out, x + 3, 3, 127, 0, 0));  // 765 / 6 = 127.5
  }
}

TEST_F(MosaicTest, FractionalBlocksShareRows) {
  // 2 x 6 at p = 0: m = 1.5, u = 1, 4 block rows over picture rows {0,1} {1,2} {3,4} {4,5};
  // output rows take block trunc(y / 1.5): 0 0 1 2 2 3.
  const FrameImage a = BlueFrame(2, 6, {0, 9, 11, 9, 20, 9, 31, 9, 40, 9, 51, 9});
  const FrameImage out = Render(a, SolidFrame(2, 6, 77, 77, 77), 0.0f);
  const int expected[6] = {5, 5, 15, 35, 35, 45};  // (0+11)/2, (11+20)/2, (31+40)/2, (40+51)/2
  for (int32_t row = 0; row < 6; ++row) {
    EXPECT_TRUE(PixelIs(out, 0, row, expected[row], 0, 0)) << row;
    EXPECT_TRUE(PixelIs(out, 1, row, 9, 0, 0)) << row;
  }
}

TEST_F(MosaicTest, SourceSwitchesToSceneBAtOneHalfExactly) {
  const FrameImage a = SolidFrame(8, 8, 10, 20, 30);
  const FrameImage b = SolidFrame(8, 8, 200, 210, 220);
  EXPECT_TRUE(PixelIs(Render(a, b, 0.49999997f), 4, 4, 10, 20, 30));
  EXPECT_TRUE(PixelIs(Render(a, b, 0.5f), 4, 4, 200, 210, 220));
  EXPECT_TRUE(PixelIs(Render(a, b, 1.0f), 4, 4, 200, 210, 220));
}

TEST_F(MosaicTest, EndsOfLargeFramesAreSlightlyBlurred) {
  const FrameImage a = PatternFrame(720, 480, 31);
  const FrameImage b = PatternFrame(720, 480, 32);
  const FrameImage start = Render(a, b, 0.0f);
  EXPECT_FALSE(test::SameRect(start, a, 720, 480));
  // Row 0 of the output is block row 0, the mean of picture rows 0 and 1; column 0 is
  // block column 0, columns 0 and 1 (b < 1.40625 takes b = 0, 1).
  for (int k = 0; k < 3; ++k) {
    const int sum =
        PixelAt(a, 0, 0)[k] + PixelAt(a, 1, 0)[k] + PixelAt(a, 0, 1)[k] + PixelAt(a, 1, 1)[k];
    EXPECT_EQ(sum / 4, PixelAt(start, 0, 0)[k]);
  }
  EXPECT_TRUE(test::OutsideRectUntouched(start, 0, 0, 720, 480, 0xC5));
}

// 5 x 5 at p = 0.5: blocks 2 x 2 on a 2 x 2 grid covering columns and rows 0..3. Column 4
// would index one past its row of blocks and row 4 past the buffer; both take the last
// block's colour.
TEST_F(MosaicTest, OddSizesClampTheLastColumnAndRowIntoTheGrid) {
  const FrameImage b = BlueFrame(5, 5, {1,   3,   10,  20,  99,  //
                                        5,   7,   30,  40,  99,  //
                                        100, 110, 200, 202, 99,  //
                                        120, 130, 204, 206, 99,  //
                                        99,  99,  99,  99,  99});
  const FrameImage out = Render(SolidFrame(5, 5, 0, 0, 0), b, 0.5f);
  const int blocks[2][2] = {{4, 25}, {115, 203}};  // 16/4, 100/4, 460/4, 812/4
  for (int32_t row = 0; row < 5; ++row) {
    for (int32_t x = 0; x < 5; ++x) {
      const int j = row < 4 ? row / 2 : 1;
      const int k = x < 4 ? x / 2 : 1;
      EXPECT_TRUE(PixelIs(out, x, row, blocks[j][k], 0, 0));
    }
  }
}

TEST(MosaicScratch, FailedAllocationDeclinesWithoutWriting) {
  const FrameImage a = PatternFrame(16, 12, 33);
  const FrameImage b = PatternFrame(16, 12, 34);
  FrameImage out = MakeFrameImage(16, 12, 0x5A);
  EXPECT_EQ(0, RenderMosaicWith(test::DirectView(&out, a, b, 0.3f, RenderChoices()),
                                test::kFailingScratch));
  EXPECT_TRUE(test::OutsideRectUntouched(out, 0, 0, 0, 0, 0x5A));
}

TEST(MosaicScratch, OneBlockColourBufferPerCallGivenBack) {
  const FrameImage a = PatternFrame(16, 12, 35);
  const FrameImage b = PatternFrame(16, 12, 36);
  FrameImage out = MakeFrameImage(16, 12);
  for (float p : {0.0f, 0.5f}) {
    test::g_scratchCounts = test::ScratchCounts();
    EXPECT_EQ(1, RenderMosaicWith(test::DirectView(&out, a, b, p, RenderChoices()),
                                  test::kCountingScratch));
    EXPECT_EQ(1, test::g_scratchCounts.allocations);
    EXPECT_EQ(1, test::g_scratchCounts.releases);
    // p = 0: 16 x 12 -> blocks 1 x 1.5 (8 halved 3 times, 6 twice): 16 x 8 blocks.
    EXPECT_EQ(p == 0.0f ? 16u * 8u * 3u : 2u * 2u * 3u, test::g_scratchCounts.lastBytes);
  }
}

TEST_F(MosaicTest, RectangleContract) {
  ExpectRectangleContract(test::Choose(0));
  // Every pixel of the smallest rectangles is written, with the scene of its half.
  const FrameImage a = SolidFrame(6, 6, 40, 40, 40);
  const FrameImage b = SolidFrame(6, 6, 200, 200, 200);
  for (float p : {0.0f, 0.3f}) EXPECT_TRUE(TinyRectanglesFilled(a, b, p, test::Choose(0), {40}));
  for (float p : {0.5f, 0.9f}) EXPECT_TRUE(TinyRectanglesFilled(a, b, p, test::Choose(0), {200}));
}

}  // namespace
}  // namespace zk
