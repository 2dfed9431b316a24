// Bloom frames through the built module: every expectation below is worked out from the
// scenes and the transition position by hand, not by the module's own helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "bloom_params.h"
#include "test_support.h"

namespace zk {
namespace {

using namespace test;

constexpr uint8_t kFill = 0xCD;

void SetBloom(HostedEffect& e, int32_t mode, int32_t direction, float duration) {
  BloomParams p{};
  p.bloomMode = mode;
  p.bloomDirection = direction;
  p.bloomDuration = duration;
  ASSERT_EQ(e.params.size(), sizeof p);
  std::memcpy(e.params.data(), &p, sizeof p);
}

void UsePreset(HostedEffect& e, int32_t index) { ApplyBloomPreset(e.params.data(), index); }

// True when every byte of the rectangle equals the same byte of `source`.
bool RectEquals(const FrameImage& out, const FrameImage& source, int32_t left, int32_t top,
                int32_t width, int32_t height) {
  for (int32_t row = top; row < top + height; ++row) {
    const size_t at = static_cast<size_t>(row) * out.stride + static_cast<size_t>(left) * 3;
    if (std::memcmp(&out.pixels[at], &source.pixels[at], static_cast<size_t>(width) * 3) != 0)
      return false;
  }
  return true;
}

class BloomRender : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("bloom", &effect_)); }
  HostedEffect effect_;
};

TEST_F(BloomRender, StartOfTheTransitionIsSceneAInEveryModeAndDirection) {
  const FrameImage a = PatternFrame(9, 7, 11);
  const FrameImage b = PatternFrame(9, 7, 22);
  for (int32_t mode : {0, 1, 2, 3, 4, 9}) {
    for (int32_t direction = 0; direction <= 20; ++direction) {
      for (int32_t field : {0, 1}) {
        for (float duration : {0.01f, 0.5f, 1.0f}) {
          SetBloom(effect_, mode, direction, duration);
          RenderChoices c;
          c.fieldMode = field;
          FrameImage out = MakeFrameImage(9, 7, kFill);
          ASSERT_EQ(RenderRect(effect_, a, b, 0.0f, 2, 1, 6, 5, &out, c), 1);
          EXPECT_TRUE(RectEquals(out, a, 2, 1, 6, 5))
              << "mode " << mode << " direction " << direction << " field " << field;
          EXPECT_TRUE(OutsideRectUntouched(out, 2, 1, 6, 5, kFill));
          // 2 x 2 puts the falling diagonals' corner at order -1.
          FrameImage small = MakeFrameImage(9, 7, kFill);
          ASSERT_EQ(RenderRect(effect_, a, b, 0.0f, 3, 3, 2, 2, &small, c), 1);
          EXPECT_TRUE(RectEquals(small, a, 3, 3, 2, 2))
              << "2x2 mode " << mode << " direction " << direction << " field " << field;
        }
      }
    }
  }
}

TEST_F(BloomRender, CrossfadePresetIsThePlainBlendEverywhere) {
  UsePreset(effect_, 3);
  const FrameImage a = PatternFrame(13, 6, 5);
  const FrameImage b = PatternFrame(13, 6, 6);
  for (float p : {0.25f, 0.6f, 0.999f, 1.0f}) {
    FrameImage out = MakeFrameImage(13, 6, kFill);
    ASSERT_EQ(RenderRect(effect_, a, b, p, 0, 0, 13, 6, &out), 1);
    for (int32_t row = 0; row < 6; ++row) {
      for (int32_t i = 0; i < 13 * 3; ++i) {
        const size_t at = static_cast<size_t>(row) * out.stride + i;
        const int32_t av = a.pixels[at], bv = b.pixels[at];
        const int32_t expected = static_cast<int32_t>((bv - av) * static_cast<double>(p) + av);
        ASSERT_EQ(out.pixels[at], expected) << "p " << p << " row " << row << " byte " << i;
      }
    }
  }
}

TEST_F(BloomRender, EndOfTheTransitionIsSceneBInEveryDirection) {
  // The last pixels start at about 1 - d and must be done at p = 1 exactly, in every
  // direction and duration at this size, in field mode too.
  const FrameImage a = SolidFrame(320, 180, 10, 10, 10);
  const FrameImage b = SolidFrame(320, 180, 200, 200, 200);
  for (int32_t direction = 0; direction <= 20; ++direction) {
    for (float duration : {0.01f, 0.25f, 0.5f}) {
      for (int32_t field : {0, 1}) {
        SetBloom(effect_, 0, direction, duration);
        RenderChoices c;
        c.fieldMode = field;
        FrameImage out = MakeFrameImage(320, 180);
        ASSERT_EQ(RenderRect(effect_, a, b, 1.0f, 0, 0, 320, 180, &out, c), 1);
        EXPECT_TRUE(RectEquals(out, b, 0, 0, 320, 180))
            << "direction " << direction << " duration " << duration << " field " << field;
      }
    }
  }
  // A 9 x 3 circle with d = 0.2: its corners start at 0.8000000119, and the end time
  // 0.8000000119 + 0.2000000030 is 1.0000000149 in double but exactly 1 as a float.
  const FrameImage sa = SolidFrame(9, 3, 51, 60, 125);
  const FrameImage sb = SolidFrame(9, 3, 107, 64, 4);
  SetBloom(effect_, 0, 6, 0.2f);
  FrameImage out = MakeFrameImage(9, 3);
  ASSERT_EQ(RenderRect(effect_, sa, sb, 1.0f, 0, 0, 9, 3, &out), 1);
  EXPECT_TRUE(RectEquals(out, sb, 0, 0, 9, 3));
}

TEST_F(BloomRender, FlashesGoThroughWhiteAndBlack) {
  const FrameImage a = SolidFrame(4, 3, 10, 100, 200);
  const FrameImage b = SolidFrame(4, 3, 0, 50, 130);
  struct Case {
    int32_t preset;
    float p;
    uint8_t bgr[3];
  };
  const Case cases[] = {
      {4, 0.5f, {255, 255, 255}},   // a + 255, clamped
      {4, 0.25f, {137, 227, 255}},  // a + 127.5
      {4, 0.75f, {127, 177, 255}},  // b + 127.5
      {5, 0.5f, {0, 0, 0}},
      {5, 0.25f, {0, 0, 72}},  // a - 127.5, truncated toward zero, clamped
      {5, 0.75f, {0, 0, 2}},   // b - 127.5
  };
  for (const Case& c : cases) {
    UsePreset(effect_, c.preset);
    FrameImage out = MakeFrameImage(4, 3, kFill);
    ASSERT_EQ(RenderRect(effect_, a, b, c.p, 0, 0, 4, 3, &out), 1);
    for (int32_t row = 0; row < 3; ++row) {
      for (int32_t x = 0; x < 4; ++x) {
        const uint8_t* px = PixelAt(out, x, row);
        EXPECT_EQ(px[0], c.bgr[0]) << "preset " << c.preset << " p " << c.p;
        EXPECT_EQ(px[1], c.bgr[1]) << "preset " << c.preset << " p " << c.p;
        EXPECT_EQ(px[2], c.bgr[2]) << "preset " << c.preset << " p " << c.p;
      }
    }
  }
}

// Column x of a left-to-right wipe over W columns is done once x * 0.99 / W + 0.01 <= p
// and untouched while p <= x * 0.99 / W.
TEST_F(BloomRender, WipeLeftToRightSplitsAboutTheMiddle) {
  UsePreset(effect_, 6);
  const FrameImage a = SolidFrame(100, 3, 20, 20, 20);
  const FrameImage b = SolidFrame(100, 3, 220, 220, 220);
  FrameImage out = MakeFrameImage(100, 3, kFill);
  ASSERT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 100, 3, &out), 1);
  for (int32_t row = 0; row < 3; ++row) {
    for (int32_t x = 0; x < 100; ++x) {
      const uint8_t v = PixelAt(out, x, row)[1];
      if (x <= 49) {
        EXPECT_EQ(v, 220) << "column " << x;
      } else if (x >= 51) {
        EXPECT_EQ(v, 20) << "column " << x;
      } else {
        EXPECT_TRUE(v > 20 && v < 220) << "soft edge column " << x << " is " << int(v);
      }
    }
  }
  // A quarter of the way: columns up to 24 done, 26 on untouched.
  ASSERT_EQ(RenderRect(effect_, a, b, 0.25f, 0, 0, 100, 3, &out), 1);
  EXPECT_EQ(PixelAt(out, 24, 1)[0], 220);
  EXPECT_EQ(PixelAt(out, 26, 1)[0], 20);
}

TEST_F(BloomRender, DirectionsCountFromTheRectangleNotTheFrame) {
  // Rectangle of 5 columns from frame column 3: k = 0.99 / 5, so at p = 0.5 rectangle
  // columns 0-2 (start 0, 0.198, 0.396) are done and 3-4 (0.594, 0.792) untouched.
  UsePreset(effect_, 6);
  const FrameImage a = PatternFrame(11, 9, 1);
  const FrameImage b = PatternFrame(11, 9, 2);
  FrameImage out = MakeFrameImage(11, 9, kFill);
  ASSERT_EQ(RenderRect(effect_, a, b, 0.5f, 3, 2, 5, 4, &out), 1);
  EXPECT_TRUE(RectEquals(out, b, 3, 2, 3, 4));
  EXPECT_TRUE(RectEquals(out, a, 6, 2, 2, 4));
  EXPECT_TRUE(OutsideRectUntouched(out, 3, 2, 5, 4, kFill));  // padding bytes included
}

TEST_F(BloomRender, TopToBottomStartsAtTheLastRowInMemory) {
  // Direction 3 orders by D - y: the highest line (last row of a bottom-up frame) first.
  UsePreset(effect_, 8);
  const FrameImage a = SolidFrame(3, 10, 0, 0, 0);
  const FrameImage b = SolidFrame(3, 10, 90, 90, 90);
  FrameImage out = MakeFrameImage(3, 10, kFill);
  ASSERT_EQ(RenderRect(effect_, a, b, 0.3f, 0, 0, 3, 10, &out), 1);
  // Row r starts at (10 - r) * 0.099: rows 8 and 9 (0.198, 0.099) are done by p = 0.3,
  // rows 0-6 (0.396 and later) have not begun.
  EXPECT_EQ(PixelAt(out, 1, 9)[0], 90);
  EXPECT_EQ(PixelAt(out, 1, 8)[0], 90);
  for (int32_t row = 0; row <= 6; ++row) EXPECT_EQ(PixelAt(out, 1, row)[0], 0) << row;
}

TEST_F(BloomRender, FieldModeCentresTheCircleOnOutputRowFifty) {
  // "circleout" as a crossfade wipe on a 20 x 100 rectangle in field mode: 200 lines,
  // centre (10, 100), D = trunc(sqrt(100 + 10000)) = 100, k = 0.0099. At p = 0.5 orders up
  // to 49 are done, 50 is mid-way and 51 on untouched; line y is output row y / 2.
  SetBloom(effect_, 0, 6, 0.01f);
  const FrameImage a = SolidFrame(20, 100, 0, 0, 0);
  const FrameImage b = SolidFrame(20, 100, 200, 200, 200);
  RenderChoices field;
  field.fieldMode = 1;
  FrameImage out = MakeFrameImage(20, 100, kFill);
  ASSERT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 20, 100, &out, field), 1);
  for (int32_t row = 0; row < 100; ++row) {
    const uint8_t v = PixelAt(out, 10, row)[2];
    const int32_t distance = std::abs(2 * row - 100);
    if (distance <= 49) {
      EXPECT_EQ(v, 200) << "row " << row;
    } else if (distance >= 51) {
      EXPECT_EQ(v, 0) << "row " << row;
    } else {
      EXPECT_TRUE(v > 0 && v < 200) << "row " << row << " is " << int(v);
    }
  }
  // Early on the circle shows its shape: field lines count double, so along output row 50
  // the done pixels reach further than along column 10. At p = 0.1 orders up to 9 are done,
  // 10 is under way and 11 on untouched.
  ASSERT_EQ(RenderRect(effect_, a, b, 0.1f, 0, 0, 20, 100, &out, field), 1);
  for (int32_t x = 1; x < 20; ++x) EXPECT_EQ(PixelAt(out, x, 50)[2], 200) << "column " << x;
  EXPECT_EQ(PixelAt(out, 10, 46)[2], 200);  // 8 lines up
  EXPECT_EQ(PixelAt(out, 10, 44)[2], 0);    // 12 lines up
  EXPECT_EQ(PixelAt(out, 10, 56)[2], 0);    // 12 lines down
  const uint8_t rim = PixelAt(out, 10, 55)[2];
  EXPECT_TRUE(rim > 0 && rim < 200) << int(rim);
  // Without field mode D = trunc(sqrt(100 + 2500)) = 50 and k = 0.0198: only orders up to 4
  // are done at p = 0.1, so column 3 of row 50 (7 pixels out) has not begun.
  ASSERT_EQ(RenderRect(effect_, a, b, 0.1f, 0, 0, 20, 100, &out), 1);
  EXPECT_EQ(PixelAt(out, 3, 50)[2], 0);
  EXPECT_EQ(PixelAt(out, 14, 50)[2], 200);
  EXPECT_EQ(PixelAt(out, 10, 46)[2], 200);
  EXPECT_EQ(PixelAt(out, 10, 44)[2], 0);
}

TEST_F(BloomRender, TinyRectanglesRenderInEveryDirection) {
  const FrameImage a = SolidFrame(6, 6, 40, 80, 120);
  const FrameImage b = SolidFrame(6, 6, 140, 180, 220);
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {1, 4}, {4, 1}};
  for (const auto& size : sizes) {
    for (int32_t direction = 0; direction <= 20; ++direction) {
      for (int32_t field : {0, 1}) {
        RenderChoices c;
        c.fieldMode = field;
        SetBloom(effect_, 0, direction, 0.5f);
        FrameImage out = MakeFrameImage(6, 6, kFill);
        ASSERT_EQ(RenderRect(effect_, a, b, 0.4f, 1, 1, size[0], size[1], &out, c), 1);
        EXPECT_TRUE(OutsideRectUntouched(out, 1, 1, size[0], size[1], kFill));
        for (int32_t row = 1; row < 1 + size[1]; ++row) {
          for (int32_t x = 1; x < 1 + size[0]; ++x) {
            const uint8_t* px = PixelAt(out, x, row);
            // Nothing outside the two scenes' bytes, and channels in step.
            EXPECT_TRUE(px[0] >= 40 && px[0] <= 140) << direction;
            EXPECT_EQ(px[1] - px[0], px[2] - px[1]);
          }
        }
      }
    }
  }
}

TEST_F(BloomRender, RectanglesWithoutExtentChangeAllAtOnce) {
  // 1 x 1 circles, a single column of "horzin", a single line of "vertout": with no
  // extent every pixel starts at p = 0, so d = 0.5 at p = 0.25 is half way everywhere.
  const FrameImage a = SolidFrame(5, 5, 0, 0, 0);
  const FrameImage b = SolidFrame(5, 5, 100, 100, 100);
  const int32_t cases[][3] = {{6, 1, 1}, {5, 1, 1}, {17, 1, 1}, {20, 1, 1}, {7, 1, 5}, {10, 5, 1}};
  for (const auto& c : cases) {
    SetBloom(effect_, 0, c[0], 0.5f);
    FrameImage out = MakeFrameImage(5, 5, kFill);
    ASSERT_EQ(RenderRect(effect_, a, b, 0.25f, 0, 0, c[1], c[2], &out), 1);
    for (int32_t row = 0; row < c[2]; ++row)
      for (int32_t x = 0; x < c[1]; ++x) EXPECT_EQ(PixelAt(out, x, row)[0], 50) << c[0];
    ASSERT_EQ(RenderRect(effect_, a, b, 1.0f, 0, 0, c[1], c[2], &out), 1);
    EXPECT_EQ(PixelAt(out, 0, 0)[0], 100) << c[0];
  }
}

TEST_F(BloomRender, EmptyRectanglesWriteNothing) {
  const FrameImage a = PatternFrame(4, 4, 1);
  const FrameImage b = PatternFrame(4, 4, 2);
  for (int32_t direction = 0; direction <= 20; ++direction) {
    SetBloom(effect_, 3, direction, 0.3f);
    FrameImage out = MakeFrameImage(4, 4, kFill);
    EXPECT_EQ(RenderRect(effect_, a, b, 0.5f, 1, 1, 0, 3, &out), 1);
    EXPECT_EQ(RenderRect(effect_, a, b, 0.5f, 1, 1, 3, 0, &out), 1);
    EXPECT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 0, 0, &out), 1);
    EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, kFill)) << direction;
  }
}

TEST_F(BloomRender, DeclinesWithoutSettingsOrWhenTheHostSaysSo) {
  const FrameImage a = PatternFrame(5, 4, 1);
  const FrameImage b = PatternFrame(5, 4, 2);
  FrameImage out = MakeFrameImage(5, 4, kFill);
  RenderChoices decline;
  decline.requestMode = 1;
  EXPECT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 5, 4, &out, decline), 0);
  EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, kFill));
  effect_.params.clear();  // the host passes no settings record
  EXPECT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 5, 4, &out), 0);
  EXPECT_TRUE(OutsideRectUntouched(out, 0, 0, 0, 0, kFill));
}

TEST_F(BloomRender, UnknownModesAndDirectionsRenderAsTheFirstOnes) {
  const FrameImage a = PatternFrame(12, 8, 3);
  const FrameImage b = PatternFrame(12, 8, 4);
  FrameImage reference = MakeFrameImage(12, 8, kFill);
  SetBloom(effect_, 0, 0, 0.3f);
  ASSERT_EQ(RenderRect(effect_, a, b, 0.45f, 0, 0, 12, 8, &reference), 1);
  const int32_t odd[][2] = {{5, 0}, {-1, 0}, {0, 21}, {0, -4}, {77, 999}};
  for (const auto& o : odd) {
    SetBloom(effect_, o[0], o[1], 0.3f);
    FrameImage out = MakeFrameImage(12, 8, kFill);
    ASSERT_EQ(RenderRect(effect_, a, b, 0.45f, 0, 0, 12, 8, &out), 1);
    EXPECT_EQ(out.pixels, reference.pixels) << "mode " << o[0] << " direction " << o[1];
  }
  // The reference is a real left-to-right sweep: k = 0.7 / 12 puts column 11 at 0.64.
  EXPECT_TRUE(RectEquals(reference, a, 11, 0, 1, 8));
}

TEST_F(BloomRender, DurationsOutsideTheDialogRangeStaySound) {
  const FrameImage a = SolidFrame(9, 3, 10, 10, 10);
  const FrameImage b = SolidFrame(9, 3, 250, 250, 250);
  const float inf = std::numeric_limits<float>::infinity();
  // A duration of 0 (or below) is a hard wipe: every pixel is one scene or the other.
  FrameImage out = MakeFrameImage(9, 3, kFill);
  for (float d : {0.0f, -0.5f}) {
    SetBloom(effect_, 1, 1, d);
    ASSERT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 9, 3, &out), 1);
    for (int32_t x = 0; x < 9; ++x) {
      const uint8_t v = PixelAt(out, x, 1)[0];
      EXPECT_TRUE(v == 10 || v == 250) << x;
    }
    EXPECT_EQ(PixelAt(out, 0, 1)[0], 250);
    EXPECT_EQ(PixelAt(out, 8, 1)[0], 10);
  }
  // Values no dialog can produce leave the picture at scene A instead of garbage.
  for (float d : {std::numeric_limits<float>::quiet_NaN(), inf, -inf}) {
    for (int32_t mode = 0; mode <= 4; ++mode) {
      SetBloom(effect_, mode, 13, d);
      FrameImage odd = MakeFrameImage(9, 3, kFill);
      ASSERT_EQ(RenderRect(effect_, a, b, 0.5f, 0, 0, 9, 3, &odd), 1);
      EXPECT_TRUE(RectEquals(odd, a, 0, 0, 9, 3)) << "duration " << d << " mode " << mode;
    }
  }
  // Progress beyond the range counts as its nearest end.
  SetBloom(effect_, 0, 6, 0.2f);
  ASSERT_EQ(RenderRect(effect_, a, b, 7.0f, 0, 0, 9, 3, &out), 1);
  EXPECT_TRUE(RectEquals(out, b, 0, 0, 9, 3));
  ASSERT_EQ(RenderRect(effect_, a, b, -3.0f, 0, 0, 9, 3, &out), 1);
  EXPECT_TRUE(RectEquals(out, a, 0, 0, 9, 3));
}

}  // namespace
}  // namespace zk
