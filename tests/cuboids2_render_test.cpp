// Cuboids II through the built module: scene A at rest and scene B at the end for several
// grids and directions, the background colour and bitmap, field mode, the request
// rectangle, repeatability, odd records and tiny rectangles.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cuboids2_params.h"
#include "image_files.h"
#include "test_support.h"

namespace zk {
namespace {

using test::OpenBuiltEffect;
using test::RenderRect;
using test::SolidFrame;

// Scene with blue = x, green = stored row, red fixed: where a block's pixels come from
// shows in every pixel.
FrameImage RampFrame(int32_t w, int32_t h, uint8_t red) {
  FrameImage f = MakeFrameImage(w, h);
  for (int32_t row = 0; row < h; ++row) {
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = PixelAt(f, x, row);
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(row);
      p[2] = red;
    }
  }
  return f;
}

bool Near(int a, int b, int tolerance) { return a - b <= tolerance && b - a <= tolerance; }

class Cuboids2RenderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("cuboids2", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  CuboidsParams& P() { return *reinterpret_cast<CuboidsParams*>(effect_.params.data()); }

  FrameImage Render(const FrameImage& a, const FrameImage& b, float progress, int32_t field = 0,
                    uint8_t fill = 0x5A) {
    FrameImage out = MakeFrameImage(a.width, a.height, fill);
    RenderChoices c;
    c.fieldMode = field;
    EXPECT_EQ(RenderEffectFrame(effect_, a, b, progress, c, &out), 1);
    return out;
  }

  // A frame 1 x 1 block turned a quarter about y: edge-on, the background fills the
  // corners.
  void EdgeOnBlock() {
    P().columns = 1;
    P().rows = 1;
    P().duration = 1.0f;
    P().zMove = 0.0f;
    P().fixedRotation = 1;
    P().rotationPattern = 0;
  }

  HostedEffect effect_;
};

TEST_F(Cuboids2RenderTest, DescribesItself) {
  EXPECT_EQ(effect_.info.paramBlockSize, 356);
  EXPECT_EQ(effect_.info.extraMask, 0x300u);
  EXPECT_EQ(effect_.info.extraDefault, 0u);
  EXPECT_STREQ(effect_.info.effectName, "Cuboids_II-Zelkor");
  EXPECT_STREQ(effect_.info.groupName, "Zelkor");
  EXPECT_STREQ(effect_.info.description, "Cuboids_II");
  ASSERT_EQ(effect_.params.size(), 356u);
  EXPECT_EQ(P().columns, 12);  // the host's defaults are "wave"
  EXPECT_EQ(P().direction, 6);
}

struct Grid {
  int32_t columns, rows, direction, fixed, pattern;
};
const Grid kGrids[] = {{12, 12, 6, 0, 0}, {7, 5, 1, 1, 2},  {21, 1, 5, 1, 3},
                       {1, 21, 3, 0, 0},  {3, 4, 12, 1, 4}, {9, 9, 18, 1, 5}};

// Two scenes of one colour each and two ramps (blue from the column, green from the row).
const FrameImage solidA = SolidFrame(200, 90, 10, 20, 30);
const FrameImage solidB = SolidFrame(200, 90, 200, 100, 50);
const FrameImage rampA = RampFrame(200, 90, 50);
const FrameImage rampB = RampFrame(200, 90, 220);

void UseGrid(CuboidsParams& p, const Grid& g) {
  p.columns = g.columns;
  p.rows = g.rows;
  p.direction = g.direction;
  p.fixedRotation = g.fixed;
  p.rotationPattern = g.pattern;
}

TEST_F(Cuboids2RenderTest, AtRestEveryBlockShowsSceneAOnItsOwnPixels) {
  for (const Grid& g : kGrids) {
    UseGrid(P(), g);
    P().backgroundColor = 0x00FF00;
    // Blocks tile the picture without gaps, unlit: exactly scene A, no background.
    const FrameImage solid = Render(solidA, solidB, 0.0f);
    EXPECT_EQ(solid.pixels, solidA.pixels) << g.columns << "x" << g.rows;
    // Each block samples its own pixels (bilinear at a fraction of a pixel).
    const FrameImage ramp = Render(rampA, rampB, 0.0f);
    for (int32_t row = 0; row < 90; ++row) {
      for (int32_t x = 0; x < 200; ++x) {
        const uint8_t* p = PixelAt(ramp, x, row);
        ASSERT_TRUE(Near(p[0], x, 1) && Near(p[1], row, 1) && p[2] == 50)
            << g.columns << "x" << g.rows << " at " << x << "," << row << ": " << int{p[0]} << ","
            << int{p[1]} << "," << int{p[2]};
      }
    }
  }
}

TEST_F(Cuboids2RenderTest, AtTheEndSceneBStandsUnmirrored) {
  for (const Grid& g : kGrids) {
    UseGrid(P(), g);
    // The float half turn leaves a lighting cosine of about 1e-7: bytes are B or B - 1.
    const FrameImage solid = Render(solidA, solidB, 1.0f);
    for (size_t i = 0; i < solid.pixels.size(); ++i) {
      const int want = solidB.pixels[i];
      ASSERT_TRUE(solid.pixels[i] == want || solid.pixels[i] == want - 1)
          << g.columns << "x" << g.rows << " byte " << i << " is " << int{solid.pixels[i]};
    }
    const FrameImage ramp = Render(rampA, rampB, 1.0f);
    for (int32_t row = 0; row < 90; ++row) {
      for (int32_t x = 0; x < 200; ++x) {
        const uint8_t* p = PixelAt(ramp, x, row);
        ASSERT_TRUE(Near(p[0], x, 2) && Near(p[1], row, 2) && Near(p[2], 220, 1))
            << g.columns << "x" << g.rows << " at " << x << "," << row << ": " << int{p[0]} << ","
            << int{p[1]} << "," << int{p[2]};
      }
    }
  }
}

TEST_F(Cuboids2RenderTest, SameProgressGivesTheSameFrameWhateverCameBefore) {
  const FrameImage a = test::PatternFrame(96, 64, 1);
  const FrameImage b = test::PatternFrame(96, 64, 2);
  const FrameImage first = Render(a, b, 0.37f);
  Render(a, b, 0.81f);
  Render(a, b, 0.12f);
  EXPECT_EQ(Render(a, b, 0.37f).pixels, first.pixels);
  // Mid-transition frames differ from both scenes and between progress values.
  EXPECT_NE(first.pixels, a.pixels);
  EXPECT_NE(first.pixels, Render(a, b, 0.5f).pixels);
}

TEST_F(Cuboids2RenderTest, DeclinesWithoutARecordOrInRequestModeOne) {
  test::ExpectDeclinesWithoutARecordOrInRequestModeOne(effect_);
}

TEST_F(Cuboids2RenderTest, DrawsFromTheFrameOriginWhateverTheRectangleOffset) {
  test::ExpectRectangleDrawsFromTheFrameOrigin(effect_);
}

TEST_F(Cuboids2RenderTest, BackgroundColourShowsWhereTheBlockTurnedAway) {
  EdgeOnBlock();
  P().backgroundColor = 0x123456;
  const FrameImage a = SolidFrame(80, 40, 1, 1, 1);
  const FrameImage out = Render(a, a, 0.5f);
  const uint8_t* corner = PixelAt(out, 0, 0);
  EXPECT_EQ(corner[0], 0x12);
  EXPECT_EQ(corner[1], 0x34);
  EXPECT_EQ(corner[2], 0x56);
  EXPECT_EQ(PixelAt(out, 79, 39)[0], 0x12);
}

// An 8-bit, 2 x 2 bitmap: bottom row `bottom`, top row `top` (blue, green, red).
void WriteTwoRowBitmap(const std::string& path, const uint8_t bottom[3], const uint8_t top[3]) {
  std::vector<uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0};
  const uint8_t info[40] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0};
  f.insert(f.end(), info, info + 40);
  f[14 + 32] = 2;  // two colours
  f.insert(f.end(), {bottom[0], bottom[1], bottom[2], 0, top[0], top[1], top[2], 0});
  f.insert(f.end(), {0, 0, 0, 0, 1, 1, 0, 0});
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(f.data(), 1, f.size(), out);
  std::fclose(out);
}

TEST_F(Cuboids2RenderTest, BitmapBackgroundIsReadAgainEveryFrameAndStandsUpright) {
  EdgeOnBlock();
  P().backgroundColor = 0x00FF00;
  P().backgroundType = 1;
  const std::string path = test::TempPath("cuboids2_background.bmp");
  ASSERT_LT(path.size(), sizeof P().backgroundFile);
  std::strcpy(P().backgroundFile, path.c_str());
  const uint8_t red[3] = {0, 0, 255}, blue[3] = {255, 0, 0}, white[3] = {255, 255, 255};
  WriteTwoRowBitmap(path, red, blue);
  const FrameImage a = SolidFrame(80, 40, 1, 1, 1);
  FrameImage out = Render(a, a, 0.5f);
  // Stored row 0 is the bottom of the picture: the bitmap's bottom row, red.
  EXPECT_EQ(PixelAt(out, 0, 0)[2], 255);
  EXPECT_EQ(PixelAt(out, 0, 0)[0], 0);
  EXPECT_EQ(PixelAt(out, 0, 39)[0], 255);
  EXPECT_EQ(PixelAt(out, 0, 39)[2], 0);
  WriteTwoRowBitmap(path, white, white);
  out = Render(a, a, 0.5f);
  EXPECT_EQ(PixelAt(out, 0, 0)[1], 255);
  EXPECT_EQ(PixelAt(out, 79, 39)[2], 255);
  // Unreadable: the colour instead.
  std::remove(path.c_str());
  out = Render(a, a, 0.5f);
  EXPECT_EQ(PixelAt(out, 0, 0)[0], 0);
  EXPECT_EQ(PixelAt(out, 0, 0)[1], 255);
  // A path that fills the whole buffer without a terminator is not read past its end.
  std::memset(P().backgroundFile, 'x', sizeof P().backgroundFile);
  out = Render(a, a, 0.5f);
  EXPECT_EQ(PixelAt(out, 0, 0)[1], 255);
}

TEST_F(Cuboids2RenderTest, FieldModeLaysTheSceneOverTwiceTheRows) {
  const FrameImage solidA = SolidFrame(120, 30, 10, 20, 30);
  const FrameImage solidB = SolidFrame(120, 30, 200, 100, 50);
  EXPECT_EQ(Render(solidA, solidB, 0.0f, 1).pixels, solidA.pixels);
  const FrameImage rampA = RampFrame(120, 30, 50);
  const FrameImage out = Render(rampA, rampA, 0.0f, 1);
  for (int32_t row = 0; row < 30; ++row) {
    for (int32_t x = 0; x < 120; ++x) {
      const uint8_t* p = PixelAt(out, x, row);
      ASSERT_TRUE(Near(p[0], x, 1) && Near(p[1], row, 1)) << x << "," << row;
    }
  }
  // Half-way, field mode differs from frame mode.
  EXPECT_NE(Render(rampA, solidB, 0.5f, 1).pixels, Render(rampA, solidB, 0.5f, 0).pixels);
}

TEST_F(Cuboids2RenderTest, OutlineWhitensTheEdgesOfEveryFace) {
  P().outline = 1;
  const FrameImage a = SolidFrame(240, 120, 10, 20, 30);
  const FrameImage out = Render(a, a, 0.0f);  // cells of 20 x 10
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(PixelAt(out, 0, 0)[c], 255);
    EXPECT_EQ(PixelAt(out, 19, 5)[c], 255);
    EXPECT_EQ(PixelAt(out, 20, 5)[c], 255);
  }
  // Each face is two triangles: the span ends along the shared diagonal are edges too
  // (row 5 of the first cell: the diagonal crosses at x = 0.01 + 5 * 19 / 9 = 10.57).
  EXPECT_EQ(PixelAt(out, 10, 5)[0], 255);
  EXPECT_EQ(PixelAt(out, 5, 5)[0], 10);
  EXPECT_EQ(PixelAt(out, 25, 15)[2], 30);
}

TEST_F(Cuboids2RenderTest, TinyRectanglesAndOnePixelCellsStayInside) {
  const FrameImage a = test::PatternFrame(12, 9, 5);
  const FrameImage b = test::PatternFrame(12, 9, 6);
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {12, 9}};
  for (int32_t columns : {12, 3}) {
    P().columns = columns;  // 12 on 12 pixels: cells exactly one pixel wide
    P().rows = 9;
    for (const auto& s : sizes) {
      for (float p : {0.0f, 0.3f, 0.6f, 1.0f}) {
        for (int32_t field : {0, 1}) {
          FrameImage out = MakeFrameImage(12, 9, 0x44);
          RenderChoices c;
          c.fieldMode = field;
          ASSERT_EQ(RenderRect(effect_, a, b, p, 4, 2, s[0], s[1], &out, c), 1);
          ASSERT_TRUE(test::OutsideRectUntouched(out, 0, 0, s[0], s[1], 0x44))
              << s[0] << "x" << s[1] << " p " << p << " field " << field;
        }
      }
    }
  }
}

TEST_F(Cuboids2RenderTest, BlocksPassingTheEyeFinish) {
  // One block lifted almost to the eye and turned: corners reach behind the eye plane.
  P().columns = 1;
  P().rows = 1;
  P().zMove = 1.0f;
  P().deep = 2.0f;
  P().fixedRotation = 1;
  P().rotationPattern = 4;
  P().duration = 1.0f;
  const FrameImage a = test::PatternFrame(64, 48, 7);
  for (float p : {0.3f, 0.45f, 0.5f, 0.55f}) Render(a, a, p);
}

TEST_F(Cuboids2RenderTest, ZelkorAppliesPresetsAndTheBackgroundFile) {
  const FrameImage a = RampFrame(64, 36, 40);
  const FrameImage b = test::PatternFrame(64, 36, 8);
  const std::string pa = test::TempPath("cuboids2_cli_a.bmp");
  const std::string pb = test::TempPath("cuboids2_cli_b.bmp");
  const std::string po = test::TempPath("cuboids2_cli_out.bmp");
  const std::string bg = test::TempPath("cuboids2_cli_bg.bmp");
  std::string error;
  ASSERT_TRUE(WriteImageFile(pa, a, &error)) << error;
  ASSERT_TRUE(WriteImageFile(pb, b, &error)) << error;
  const uint8_t grey[3] = {90, 90, 90};
  WriteTwoRowBitmap(bg, grey, grey);

  ASSERT_EQ(test::RunZelkor("render cuboids2 --from " + pa + " --to " + pb +
                            " --preset \"high fly\" --progress 0.5 --out " + po),
            0);
  FrameImage got;
  ASSERT_TRUE(ReadBmp24(po, &got, &error)) << error;
  ApplyCuboidsPreset(&P(), 4);
  EXPECT_EQ(got.pixels, Render(a, b, 0.5f).pixels);

  ASSERT_EQ(test::RunZelkor("render cuboids2 --from " + pa + " --to " + pb +
                            " --preset 0 --set backgroundType=1 --set backgroundFile=" + bg +
                            " --set zMove=0 --progress 0.5 --out " + po),
            0);
  ASSERT_TRUE(ReadBmp24(po, &got, &error)) << error;
  EXPECT_EQ(PixelAt(got, 0, 0)[0], 90);
  EXPECT_EQ(PixelAt(got, 63, 35)[2], 90);
  for (const std::string& p : {pa, pb, po, bg}) std::remove(p.c_str());
}

}  // namespace
}  // namespace zk
