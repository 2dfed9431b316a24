// Twister through its real entry points: hand-worked rows on small frames, the turn order
// of the rows, the gap fill, the settings record and its defaults, and odd records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "test_support.h"
#include "twister_params.h"

namespace zk {
namespace {

using namespace test;

struct Bgr {
  uint8_t b, g, r;
  bool operator==(const Bgr& o) const { return b == o.b && g == o.g && r == o.r; }
};
std::ostream& operator<<(std::ostream& os, const Bgr& p) {
  return os << "(" << int(p.b) << "," << int(p.g) << "," << int(p.r) << ")";
}

Bgr At(const FrameImage& f, int32_t x, int32_t row) {
  const uint8_t* p = PixelAt(f, x, row);
  return Bgr{p[0], p[1], p[2]};
}
void Put(FrameImage& f, int32_t x, int32_t row, Bgr c) {
  uint8_t* p = PixelAt(f, x, row);
  p[0] = c.b;
  p[1] = c.g;
  p[2] = c.r;
}

TwisterParams Settings(int32_t bend, int32_t shading, float turnTime, uint32_t background = 0,
                       uint32_t special = 0) {
  TwisterParams p;
  p.backgroundColour = background;
  p.bendDegrees = bend;
  p.shadingMode = shading;
  p.specialColour = special;
  p.turnTime = turnTime;
  return p;
}

class TwisterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("twister", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  void Use(const TwisterParams& p) {
    ASSERT_EQ(effect_.params.size(), sizeof p);
    std::memcpy(effect_.params.data(), &p, sizeof p);
  }
  // The whole frame as the rectangle.
  FrameImage Render(const FrameImage& a, const FrameImage& b, float progress) {
    FrameImage out = MakeFrameImage(a.width, a.height, 0xEE);
    EXPECT_EQ(1, RenderEffectFrame(effect_, a, b, progress, RenderChoices(), &out));
    return out;
  }
  HostedEffect effect_;
};

TEST_F(TwisterTest, DescribesItselfAndWritesItsDefaults) {
  EXPECT_STREQ(effect_.info.effectName, "Twister-Zelkor");
  EXPECT_STREQ(effect_.info.groupName, "Zelkor");
  EXPECT_STREQ(effect_.info.description, "Twisting scenes");
  EXPECT_EQ(effect_.info.extraMask, 256u);
  EXPECT_EQ(effect_.info.extraDefault, 0u);
  EXPECT_EQ(effect_.info.variantMask, 0u);
  EXPECT_EQ(effect_.info.paramBlockSize, 20);
  EXPECT_EQ(effect_.info.tailValue, 40u);

  std::vector<uint8_t> block(20, 0xAB);
  ASSERT_EQ(1, effect_.module.getDefault(block.data()));
  const std::vector<uint8_t> expected = {0, 0, 0, 0, 180, 0, 0,    0,    1,    0,
                                         0, 0, 0, 0, 0,   0, 0x33, 0x33, 0x33, 0x3F};
  EXPECT_EQ(block, expected);
  EXPECT_EQ(1, effect_.module.getDefault(nullptr));
  EXPECT_EQ(effect_.params, expected);  // the host's record was filled the same way
}

TEST_F(TwisterTest, ProgressOneIsSceneBExactlyInEveryMode) {
  const FrameImage a = PatternFrame(12, 9, 11);
  const FrameImage b = PatternFrame(12, 9, 12);
  for (int32_t bend : {180, 540}) {
    for (int32_t shading : {0, 1, 2}) {
      for (float turnTime : {0.7f, 0.0f, 1.0f, 0.3f}) {
        Use(Settings(bend, shading, turnTime, 0x0000FF, 0xFF8000));
        FrameImage out = MakeFrameImage(12, 9, 0xEE);
        ASSERT_EQ(1, RenderRect(effect_, a, b, 1.0f, 3, 2, 7, 5, &out));
        for (int32_t row = 2; row < 7; ++row)
          for (int32_t x = 3; x < 10; ++x)
            ASSERT_EQ(At(out, x, row), At(b, x, row))
                << "bend " << bend << " shading " << shading << " turn " << turnTime;
        EXPECT_TRUE(OutsideRectUntouched(out, 3, 2, 7, 5, 0xEE));
      }
    }
  }
}

// Four columns at 90 degrees: every column projects onto column 2 (W/2), the last one
// written being source column 3, which shows scene A mirrored, so A's column 0. The shade
// is 0.5, so each byte is trunc(trunc(c * 0.5) + S * 0.5) toward the red background.
TEST_F(TwisterTest, RowSeenEdgeOnIsHalfRed) {
  FrameImage a = PatternFrame(4, 3, 5);
  const FrameImage b = PatternFrame(4, 3, 6);
  for (int32_t row = 0; row < 3; ++row) Put(a, 0, row, Bgr{100, 51, 201});
  Use(Settings(180, kTwisterShadeToBackground, 1.0f, 0x0000FF));
  const FrameImage out = Render(a, b, 0.5f);  // 1 - p = 0.5: 180 * 0.5 = 90 degrees
  const Bgr red{0, 0, 255};
  for (int32_t row = 0; row < 3; ++row) {
    EXPECT_EQ(At(out, 0, row), red);
    EXPECT_EQ(At(out, 1, row), red);
    EXPECT_EQ(At(out, 2, row), (Bgr{50, 25, 227}));  // 100/2, 51/2, trunc(100 + 127.5)
    EXPECT_EQ(At(out, 3, row), red);
  }
}

// At 0 and 180 degrees the shade is 1: no red enters, whatever the background.
TEST_F(TwisterTest, RowsFacingTheViewerCarryNoShade) {
  const FrameImage a = PatternFrame(3, 4, 7);
  const FrameImage b = PatternFrame(3, 4, 8);
  Use(Settings(180, kTwisterShadeToBackground, 1.0f, 0x0000FF));
  const FrameImage start = Render(a, b, 0.0f);  // 180 degrees; odd width maps exactly
  const FrameImage end = Render(a, b, 1.0f);
  for (int32_t row = 0; row < 4; ++row) {
    for (int32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(At(start, x, row), At(a, x, row));
      EXPECT_EQ(At(end, x, row), At(b, x, row));
    }
  }
}

// At 180 degrees theta is the float just above pi: for width 4 column x (= w - 2) lands at
// 2 - x, clamped to 3, so the mirrored scene A appears one column to the right and column 0
// keeps the background.
TEST_F(TwisterTest, HalfTurnShiftsEvenWidthsByOneColumn) {
  const FrameImage a = PatternFrame(4, 2, 9);
  const FrameImage b = PatternFrame(4, 2, 10);
  Use(Settings(180, kTwisterShadeToSpecial, 0.7f, 0x102030, 0xFFFFFF));
  const FrameImage out = Render(a, b, 0.0f);
  for (int32_t row = 0; row < 2; ++row) {
    EXPECT_EQ(At(out, 0, row), (Bgr{0x10, 0x20, 0x30}));
    EXPECT_EQ(At(out, 1, row), At(a, 0, row));
    EXPECT_EQ(At(out, 2, row), At(a, 1, row));
    EXPECT_EQ(At(out, 3, row), At(a, 2, row));
  }
}

// 540 degrees with the turn over the whole transition: the angle is trunc(540 (1 - p)),
// reduced once by 360. p = 0: 180 (A); 0.25: 45 (B); 0.45: 297 (B); 0.6: 215 (A);
// 0.75: 135 (A); 0.9: 54 (B); 1: 0 (B).
TEST_F(TwisterTest, ThreeHalfTurnsShowABAB) {
  const FrameImage a = SolidFrame(1, 1, 10, 20, 30);
  const FrameImage b = SolidFrame(1, 1, 200, 100, 40);
  Use(Settings(540, kTwisterNoShading, 1.0f));
  const float progress[] = {0.0f, 0.25f, 0.45f, 0.6f, 0.75f, 0.9f, 1.0f};
  const bool showsA[] = {true, false, false, true, true, false, false};
  for (int i = 0; i < 7; ++i) {
    const FrameImage out = Render(a, b, progress[i]);
    EXPECT_EQ(At(out, 0, 0), showsA[i] ? At(a, 0, 0) : At(b, 0, 0)) << "p = " << progress[i];
  }
  // Shaded toward black at 45 degrees: v = (1 - 45/90) / 2 + 0.5 = 0.75.
  Use(Settings(540, kTwisterShadeToBackground, 1.0f));
  EXPECT_EQ(At(Render(a, b, 0.25f), 0, 0), (Bgr{150, 75, 30}));
  // 1 - p = 0.667: trunc(540 * 0.667) = 360, reduced to 0: scene B, unshaded.
  EXPECT_EQ(At(Render(a, b, 0.333f), 0, 0), At(b, 0, 0));
  // ... and toward a red background: trunc(40 * 0.75 + 255 * 0.25) = 93.
  Use(Settings(540, kTwisterShadeToBackground, 1.0f, 0x0000FF));
  EXPECT_EQ(At(Render(a, b, 0.25f), 0, 0), (Bgr{150, 75, 93}));
}

// A rectangle one pixel wide: x = 0 projects to X = 0 at every angle, so the column always
// shows its own row of A or B, never the background.
TEST_F(TwisterTest, WidthOneKeepsItsColumn) {
  const FrameImage a = PatternFrame(9, 6, 13);
  const FrameImage b = PatternFrame(9, 6, 14);
  Use(Settings(180, kTwisterNoShading, 0.7f, 0x00FF00));
  for (float p : {0.0f, 0.2f, 0.5f, 0.65f, 0.9f, 1.0f}) {
    FrameImage out = MakeFrameImage(9, 6, 0xEE);
    ASSERT_EQ(1, RenderRect(effect_, a, b, p, 5, 1, 1, 4, &out));
    for (int32_t row = 1; row < 5; ++row) {
      const Bgr got = At(out, 5, row);
      EXPECT_TRUE(got == At(a, 5, row) || got == At(b, 5, row)) << "p " << p << " row " << row;
    }
    EXPECT_TRUE(OutsideRectUntouched(out, 5, 1, 1, 4, 0xEE));
  }
}

// Rows of one column, A and B told apart per row.
void ExpectRowScenes(const FrameImage& out, const FrameImage& a, const FrameImage& b,
                     const std::vector<bool>& showsA) {
  for (int32_t row = 0; row < static_cast<int32_t>(showsA.size()); ++row)
    EXPECT_EQ(At(out, 0, row), showsA[row] ? At(a, 0, row) : At(b, 0, row)) << "row " << row;
}

TEST_F(TwisterTest, TurnTimeOneTurnsAllRowsTogether) {
  const FrameImage a = PatternFrame(1, 5, 15);
  const FrameImage b = PatternFrame(1, 5, 16);
  Use(Settings(180, kTwisterNoShading, 1.0f));
  ExpectRowScenes(Render(a, b, 0.45f), a, b, {true, true, true, true, true});       // 99 degrees
  ExpectRowScenes(Render(a, b, 0.55f), a, b, {false, false, false, false, false});  // 81
  // With half the transition per row the rows start 0.1 apart, the last row first: at
  // p = 0.5 rows 0-2 are at 180, 143 and 107 degrees, rows 3 and 4 at 71 and 35.
  Use(Settings(180, kTwisterNoShading, 0.5f));
  ExpectRowScenes(Render(a, b, 0.5f), a, b, {true, true, true, false, false});
}

// Turn time 0: rows start 1/4 apart and turn at once. At p = 0.5 row 2 starts exactly at
// 1 - p, where the turn's fraction is 0 / 0; it is taken as finished (angle 0, scene B).
TEST_F(TwisterTest, ZeroTurnTimeGivesEveryRowADefinedAngle) {
  const FrameImage a = PatternFrame(1, 4, 17);
  const FrameImage b = PatternFrame(1, 4, 18);
  Use(Settings(180, kTwisterShadeToBackground, 0.0f, 0xFFFFFF));
  ExpectRowScenes(Render(a, b, 0.5f), a, b, {true, true, false, false});
  ExpectRowScenes(Render(a, b, 0.0f), a, b, {true, true, true, true});
  ExpectRowScenes(Render(a, b, 1.0f), a, b, {false, false, false, false});
}

// Width 8 at 30 degrees: columns 0-7 land at 1.15, 1.76, 2.44, 3.18, 4, 4.92, 5.94 and
// 7.10, so output column 6 lies between the last two, 0.0498 of the way from source 6.
TEST_F(TwisterTest, StretchedColumnsAreFilledFromTheirNeighbours) {
  FrameImage b = PatternFrame(8, 1, 19);
  const FrameImage a = PatternFrame(8, 1, 20);
  Put(b, 6, 0, Bgr{0, 100, 200});
  Put(b, 7, 0, Bgr{200, 100, 0});
  Use(Settings(180, kTwisterNoShading, 1.0f, 0x030201));
  const float p = 0.83f;  // 1 - p = 0.17000002: trunc(180 * 0.17000002) = 30 degrees
  FrameImage out = Render(a, b, p);
  EXPECT_EQ(At(out, 0, 0), (Bgr{3, 2, 1}));
  EXPECT_EQ(At(out, 1, 0), At(b, 1, 0));
  EXPECT_EQ(At(out, 2, 0), At(b, 2, 0));
  EXPECT_EQ(At(out, 3, 0), At(b, 3, 0));
  EXPECT_EQ(At(out, 4, 0), At(b, 5, 0));
  EXPECT_EQ(At(out, 5, 0), At(b, 6, 0));
  EXPECT_EQ(At(out, 6, 0), (Bgr{9, 100, 190}));  // 200 * 0.0498 = 9.95; 200 - 9.95
  EXPECT_EQ(At(out, 7, 0), At(b, 7, 0));

  // Shaded toward black, v = (1 - 30/90) / 2 + 0.5 = 5/6: a source byte c becomes
  // trunc(c v); a gap byte is the mix times v cut to a byte, then shaded like a source byte.
  Use(Settings(180, kTwisterShadeToBackground, 1.0f, 0x000000));
  out = Render(a, b, p);
  EXPECT_EQ(At(out, 7, 0), (Bgr{166, 83, 0}));
  EXPECT_EQ(At(out, 6, 0),
            (Bgr{6, 69, 131}));  // 9.95 -> 8 -> 6; 100 -> 83 -> 69; 190 -> 158 -> 131
}

TEST_F(TwisterTest, RectangleAwayFromTheOriginMatchesTheSameFrameAlone) {
  const FrameImage a = PatternFrame(13, 8, 21);
  const FrameImage b = PatternFrame(13, 8, 22);
  // The same pixels as a 5x3 frame of their own.
  FrameImage aPart = MakeFrameImage(5, 3), bPart = MakeFrameImage(5, 3);
  for (int32_t row = 0; row < 3; ++row)
    for (int32_t x = 0; x < 5; ++x) {
      Put(aPart, x, row, At(a, 6 + x, 4 + row));
      Put(bPart, x, row, At(b, 6 + x, 4 + row));
    }
  Use(Settings(540, kTwisterShadeToSpecial, 0.6f, 0x00FF00, 0x4080C0));
  for (float p : {0.1f, 0.37f, 0.5f, 0.8f}) {
    FrameImage whole = MakeFrameImage(13, 8, 0xEE);
    ASSERT_EQ(1, RenderRect(effect_, a, b, p, 6, 4, 5, 3, &whole));
    EXPECT_TRUE(OutsideRectUntouched(whole, 6, 4, 5, 3, 0xEE));
    const FrameImage alone = Render(aPart, bPart, p);
    for (int32_t row = 0; row < 3; ++row)
      for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(At(whole, 6 + x, 4 + row), At(alone, x, row));
    // Field mode is ignored.
    FrameImage field = MakeFrameImage(13, 8, 0xEE);
    RenderChoices choices;
    choices.fieldMode = 1;
    ASSERT_EQ(1, RenderRect(effect_, a, b, p, 6, 4, 5, 3, &field, choices));
    EXPECT_EQ(field.pixels, whole.pixels);
  }
}

TEST_F(TwisterTest, MissingRecordRendersWithTheDefaults) {
  const FrameImage a = PatternFrame(7, 5, 25);
  const FrameImage b = PatternFrame(7, 5, 26);
  const FrameImage withDefaults = Render(a, b, 0.4f);
  effect_.params.clear();  // the host hands a null record
  EXPECT_EQ(Render(a, b, 0.4f).pixels, withDefaults.pixels);
}

// Records the dialog never writes (a damaged file, a foreign host): any bend, shading or
// turn time renders inside the rectangle and nowhere else.
TEST_F(TwisterTest, OddRecordsStayInsideTheRectangle) {
  const FrameImage a = PatternFrame(9, 7, 27);
  const FrameImage b = PatternFrame(9, 7, 28);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const TwisterParams odd[] = {
      Settings(-7, 9, 0.5f),  Settings(1 << 30, -3, 0.2f), Settings(-2147483647 - 1, 1, 1e-30f),
      Settings(360, 2, nan),  Settings(720, 1, inf),       Settings(180, 1, -0.5f),
      Settings(540, 0, 7.0f), Settings(90, 1, 1e-45f),
  };
  for (const TwisterParams& p : odd) {
    Use(p);
    for (float progress : {0.0f, 0.3f, 0.77f, 1.0f}) {
      FrameImage out = MakeFrameImage(9, 7, 0xEE);
      ASSERT_EQ(1, RenderRect(effect_, a, b, progress, 2, 1, 6, 5, &out));
      EXPECT_TRUE(OutsideRectUntouched(out, 2, 1, 6, 5, 0xEE));
    }
  }
}

TEST_F(TwisterTest, TinyRectangles) {
  const FrameImage a = PatternFrame(6, 6, 29);
  const FrameImage b = PatternFrame(6, 6, 30);
  Use(Settings(180, kTwisterShadeToBackground, 0.7f, 0x0000FF));
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {0, 3}, {3, 0}};
  for (const auto& s : sizes) {
    for (float p : {0.0f, 0.5f, 1.0f}) {
      FrameImage out = MakeFrameImage(6, 6, 0xEE);
      ASSERT_EQ(1, RenderRect(effect_, a, b, p, 1, 1, s[0], s[1], &out));
      EXPECT_TRUE(OutsideRectUntouched(out, 1, 1, s[0], s[1], 0xEE));
      if (p != 1.0f) continue;
      for (int32_t row = 1; row < 1 + s[1]; ++row) {
        for (int32_t x = 1; x < 1 + s[0]; ++x) EXPECT_EQ(At(out, x, row), At(b, x, row));
      }
    }
  }
}

#if !defined(_WIN32)
// Without dialogs the configure call answers 1 and leaves the record as it was.
TEST_F(TwisterTest, NativeConfigureLeavesTheRecordAlone) {
  Use(Settings(540, 2, 0.25f, 0x123456, 0x654321));
  const std::vector<uint8_t> before = effect_.params;
  EXPECT_EQ(1, ConfigureEffect(effect_, nullptr, 0));
  EXPECT_EQ(effect_.params, before);
}
#endif

}  // namespace
}  // namespace zk
