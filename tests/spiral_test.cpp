// Spiral through its module: turned source pixels worked out by hand on 5 x 5 and 4 x 4
// frames in both windings, the host's fill colour, end points, field mode, rectangles.
// Also the description words of the three modules built alongside it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "reshaped_frames.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;

constexpr uint32_t kFill = 0x00C08040;  // red 0x40, green 0x80, blue 0xC0

class SpiralTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::OpenBuiltEffect("spiral", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, uint32_t variant,
                    int32_t field = 0, int32_t result = 1) {
    FrameImage out = MakeFrameImage(a.width, a.height, 0x99);
    RenderChoices c;
    c.variantFlags = variant;
    c.extraColor = kFill;
    c.fieldMode = field;
    EXPECT_EQ(result, RenderEffectFrame(effect_, a, b, p, c, &out));
    return out;
  }

  HostedEffect effect_;
};

struct Source {
  int32_t x, row, sx, srow;  // sx < 0: the source is outside, the fill shows
};

// Each listed output pixel is the blend at its source, with 1 - p a float, or the fill.
void ExpectSources(const FrameImage& out, const FrameImage& a, const FrameImage& b, float p,
                   std::initializer_list<Source> sources) {
  for (const Source& s : sources)
    for (int32_t k = 0; k < 3; ++k) {
      const int fill = (kFill >> (16 - 8 * k)) & 0xFF;
      EXPECT_EQ(s.sx < 0 ? fill
                         : test::BlendByte(PixelAt(a, s.sx, s.srow)[k], PixelAt(b, s.sx, s.srow)[k],
                                           1.0f - p, p),
                PixelAt(out, s.x, s.row)[k])
          << "pixel " << s.x << "," << s.row << " from " << s.sx << "," << s.srow;
    }
}

// 5 x 5 at p = 0.25: centre (2, 2), Rmax = trunc(sqrt 8) = 2; distances truncate to 0, 1
// and 2, so the turns 2p x rn x 360 are 0, 90 and 180 degrees. 180 x 0.017453292222222222
// = 3.1415926 falls short of pi: sin = +5.4e-8, the float-rounded cosine -1 + 1.1e-14. So
// (0, 0), at (-2, -2) from the centre, reads sx = trunc(-2 cos + 2 sin + 2) = trunc(4.0000001)
// = 4 and sy = trunc(-2 sin - 2 cos + 2) = trunc(3.9999999) = 3. At 90 degrees the float
// cosine is +7.6e-8 and sin 1 - 3e-16. Inner pixels (2, 1) and (3, 2) land within an ulp of
// a whole number and are left out.
const std::initializer_list<Source> kOuterRing = {
    {0, 0, 4, 3}, {1, 0, 3, 3}, {2, 0, 2, 3}, {3, 0, 1, 4}, {4, 0, 0, 4}, {0, 1, 4, 2},
    {4, 1, 0, 3}, {0, 2, 3, 1}, {4, 2, 0, 2}, {0, 3, 3, 0}, {4, 3, 0, 1}, {0, 4, 3, 0},
    {1, 4, 2, 0}, {2, 4, 1, 0}, {3, 4, 0, 0}, {4, 4, 0, 0}};

TEST_F(SpiralTest, QuarterWayTurnsByHandInBothWindings) {
  const FrameImage a = PatternFrame(5, 5, 1), b = PatternFrame(5, 5, 2);
  for (uint32_t variant : {2u, 0u, 3u}) {  // every value but 1 winds the same way
    const FrameImage out = Render(a, b, 0.25f, variant);
    ExpectSources(out, a, b, 0.25f, kOuterRing);
    ExpectSources(out, a, b, 0.25f,
                  {{2, 2, 2, 2},
                   {1, 1, 2, 0},
                   {3, 1, 3, 2},
                   {1, 2, 1, 1},
                   {1, 3, 0, 1},
                   {2, 3, 1, 2},
                   {3, 3, 1, 3}});
  }
  // Variant 1 turns by 360 - a: the inner ring by 270, the centre by 360 (it has nowhere
  // to go), the outer ring by 180 as before.
  const FrameImage out = Render(a, b, 0.25f, 1);
  ExpectSources(out, a, b, 0.25f, kOuterRing);
  ExpectSources(out, a, b, 0.25f,
                {{2, 2, 2, 2},
                 {1, 1, 0, 2},
                 {2, 1, 1, 1},
                 {3, 1, 1, 0},
                 {1, 2, 1, 2},
                 {3, 2, 2, 1},
                 {1, 3, 2, 3},
                 {2, 3, 2, 2},
                 {3, 3, 3, 1}});
}

TEST_F(SpiralTest, SourcesOutsideTheRectangleShowTheHostColour) {
  // 4 x 4: centre (2, 2), columns -2..1 from it; the half turn sends (0, 0) and (0, 1) to
  // column 4 and (3, 0) to line 4.
  const FrameImage a = PatternFrame(4, 4, 5), b = PatternFrame(4, 4, 6);
  ExpectSources(Render(a, b, 0.25f, 2), a, b, 0.25f,
                {{0, 0, -1, 0},
                 {3, 0, -1, 0},
                 {0, 1, -1, 0},
                 {1, 0, 3, 3},
                 {2, 0, 2, 3},
                 {0, 2, 3, 1},
                 {0, 3, 3, 0},
                 {1, 1, 2, 0},
                 {3, 3, 1, 3}});
  // A single pixel has no radius: the fill stays and the call answers 0.
  const FrameImage one = PatternFrame(1, 1, 7);
  const FrameImage out = Render(one, one, 0.5f, 2, 0, 0);
  ExpectSources(out, one, one, 0.5f, {{0, 0, -1, 0}});
  EXPECT_EQ(0x99, out.pixels[3]);
}

TEST_F(SpiralTest, EndPoints) {
  // p = 0 shows A; in field mode even a 1 x 1 rectangle has two lines and a radius.
  for (int32_t w : {1, 2, 5, 16, 33})
    for (int32_t h : {2, 3, 12}) {
      const FrameImage a = PatternFrame(w, h, 7), b = PatternFrame(w, h, 8);
      for (int32_t field : {0, 1})
        for (uint32_t variant : {0u, 2u, 3u})
          EXPECT_TRUE(test::SamePicture(a, Render(a, b, 0.0f, variant, field)))
              << w << "x" << h << " field " << field << " variant " << variant;
    }
  // p = 1: every pixel turned 360 x 0.017453292222222222, a hair short of a whole turn,
  // shows B at itself or one column or line back; the centre exactly.
  const FrameImage a = PatternFrame(31, 19, 9), b = PatternFrame(31, 19, 10);
  const FrameImage out = Render(a, b, 1.0f, 2);
  for (int32_t row = 0; row < 19; ++row)
    for (int32_t x = 0; x < 31; ++x) {
      bool found = false;
      for (int32_t sr = row; sr >= 0 && sr >= row - 1; --sr)
        for (int32_t sx = x; sx >= 0 && sx >= x - 1; --sx)
          found = found || std::memcmp(PixelAt(out, x, row), PixelAt(b, sx, sr), 3) == 0;
      EXPECT_TRUE(found) << x << "," << row;
    }
  ExpectSources(out, a, b, 1.0f, {{15, 9, 15, 9}});
  // p = 0.5: the centre stays, the rim turns a full turn; corner (20, 14) of 21 x 15 is on
  // the rim (r = 12 = Rmax) and reads line trunc(13.999999) = 13.
  const FrameImage a2 = PatternFrame(21, 15, 11), b2 = PatternFrame(21, 15, 12);
  ExpectSources(Render(a2, b2, 0.5f, 2), a2, b2, 0.5f, {{10, 7, 10, 7}, {20, 14, 20, 13}});
}

TEST_F(SpiralTest, FieldModeMatchesTheDoubledPicture) {
  const FrameImage a = PatternFrame(27, 13, 15), b = PatternFrame(27, 13, 16);
  const FrameImage a2 = test::DoubleEachRow(a), b2 = test::DoubleEachRow(b);
  for (uint32_t variant : {1u, 2u})
    for (float p : {0.1f, 0.35f, 0.5f, 0.8f, 1.0f}) {
      const FrameImage field = Render(a, b, p, variant, 1), full = Render(a2, b2, p, variant);
      for (int32_t row = 0; row < 13; ++row)
        ASSERT_EQ(0, std::memcmp(PixelAt(field, 0, row), PixelAt(full, 0, 2 * row), 27 * 3))
            << "variant " << variant << " p " << p << " row " << row;
    }
}

TEST_F(SpiralTest, RectanglesAwayFromTheOriginOrTinyStayInside) {
  const FrameImage a = PatternFrame(40, 30, 17), b = PatternFrame(40, 30, 18);
  const FrameImage ca = test::CropFrame(a, 11, 6, 21, 15), cb = test::CropFrame(b, 11, 6, 21, 15);
  // {w, h, field, result}: Rmax is 0 only when neither half-size reaches 1.
  const int32_t cases[][4] = {{21, 15, 0, 1}, {21, 15, 1, 1}, {1, 1, 0, 0}, {1, 1, 1, 1},
                              {2, 2, 0, 1},   {3, 5, 1, 1},   {0, 0, 0, 0}, {0, 3, 0, 1}};
  for (const auto& r : cases)
    for (uint32_t variant : {1u, 2u})
      for (float p : {0.0f, 0.2f, 0.5f, 0.9f, 1.0f}) {
        FrameImage out = MakeFrameImage(40, 30, 0x71);
        RenderChoices c;
        c.variantFlags = variant;
        c.extraColor = kFill;
        c.fieldMode = r[2];
        ASSERT_EQ(r[3], test::RenderRect(effect_, a, b, p, 11, 6, r[0], r[1], &out, c));
        EXPECT_TRUE(test::OutsideRectUntouched(out, 11, 6, r[0], r[1], 0x71));
        if (r[0] == 21) {
          EXPECT_TRUE(test::RectHolds(out, 11, 6, Render(ca, cb, p, variant, r[2])))
              << "variant " << variant << " field " << r[2] << " p " << p;
        }
      }
}

// The words each module writes, and the ones it must leave as the host put them.
TEST(SwayColorsSpiralDescription, Words) {
  struct Words {
    const char* name;
    uint32_t variantMask, variantDefault, extraMask, extraDefault, extraAlternate, auxWord;
  };
  for (const Words& w : {Words{"dream", 0, 0, 0xABABABAB, 0, 0, 0},
                         Words{"colors", 0x30000, 0x20000, 0xABABABAB, 0, 0, 0},
                         Words{"spiral", 3, 2, 8, 8, 8, 2}}) {
    SCOPED_TRACE(w.name);
    LoadedModule m;
    std::string error;
    ASSERT_TRUE(LoadModule(ModulePath(ZELKOR_TEST_MODULE_DIR, w.name), &m, &error)) << error;
    EffectInfo info;
    std::memset(&info, 0xAB, sizeof info);
    ASSERT_EQ(1, m.getEffInfo(&info));
    const std::vector<uint32_t> got = {info.variantMask, info.variantDefault, info.variantAlternate,
                                       info.extraMask,   info.extraDefault,   info.extraAlternate,
                                       info.auxWord,     info.tailValue};
    EXPECT_EQ(std::vector<uint32_t>({w.variantMask, w.variantDefault, 0, w.extraMask,
                                     w.extraDefault, w.extraAlternate, w.auxWord, 40}),
              got);
    EXPECT_EQ(static_cast<int32_t>(0xABABABAB), info.paramBlockSize);
    UnloadModule(&m);
  }
}

}  // namespace
}  // namespace zk
