// The triangle renderer: rows, spans, depth margin, outline, texturing and lighting, with
// expectations worked out by hand on tiny images.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kit3d_test_images.h"
#include "triangle_renderer.h"

namespace zk {
namespace {

using test::TestPlane;

constexpr uint8_t kGuard = 0x11;

CameraSetup Camera(uint32_t distance, float* depth = nullptr, int32_t outline = 0) {
  return CameraSetup{Point3{10, 0, 0}, 0xFFFFFF, distance, depth, outline};
}

ShadedTriangle Flat(RasterVertex a, RasterVertex b, RasterVertex c, uint32_t colour) {
  return ShadedTriangle{{a, b, c}, Point3{0, 0, 0}, colour, 0.5f, 1, nullptr};
}

RasterVertex P(float x, float y, float z = 0, float u = 0, float v = 0) {
  return RasterVertex{x, y, z, u, v, 123.0f};
}

ShadedTriangle Textured(RasterVertex a, RasterVertex b, RasterVertex c, const ImagePlane* tex) {
  return ShadedTriangle{{a, b, c}, Point3{0, 0, 0}, 0, 0.5f, 1, tex};
}

bool HasColour(const uint8_t* p, uint8_t b, uint8_t g, uint8_t r) {
  return p[0] == b && p[1] == g && p[2] == r;
}

TEST(Kit3dRenderer, SingleRowTriangleDrawsOneSpan) {
  // Row 2 is the centre row (height 4), so it stays put whatever the depth.
  TestPlane img(8, 4, 1, 24, kGuard);
  CameraSetup cam = Camera(40);
  ShadedTriangle t = Flat(P(6, 2), P(1, 2), P(3, 2, 40), 0x306090);
  EXPECT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int x, int row) { return row == 2 && x >= 1 && x <= 6; }));
  for (int x = 1; x <= 6; ++x) EXPECT_TRUE(HasColour(img.At(x, 2), 0x30, 0x60, 0x90)) << x;
  // The normal of the unprojected vertices is stored: Cross((-5,0,0), (-3,0,40)).
  EXPECT_EQ(t.normal.x, 0.0f);
  EXPECT_EQ(t.normal.y, 200.0f);
  EXPECT_EQ(t.normal.z, 0.0f);
}

TEST(Kit3dRenderer, SpanWhoseEndsShareAColumnDrawsOnePixel) {
  TestPlane img(8, 6, 1, 24, kGuard);
  CameraSetup cam = Camera(100);
  ShadedTriangle t = Flat(P(2.2f, 0), P(2.8f, 0), P(2.5f, 4), 0x0000FF);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int x, int row) { return x == 2 && row <= 4; }));
  EXPECT_TRUE(HasColour(img.At(2, 4), 0, 0, 0xFF));
}

// Rows 1..5 of a right triangle: edge A stays at x = 1, edge B runs 6, 4.75, 3.5, 2.25, 1.
bool InStaircase(int x, int row) {
  static const int kLast[] = {-1, 6, 4, 3, 2, 1};
  return row >= 1 && row <= 5 && x >= 1 && x <= kLast[row];
}

TEST(Kit3dRenderer, SectionRowsAndSpanEnds) {
  TestPlane img(8, 7, 1, 24, kGuard);
  CameraSetup cam = Camera(100);
  ShadedTriangle t = Flat(P(1, 1), P(6, 1), P(1, 5), 0x102030);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  EXPECT_TRUE(img.OthersEqual(kGuard, InStaircase));
  EXPECT_TRUE(HasColour(img.At(4, 2), 0x10, 0x20, 0x30));
}

TEST(Kit3dRenderer, OutlineBitWhitensSpanEndsAndSectionEndRows) {
  TestPlane img(8, 7, 1, 24, kGuard);
  CameraSetup cam = Camera(100, nullptr, 1);
  ShadedTriangle t = Flat(P(1, 1), P(6, 1), P(1, 5), 0x102030);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  EXPECT_TRUE(img.OthersEqual(kGuard, InStaircase));
  for (int x = 1; x <= 6; ++x) EXPECT_TRUE(HasColour(img.At(x, 1), 255, 255, 255));
  EXPECT_TRUE(HasColour(img.At(1, 5), 255, 255, 255));
  EXPECT_TRUE(HasColour(img.At(1, 2), 255, 255, 255));
  EXPECT_TRUE(HasColour(img.At(4, 2), 255, 255, 255));
  EXPECT_TRUE(HasColour(img.At(2, 2), 0x10, 0x20, 0x30));
  EXPECT_TRUE(HasColour(img.At(3, 2), 0x10, 0x20, 0x30));
  EXPECT_TRUE(HasColour(img.At(2, 3), 0x10, 0x20, 0x30));
  EXPECT_TRUE(HasColour(img.At(3, 3), 255, 255, 255));
  // Bit 1 alone is not the outline bit.
  TestPlane plain(8, 7, 1, 24, kGuard);
  CameraSetup cam2 = Camera(100, nullptr, 2);
  ShadedTriangle t2 = Flat(P(1, 1), P(6, 1), P(1, 5), 0x102030);
  DrawTriangle(&plain.plane, &cam2, &t2);
  EXPECT_TRUE(HasColour(plain.At(1, 1), 0x10, 0x20, 0x30));
}

TEST(Kit3dRenderer, DepthTestNeedsAMarginAboveOneHundredth) {
  TestPlane img(8, 6, 1, 24, kGuard);
  std::vector<float> depth(8 * 6, kDepthClear);
  CameraSetup cam = Camera(100, depth.data());
  auto cover = [&](float z, uint32_t colour) {
    ShadedTriangle t = Flat(P(-20, -20, z), P(40, -20, z), P(-20, 40, z), colour);
    return DrawTriangle(&img.plane, &cam, &t);
  };
  ASSERT_EQ(cover(0.0f, 0x0000FF), 1);
  EXPECT_EQ(depth[0], 0.0f);
  cover(0.0f, 0x00FF00);  // same depth: kept
  EXPECT_TRUE(HasColour(img.At(3, 3), 0, 0, 0xFF));
  cover(-0.005f, 0x00FF00);  // nearer, but by less than the margin: kept
  EXPECT_TRUE(HasColour(img.At(3, 3), 0, 0, 0xFF));
  EXPECT_EQ(depth[3 * 8 + 3], 0.0f);
  cover(-0.011f, 0xFF0000);  // more than 0.01 nearer: replaced, depth updated
  for (int row = 0; row < 6; ++row)
    for (int x = 0; x < 8; ++x)
      EXPECT_TRUE(HasColour(img.At(x, row), 0xFF, 0, 0)) << x << "," << row;
  EXPECT_EQ(depth[3 * 8 + 3], -0.011f);
  // Nothing past the last row or the row ends.
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int, int row) { return row < 6; }));
}

TEST(Kit3dRenderer, FieldModeRowsShareStoredRowsAndDepthEntries) {
  // Eight scene rows on four stored rows; the depth buffer is indexed by stored row.
  TestPlane img(4, 8, 2, 12, kGuard);
  img.plane.rowStep = 0;  // counts as 1 ... and is written back
  CameraSetup cam0 = Camera(100);
  ShadedTriangle probe = Flat(P(0, 0), P(1, 0), P(0, 1), 0);
  DrawTriangle(&img.plane, &cam0, &probe);
  EXPECT_EQ(img.plane.rowStep, 1);

  TestPlane field(4, 8, 2, 12, kGuard);
  std::vector<float> depth(4 * 8, kDepthClear);
  CameraSetup cam = Camera(100, depth.data());
  ShadedTriangle t = Flat(P(0, 5), P(3, 5), P(0, 7), 0x445566);
  ASSERT_EQ(DrawTriangle(&field.plane, &cam, &t), 1);
  // Scene rows 5..7 land on stored rows 2 and 3.
  EXPECT_TRUE(HasColour(field.At(0, 2), 0x44, 0x55, 0x66));
  EXPECT_TRUE(HasColour(field.At(0, 3), 0x44, 0x55, 0x66));
  EXPECT_TRUE(field.OthersEqual(kGuard, [](int, int row) { return row == 2 || row == 3; }));
  EXPECT_EQ(depth[2 * 4 + 0], 0.0f);
  EXPECT_EQ(depth[5 * 4 + 0], kDepthClear);  // scene-row indexing would have used this
}

TEST(Kit3dRenderer, RefusesMissingRecordsAndTheEyePlane) {
  TestPlane img(4, 4, 1, 12, kGuard);
  CameraSetup cam = Camera(50);
  ShadedTriangle t = Flat(P(0, 0), P(3, 0), P(0, 3, -50), 0xFFFFFF);
  EXPECT_EQ(DrawTriangle(&img.plane, &cam, &t), 0);
  EXPECT_EQ(DrawTriangle(nullptr, &cam, &t), 0);
  EXPECT_EQ(DrawTriangle(&img.plane, nullptr, &t), 0);
  EXPECT_EQ(DrawTriangle(&img.plane, &cam, nullptr), 0);
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int, int) { return false; }));
  // Entirely outside the image: nothing drawn, still 1.
  ShadedTriangle off = Flat(P(-30, -30), P(-20, -30), P(-30, -20), 0xFFFFFF);
  EXPECT_EQ(DrawTriangle(&img.plane, &cam, &off), 1);
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int, int) { return false; }));
}

TEST(Kit3dRenderer, ClipsToTheImage) {
  TestPlane img(5, 4, 1, 16, kGuard);  // one padding byte per row
  CameraSetup cam = Camera(100);
  ShadedTriangle t = Flat(P(-7, -3), P(30, -3), P(-7, 30), 0x010203);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int, int row) { return row < 4; }));
  EXPECT_TRUE(HasColour(img.At(4, 3), 1, 2, 3));
}

TEST(Kit3dRenderer, FlatLightingDarkensAwayFromTheLightAndBrightensTowardsIt) {
  // Normal (-16, 0, 16): cosine -0.70710677 with the light (10, 0, 0). s = 0.5 * 0.7071.
  TestPlane away(8, 8, 1, 24, kGuard);
  CameraSetup cam = Camera(100);
  ShadedTriangle t = Flat(P(1, 1), P(5, 1, 4), P(1, 5), 0xC86432);  // b 200, g 100, r 50
  ASSERT_EQ(DrawTriangle(&away.plane, &cam, &t), 1);
  // 200 * (1 - 0.35355338) = 129.29, 100 * ... = 64.64, 50 * ... = 32.32
  EXPECT_TRUE(HasColour(away.At(1, 2), 129, 64, 32));
  EXPECT_TRUE(HasColour(away.At(1, 3), 129, 64, 32));

  TestPlane towards(8, 8, 1, 24, kGuard);
  ShadedTriangle t2 = Flat(P(1, 1), P(1, 5), P(5, 1, 4), 0xC86432);
  ASSERT_EQ(DrawTriangle(&towards.plane, &cam, &t2), 1);
  // 255 * 0.35355338 + 200 * 0.64644662 = 219.45, g 154.80, r 122.48
  EXPECT_TRUE(HasColour(towards.At(1, 2), 219, 154, 122));
}

// A 3 x 2 texture: stored row 1 holds the three texels sampled below.
TestPlane ThreeByTwoTexture() {
  TestPlane tex(3, 2, 1, 12, 0xEE);
  tex.Set(0, 0, 1, 1, 1);
  tex.Set(1, 0, 2, 2, 2);
  tex.Set(2, 0, 3, 3, 3);
  tex.Set(0, 1, 10, 20, 30);
  tex.Set(1, 1, 50, 100, 200);
  tex.Set(2, 1, 7, 8, 9);
  return tex;
}

TEST(Kit3dRenderer, BilinearTexelsAndTheLastColumnAndRowWithoutNeighbours) {
  TestPlane tex = ThreeByTwoTexture();
  // Row 1 is the centre row of a 6 x 2 image. u runs 0.5 .. 2.5 across x = 0..4, v = 1.5
  // on the last texture row (no lower neighbour).
  TestPlane img(6, 2, 1, 20, kGuard);
  CameraSetup cam = Camera(100);
  ShadedTriangle t =
      Textured(P(0, 1, 0, 0.5f, 1.5f), P(4, 1, 0, 2.5f, 1.5f), P(2, 1, 10, 1.5f, 1.5f), &tex.plane);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  // The triangle lies in the plane y = 1: its normal is along y, so the light leaves the
  // texels unchanged.
  EXPECT_TRUE(HasColour(img.At(0, 1), 30, 60, 115));  // halfway between texels 0 and 1
  EXPECT_TRUE(HasColour(img.At(1, 1), 50, 100, 200));
  EXPECT_TRUE(HasColour(img.At(2, 1), 28, 54, 104));  // halfway between texels 1 and 2
  EXPECT_TRUE(HasColour(img.At(3, 1), 7, 8, 9));
  EXPECT_TRUE(HasColour(img.At(4, 1), 7, 8, 9));  // last column: no right neighbour
  EXPECT_TRUE(img.OthersEqual(kGuard, [](int x, int row) { return row == 1 && x <= 4; }));
}

TEST(Kit3dRenderer, VerticalBilinearBlendUsesTheNextStoredRow) {
  TestPlane tex = ThreeByTwoTexture();
  TestPlane img(6, 2, 1, 20, kGuard);
  CameraSetup cam = Camera(100);
  ShadedTriangle t = Textured(P(0, 1, 0, 1.0f, 0.25f), P(1, 1, 0, 1.0f, 0.25f),
                              P(2, 1, 10, 1.0f, 0.25f), &tex.plane);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  // 2 + (50 - 2) * 0.25 = 14, 2 + 98 * 0.25 = 26.5, 2 + 198 * 0.25 = 51.5
  EXPECT_TRUE(HasColour(img.At(0, 1), 14, 26, 51));
}

TEST(Kit3dRenderer, TexelsOutsideTheTextureRepeatTheLastColour) {
  TestPlane tex = ThreeByTwoTexture();
  TestPlane img(6, 2, 1, 20, kGuard);
  CameraSetup cam = Camera(100);
  // u = 1, 2, 3, 4: the last two fall past the texture's width.
  ShadedTriangle t =
      Textured(P(0, 1, 0, 1.0f, 1.0f), P(3, 1, 0, 4.0f, 1.0f), P(2, 1, 10, 1.0f, 1.0f), &tex.plane);
  ASSERT_EQ(DrawTriangle(&img.plane, &cam, &t), 1);
  EXPECT_TRUE(HasColour(img.At(1, 1), 7, 8, 9));
  EXPECT_TRUE(HasColour(img.At(2, 1), 7, 8, 9));
  EXPECT_TRUE(HasColour(img.At(3, 1), 7, 8, 9));
  // Walking the other way the first pixel is outside: the nearest edge texel stands in.
  TestPlane img2(6, 2, 1, 20, kGuard);
  ShadedTriangle t2 =
      Textured(P(3, 1, 0, 4.0f, 1.0f), P(0, 1, 0, 1.0f, 1.0f), P(2, 1, 10, 1.0f, 1.0f), &tex.plane);
  ASSERT_EQ(DrawTriangle(&img2.plane, &cam, &t2), 1);
  EXPECT_TRUE(HasColour(img2.At(3, 1), 7, 8, 9));
  EXPECT_TRUE(HasColour(img2.At(0, 1), 50, 100, 200));
}

TEST(Kit3dRenderer, QuadShowsTheFrontOrTheMirroredBack) {
  TestPlane front(4, 4, 1, 12, 0);
  TestPlane back(4, 4, 1, 12, 0);
  for (int row = 0; row < 4; ++row) {
    for (int x = 0; x < 4; ++x) {
      front.Set(x, row, static_cast<uint8_t>(10 * x + row), 1, 1);
      back.Set(x, row, static_cast<uint8_t>(100 + 10 * x + row), 2, 2);
    }
  }
  CameraSetup cam = Camera(100);
  // Unturned card: the front texture on its own pixels.
  QuadCard card{{RasterVertex{0, 0, 0, 0, 0, 0}, RasterVertex{3, 0, 0, 3, 0, 0},
                 RasterVertex{0, 3, 0, 0, 3, 0}, RasterVertex{3, 3, 0, 3, 3, 0}},
                FaceLook{0xFF, 0.5f, 1, &front.plane},
                FaceLook{0xFF00, 0.5f, 1, &back.plane}};
  TestPlane img(4, 4, 1, 12, kGuard);
  ASSERT_EQ(DrawQuad(&img.plane, &cam, &card), 1);
  EXPECT_TRUE(HasColour(img.At(1, 2), 12, 1, 1));
  EXPECT_TRUE(HasColour(img.At(3, 0), 30, 1, 1));
  // The card seen from behind: corners mirrored in x. The back look's u is taken from the
  // opposite corner of each row, so the back texture reads the right way round.
  QuadCard turned = card;
  turned.corner[0].x = 3;
  turned.corner[1].x = 0;
  turned.corner[2].x = 3;
  turned.corner[3].x = 0;
  TestPlane img2(4, 4, 1, 12, kGuard);
  ASSERT_EQ(DrawQuad(&img2.plane, &cam, &turned), 1);
  EXPECT_TRUE(HasColour(img2.At(1, 2), 112, 2, 2));
  EXPECT_TRUE(HasColour(img2.At(3, 0), 130, 2, 2));
  EXPECT_TRUE(HasColour(img2.At(0, 3), 103, 2, 2));
}

}  // namespace
}  // namespace zk
