// BW-Flash: hand-worked bytes in each of the four phases and for each flash strength, the
// exact end points, the extra bits, the rectangle contract and the description words.
#include <gtest/gtest.h>

#include "bwflash_phase.h"
#include "direct_render_support.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::PixelIs;
using test::SolidFrame;

class BwFlashTest : public test::BuiltModuleTest {
 protected:
  BwFlashTest() : BuiltModuleTest("bwflash") {}
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t extra = 0) {
    return RenderWhole(a, b, p, test::Choose(0, 0, extra));
  }
};

TEST(BwFlashDescription, ExtraWordsAndNames) {
  test::ExpectDescription("bwflash", {0, 0, 0, true, 0x70, 0, 0}, "黑白闪变-Zelkor", "A外加",
                          "Scene A fade out black, scene B fade in from white.");
}

TEST(BwFlashPhase, StrengthFromTheExtraBitsStrongestFirst) {
  EXPECT_EQ(1.0f, FlashStrength(0));
  EXPECT_EQ(0.6f, FlashStrength(0x10));
  EXPECT_EQ(0.8f, FlashStrength(0x20));
  EXPECT_EQ(0.9f, FlashStrength(0x40));
  EXPECT_EQ(0.9f, FlashStrength(0x50));  // 0x40 is tested first
  EXPECT_EQ(0.8f, FlashStrength(0x30));
  EXPECT_EQ(0.9f, FlashStrength(0x70));
  EXPECT_EQ(1.0f, FlashStrength(0x308));  // bits outside the mask mean nothing here
}

TEST(BwFlashPhase, SourceAndLevelPerPhase) {
  EXPECT_FALSE(ChooseFlashPhase(0.25f, 0).showsSceneB);
  EXPECT_EQ(0.0, ChooseFlashPhase(0.25f, 0).target);
  EXPECT_EQ(1.0, ChooseFlashPhase(0.25f, 0).weight);  // black exactly
  EXPECT_TRUE(ChooseFlashPhase(0.2500001f, 0).showsSceneB);
  EXPECT_EQ(0.0, ChooseFlashPhase(0.435f, 0).target);
  EXPECT_EQ(255.0, ChooseFlashPhase(0.4350001f, 0).target);
  EXPECT_EQ(255.0, ChooseFlashPhase(0.62f, 0).target);
  EXPECT_EQ(255.0, ChooseFlashPhase(0.9f, 0).target);
}

TEST_F(BwFlashTest, EndPointsAndBlackAtOneQuarter) {
  const FrameImage a = PatternFrame(7, 5, 1);  // 21 bytes a row, 3 of padding
  const FrameImage b = PatternFrame(7, 5, 2);
  for (uint32_t extra : {0u, 0x10u, 0x20u, 0x40u}) {
    SCOPED_TRACE(extra);
    EXPECT_TRUE(test::SameRect(Render(a, b, 0.0f, extra), a, 7, 5));
    EXPECT_TRUE(test::SameRect(Render(a, b, 1.0f, extra), b, 7, 5));
    // Scene B has fully risen out of black at the end of the second phase.
    EXPECT_TRUE(test::SameRect(Render(a, b, 0.435f, extra), b, 7, 5));
    const FrameImage black = Render(a, b, 0.25f, extra);
    EXPECT_TRUE(test::SameRect(black, SolidFrame(7, 5, 0, 0, 0), 7, 5));
    EXPECT_TRUE(test::OutsideRectUntouched(black, 0, 0, 7, 5, 0xC5));  // padding kept
  }
}

// At the peak every byte is white, or with bit 0x10 trunc((255 - b) x 0.6 + b).
TEST_F(BwFlashTest, PeakIsWhiteOrTheStrengthMixForEveryByte) {
  FrameImage b = MakeFrameImage(256, 1);
  for (int i = 0; i < 256; ++i) b.pixels[3 * i] = b.pixels[3 * i + 1] = b.pixels[3 * i + 2] = i;
  const FrameImage a = SolidFrame(256, 1, 9, 9, 9);
  const FrameImage white = Render(a, b, 0.62f);
  const FrameImage mixed = Render(a, b, 0.62f, 0x10);
  for (int i = 0; i < 256; ++i) {
    const int expected = static_cast<int>((255 - i) * 0.6 + i);
    ASSERT_TRUE(PixelIs(mixed, i, 0, expected, expected, expected)) << i;
    ASSERT_TRUE(PixelIs(white, i, 0, 255, 255, 255)) << i;
  }
}

// Weights chosen to be round: 0.5 in the first phase (p = 0.125), 0.946 in the second
// (p = 0.26), 0.5 g in the third (p = 0.5275) and in the fourth (p = 0.81).
TEST_F(BwFlashTest, HandWorkedBytesInEachPhase) {
  const FrameImage a = SolidFrame(3, 2, 201, 100, 7);
  const FrameImage b = SolidFrame(3, 2, 255, 100, 0);
  // A darkens: trunc(-s / 2 + s).
  EXPECT_TRUE(PixelIs(Render(a, b, 0.125f), 2, 1, 100, 50, 3));
  // B rises from black: 255 x 0.054 = 13.78, 100 x 0.054 = 5.4.
  EXPECT_TRUE(PixelIs(Render(a, b, 0.26f), 2, 1, 13, 5, 0));

  const FrameImage rising = SolidFrame(3, 2, 100, 0, 200);
  // Toward white by half the strength: (255 - s) x 0.5 g + s.
  EXPECT_TRUE(PixelIs(Render(a, rising, 0.5275f), 1, 0, 177, 127, 227));
  EXPECT_TRUE(PixelIs(Render(a, rising, 0.5275f, 0x40), 1, 0, 169, 114, 224));
  const FrameImage rising2 = SolidFrame(3, 2, 101, 1, 201);
  EXPECT_TRUE(PixelIs(Render(a, rising2, 0.5275f, 0x20), 1, 0, 162, 102, 222));
  // Settling: (255 - s) x 0.3 + s with strength 0.6.
  const FrameImage settling = SolidFrame(3, 2, 101, 0, 250);
  EXPECT_TRUE(PixelIs(Render(a, settling, 0.81f, 0x10), 0, 1, 147, 76, 251));
  // Bits 0x40 and 0x10 together flash like 0x40 alone.
  EXPECT_TRUE(PixelIs(Render(a, rising, 0.5275f, 0x50), 1, 0, 169, 114, 224));
}

TEST_F(BwFlashTest, RectangleContract) {
  for (uint32_t extra : {0u, 0x20u}) ExpectRectangleContract(test::Choose(0, 0, extra));
}

}  // namespace
}  // namespace zk
