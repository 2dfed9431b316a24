// FillRect clipping and row stepping, and the bilinear stretch of a 2 x 2 picture.
#include <gtest/gtest.h>

#include <cstdint>

#include "image_fill.h"
#include "kit3d_test_images.h"

namespace zk {
namespace {

using test::TestPlane;

TEST(Kit3dFill, FillRectPaintsOnlyTheClippedInsideInColourWordOrder) {
  TestPlane img(5, 4, 1, 16, 0x11);
  ASSERT_TRUE(FillRect(&img.plane, -2, 1, 4, 10, 0x00332211));
  EXPECT_TRUE(img.OthersEqual(0x11, [](int x, int row) { return x <= 1 && row >= 1 && row <= 3; }));
  const uint8_t* p = img.At(1, 3);
  EXPECT_EQ(p[0], 0x33);  // blue from the third byte of the word
  EXPECT_EQ(p[1], 0x22);
  EXPECT_EQ(p[2], 0x11);
  // Entirely outside, or empty: nothing.
  ASSERT_TRUE(FillRect(&img.plane, 5, 0, 3, 3, 0));
  ASSERT_TRUE(FillRect(&img.plane, 0, -5, 3, 5, 0));
  ASSERT_TRUE(FillRect(&img.plane, 0, 0, 0, 4, 0));
  EXPECT_TRUE(img.OthersEqual(0x11, [](int x, int row) { return x <= 1 && row >= 1 && row <= 3; }));
}

TEST(Kit3dFill, FillRectWithRowStepTwoPaintsEverySecondSceneRow) {
  TestPlane img(3, 8, 2, 12, 0x11);  // eight scene rows on four stored rows
  ASSERT_TRUE(FillRect(&img.plane, 0, 1, 3, 4, 0x00FFFFFF));
  // Scene rows 1 and 3 -> stored rows 0 and 1.
  EXPECT_TRUE(img.OthersEqual(0x11, [](int, int row) { return row <= 1; }));
  EXPECT_EQ(img.At(2, 1)[2], 0xFF);
  ASSERT_TRUE(FillRect(&img.plane, 1, 4, 1, 100, 0x00000000));
  // Scene rows 4 and 6 -> stored rows 2 and 3, column 1 only.
  EXPECT_EQ(img.At(1, 2)[0], 0);
  EXPECT_EQ(img.At(1, 3)[0], 0);
  EXPECT_EQ(img.At(0, 3)[0], 0x11);
}

TEST(Kit3dFill, FillRectRefusesMissingOrWidePlanes) {
  EXPECT_FALSE(FillRect(nullptr, 0, 0, 1, 1, 0));
  TestPlane img(2, 2, 1, 24, 0x11);
  img.plane.bytesPerPixel = 5;
  EXPECT_FALSE(FillRect(&img.plane, 0, 0, 1, 1, 0));
  img.plane.bytesPerPixel = 4;
  ASSERT_TRUE(FillRect(&img.plane, 0, 0, 1, 1, 0x00030201));
  EXPECT_EQ(img.bytes[3], 0);  // the fourth byte of a 4-byte pixel is 0
  EXPECT_EQ(img.bytes[4], 0x11);
}

TEST(Kit3dFill, StretchTwoByTwoOntoFourByFourKeepsThePictureUpright) {
  // Stored bottom row first: bottom-left 0, bottom-right 50, top-left 100, top-right 200.
  TestPlane src(2, 2, 1, 8, 0xEE);
  src.Set(0, 0, 0, 0, 0);
  src.Set(1, 0, 50, 50, 50);
  src.Set(0, 1, 100, 100, 100);
  src.Set(1, 1, 200, 200, 200);
  TestPlane dst(4, 4, 1, 12, 0x11);
  ASSERT_TRUE(StretchBilinear(&dst.plane, 0, 0, 4, 4, &src.plane, 0, 0, 2, 2));
  // Worked by hand: ratios 0.5; the last column and row take no neighbour, and a neighbour
  // past the source's edge counts as the pixel itself.
  const int expect[4][4] = {
      {0, 25, 50, 50}, {0, 25, 50, 50}, {50, 87, 125, 125}, {100, 150, 200, 200}};
  for (int row = 0; row < 4; ++row) {
    for (int x = 0; x < 4; ++x) {
      for (int c = 0; c < 3; ++c) EXPECT_EQ(dst.At(x, row)[c], expect[row][x]) << x << "," << row;
    }
  }
  EXPECT_TRUE(dst.OthersEqual(0x11, [](int, int row) { return row < 4; }));
}

TEST(Kit3dFill, StretchIntoAFieldModePlaneWritesEachStoredRowOnce) {
  TestPlane src(1, 2, 1, 4, 0xEE);
  src.Set(0, 0, 10, 10, 10);        // bottom
  src.Set(0, 1, 30, 30, 30);        // top
  TestPlane dst(2, 4, 2, 8, 0x11);  // four scene rows, two stored
  ASSERT_TRUE(StretchBilinear(&dst.plane, 0, 0, 2, 4, &src.plane, 0, 0, 1, 2));
  // Scene row 0 (top) -> stored row (4 - 0 - 1) / 2 = 1: the top pixel. Scene row 2:
  // source row position 1.0 -> the bottom pixel, on stored row 0.
  EXPECT_EQ(dst.At(0, 1)[0], 30);
  EXPECT_EQ(dst.At(1, 1)[0], 30);
  EXPECT_EQ(dst.At(0, 0)[0], 10);
  EXPECT_TRUE(dst.OthersEqual(0x11, [](int, int row) { return row < 2; }));
  EXPECT_FALSE(StretchBilinear(nullptr, 0, 0, 1, 1, &src.plane, 0, 0, 1, 1));
  EXPECT_FALSE(StretchBilinear(&dst.plane, 0, 0, 1, 1, nullptr, 0, 0, 1, 1));
}

}  // namespace
}  // namespace zk
