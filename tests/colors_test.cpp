// Colors through its module: channel offsets worked out by hand on a 16 x 12 frame in
// both variants and in field mode, the exact end points, rectangles and tiny sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "reshaped_frames.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;

constexpr uint32_t kFlyIn = 0x20000;

class ColorsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::OpenBuiltEffect("colors", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0) {
    FrameImage out = MakeFrameImage(a.width, a.height, 0x99);
    RenderChoices c;
    c.variantFlags = variant;
    c.fieldMode = field;
    EXPECT_EQ(1, RenderEffectFrame(effect_, a, b, p, c, &out));
    return out;
  }

  HostedEffect effect_;
};

struct HandCase {
  uint32_t variant;
  float p;
  int32_t field;
  int32_t shift[3][2];  // per channel: columns right, rows down (in memory order)
};

// p = 0.1 flying out, 16 x 12: L = 20, e = -trunc(2) = -2, angles 36, 156, 276 degrees:
//   blue  X = trunc(0.588 x 2) = 1,   Y = trunc(0.809 x -2 + 1 x 0.588) = trunc(-1.03) = -1
//   green X = trunc(0.407 x 2) = 0,   Y = trunc(-0.914 x -2) = 1
//   red   X = trunc(-0.995 x 2) = -1, Y = trunc(0.105 x -2 + -1 x -0.995) = trunc(0.785) = 0
// Field mode: 24 lines, L = 28.8, e = -2, the same offsets in lines; row r is line 2r, so
// blue reads line 2r + 1 (row r), green line 2r - 1 (row r - 1), red line 2r (row r).
// p = 0.9 flying in: e = -trunc((1 - 0.9f) x 20) = -2; trunc(0.9f x 360) = 323, so angles
// 323, 83, 203: blue X = -1, Y = trunc(-0.995) = 0; green X = 1, Y = trunc(0.749) = 0; red
// X = 0, Y = trunc(1.84) = 1.
// p = 0.5 flying out: e = -10, angles 180, 300, 60: blue X = 0, Y = 9 (cos a hair above -1);
// green X = -8, Y = trunc(-5 + 6.93) = 1; red X = 8, Y = 1.
const HandCase kHandCases[] = {
    {0, 0.1f, 0, {{1, -1}, {0, 1}, {-1, 0}}},       {0x10000, 0.1f, 0, {{1, -1}, {0, 1}, {-1, 0}}},
    {0x30000, 0.1f, 0, {{1, -1}, {0, 1}, {-1, 0}}}, {0x20001, 0.1f, 0, {{1, -1}, {0, 1}, {-1, 0}}},
    {0, 0.1f, 1, {{1, 0}, {0, 1}, {-1, 0}}},        {kFlyIn, 0.9f, 0, {{-1, 0}, {1, 0}, {0, 1}}},
    {0, 0.5f, 0, {{0, 9}, {-8, 1}, {8, 1}}},
};

TEST_F(ColorsTest, ChannelOffsetsByHand) {
  const FrameImage a = PatternFrame(16, 12, 1), b = PatternFrame(16, 12, 2);
  for (const HandCase& c : kHandCases) {
    const FrameImage out = Render(a, b, c.p, c.variant, c.field);
    const FrameImage& moving = c.variant == kFlyIn ? b : a;
    const FrameImage& background = c.variant == kFlyIn ? a : b;
    for (int32_t row = 0; row < 12; ++row)
      for (int32_t x = 0; x < 16; ++x)
        for (int32_t k = 0; k < 3; ++k) {
          const int32_t sx = x - c.shift[k][0], srow = row - c.shift[k][1];
          const bool inside = sx >= 0 && sx < 16 && srow >= 0 && srow < 12;
          ASSERT_EQ(inside ? PixelAt(moving, sx, srow)[k] : PixelAt(background, x, row)[k],
                    PixelAt(out, x, row)[k])
              << "variant " << c.variant << " p " << c.p << " field " << c.field << " pixel " << x
              << "," << row << " channel " << k;
        }
  }
}

TEST_F(ColorsTest, EndPointsShowTheScenesExactly) {
  // 3 x 5, 4 x 40, 2 x 6, 1 x 1 and 2 x 2 are the shapes whose truncated offsets alone
  // would leave a line or a channel of the moving scene at the end.
  const int32_t sizes[][2] = {{16, 12}, {3, 5}, {5, 3}, {4, 40}, {2, 6}, {160, 90}, {1, 1}, {2, 2}};
  for (const auto& s : sizes) {
    const FrameImage a = PatternFrame(s[0], s[1], 9), b = PatternFrame(s[0], s[1], 10);
    for (uint32_t variant : {0u, kFlyIn, 0x30000u})
      for (int32_t field : {0, 1}) {
        SCOPED_TRACE(testing::Message()
                     << s[0] << "x" << s[1] << " variant " << variant << " field " << field);
        EXPECT_TRUE(test::SamePicture(a, Render(a, b, 0.0f, variant, field)));
        EXPECT_TRUE(test::SamePicture(b, Render(a, b, 1.0f, variant, field)));
      }
  }
}

TEST_F(ColorsTest, RectanglesAwayFromTheOriginTinyOrWildStayInside) {
  const FrameImage a = PatternFrame(41, 30, 13), b = PatternFrame(41, 30, 14);
  const FrameImage ca = test::CropFrame(a, 9, 5, 16, 12), cb = test::CropFrame(b, 9, 5, 16, 12);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const int32_t rects[][2] = {{16, 12}, {1, 1}, {2, 2}, {3, 5}, {0, 3}, {3, 0}};
  for (uint32_t variant : {0u, kFlyIn})
    for (int32_t field : {0, 1})
      for (const auto& r : rects)
        // Progress the host should never send must not overflow an offset either.
        for (float p : {0.0f, 0.1f, 0.5f, 0.9f, 1.0f, -3.0f, 2.5f, 1e30f, -1e30f, nan}) {
          FrameImage out = MakeFrameImage(41, 30, 0xE1);
          RenderChoices c;
          c.variantFlags = variant;
          c.fieldMode = field;
          ASSERT_EQ(1, test::RenderRect(effect_, a, b, p, 9, 5, r[0], r[1], &out, c));
          EXPECT_TRUE(test::OutsideRectUntouched(out, 9, 5, r[0], r[1], 0xE1));
          if (r[0] == 16 && p >= 0.0f && p <= 1.0f) {
            EXPECT_TRUE(test::RectHolds(out, 9, 5, Render(ca, cb, p, variant, field)))
                << "variant " << variant << " field " << field << " p " << p;
          }
        }
}

}  // namespace
}  // namespace zk
