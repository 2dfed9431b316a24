// The renderer's coverage stage for masked, translucent textures (the layered cards of the
// logo transition): mask sampling, blending with the pixel below, and the depth written
// only where a card covers. Expectations worked out by hand on one-row images.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "coverage.h"
#include "kit3d_test_images.h"
#include "triangle_renderer.h"

namespace zk {
namespace {

using test::TestPlane;

float Scaled(int32_t m) { return static_cast<float>(m * double{kCoverageScale}); }

// A plane over a mask only: MaskCoverage reads nothing else of the texture.
ImagePlane MaskPlane(const std::vector<uint8_t>& mask, int32_t width, int32_t height,
                     int32_t rowStep) {
  ImagePlane p{nullptr, 3, width * 3, width, height, rowStep};
  p.mask = mask.data();
  return p;
}

TEST(LogoCoverage, WhiteIsExactlyOneAndInvertedWhiteExactlyZero) {
  const std::vector<uint8_t> mask = {0, 255, 128, 40, 255, 255, 0, 0};
  ImagePlane p = MaskPlane(mask, 4, 2, 1);
  // 255 * 0.003921568859 is 1.0000000591 in double; kept as a float it is 1.
  EXPECT_EQ(MaskCoverage(p, 1.0, 0.0), 1.0f);
  EXPECT_EQ(MaskCoverage(p, 1.0, 0.5), 1.0f);
  p.invertMask = 1;
  EXPECT_EQ(MaskCoverage(p, 1.0, 0.0), 0.0f);
  EXPECT_EQ(MaskCoverage(p, 3.0, 1.0), 1.0f);  // black, inverted
  // Grey 128: 128/255 for the foreground, 1 - 128/255 for the background.
  p.invertMask = 0;
  EXPECT_EQ(MaskCoverage(p, 2.0, 0.0), Scaled(128));
  EXPECT_NEAR(MaskCoverage(p, 2.0, 0.0), 128.0 / 255.0, 1e-7);
  p.invertMask = 1;
  EXPECT_EQ(MaskCoverage(p, 2.0, 0.0), static_cast<float>(1.0 - Scaled(128)));
}

TEST(LogoCoverage, BilinearWithTruncationAfterEachStep) {
  const std::vector<uint8_t> mask = {0, 255, 128, 40, 255, 255, 0, 0};
  const ImagePlane p = MaskPlane(mask, 4, 2, 1);
  // Row 0 between 0 and 255: trunc(127.5) = 127; the lower row (255, 255) weighs 0.
  EXPECT_EQ(MaskCoverage(p, 0.5, 0.0), Scaled(127));
  // Column 2: top 128, bottom 0, halfway down: 64.
  EXPECT_EQ(MaskCoverage(p, 2.0, 0.5), Scaled(64));
  // Column 0.25 at 0.75 down: top trunc(63.75) = 63, bottom 255, 63 + 192 * 0.75 = 207.
  EXPECT_EQ(MaskCoverage(p, 0.25, 0.75), Scaled(207));
  // The last column has no right neighbour, the last row no lower one.
  EXPECT_EQ(MaskCoverage(p, 3.5, 0.0), Scaled(40));
  EXPECT_EQ(MaskCoverage(p, 1.5, 1.5), Scaled(127));
}

TEST(LogoCoverage, OutsideTheTextureNothingIsCovered) {
  const std::vector<uint8_t> mask(8, 255);
  ImagePlane p = MaskPlane(mask, 4, 2, 1);
  EXPECT_EQ(MaskCoverage(p, -1.0, 0.0), 0.0f);
  EXPECT_EQ(MaskCoverage(p, 4.0, 0.0), 0.0f);
  EXPECT_EQ(MaskCoverage(p, 0.0, 2.0), 0.0f);
  EXPECT_EQ(MaskCoverage(p, 0.0, -1.5), 0.0f);
  EXPECT_EQ(MaskCoverage(p, std::nan(""), 0.0), 0.0f);
  EXPECT_EQ(MaskCoverage(p, 1e30, 0.0), 0.0f);
  // -0.5 truncates to column 0: still on the card.
  EXPECT_EQ(MaskCoverage(p, -0.5, 0.0), 1.0f);
  p.invertMask = 1;
  EXPECT_EQ(MaskCoverage(p, -1.0, 0.0), 0.0f);  // outside stays 0 inverted as well
  // Without a mask a texture covers everything.
  p.mask = nullptr;
  EXPECT_EQ(MaskCoverage(p, -1.0, 7.0), 1.0f);
}

TEST(LogoCoverage, FieldModeLooksUpStoredRowsByHalfTheSceneRow) {
  // Scene height 4 over two stored rows.
  const std::vector<uint8_t> mask = {200, 200, 100, 100};
  const ImagePlane p = MaskPlane(mask, 2, 4, 2);
  EXPECT_EQ(MaskCoverage(p, 0.0, 1.0), Scaled(200));
  EXPECT_EQ(MaskCoverage(p, 0.0, 1.5), Scaled(150));  // blends into stored row 1
  EXPECT_EQ(MaskCoverage(p, 0.0, 2.0), Scaled(100));
  EXPECT_EQ(MaskCoverage(p, 0.0, 2.5), Scaled(100));  // 2 + 2 reaches the height
}

constexpr uint8_t kGuard = 0x11;

CameraSetup Camera(float* depth = nullptr) {
  return CameraSetup{Point3{10, 0, 0}, 0xFFFFFF, 100, depth, 0};
}

RasterVertex P(float x, float y, float z, float u, float v) {
  return RasterVertex{x, y, z, u, v, 0.0f};
}

// One row of four pixels: u runs 0..3 (or from `u0`) along x = 0..3, v = 0. The triangle
// lies in the plane y = 0, so the light leaves texels unchanged.
ShadedTriangle Row(const ImagePlane* tex, float u0 = 0.0f) {
  return ShadedTriangle{{P(0, 0, 0, u0, 0), P(3, 0, 0, u0 + 3, 0), P(1, 0, 40, u0 + 1, 0)},
                        Point3{0, 0, 0},
                        0,
                        0.5f,
                        1,
                        tex};
}

// A 4 x 1 texture of one colour, and an output row of another below it.
struct Scene {
  TestPlane texture{4, 1, 1, 12, 0};
  TestPlane out{4, 1, 1, 12, kGuard};
  std::vector<uint8_t> mask = {255, 0, 128, 255};
  Scene() {
    for (int x = 0; x < 4; ++x) {
      texture.Set(x, 0, 200, 100, 50);
      out.Set(x, 0, 10, 20, 30);
    }
    texture.plane.mask = mask.data();
  }
  bool Is(int x, uint8_t b, uint8_t g, uint8_t r) {
    const uint8_t* p = out.At(x, 0);
    return p[0] == b && p[1] == g && p[2] == r;
  }
};

TEST(LogoCoverage, MaskedTexelsBlendWithThePixelBelow) {
  Scene s;
  CameraSetup cam = Camera();
  ShadedTriangle t = Row(&s.texture.plane);
  ASSERT_EQ(DrawTriangle(&s.out.plane, &cam, &t), 1);
  EXPECT_TRUE(s.Is(0, 200, 100, 50));  // white: the texel itself
  EXPECT_TRUE(s.Is(1, 10, 20, 30));    // black: untouched
  // 128/255 = 0.50196081: 10 + 190 a = 105.37, 20 + 80 a = 60.16, 30 + 20 a = 40.04.
  EXPECT_TRUE(s.Is(2, 105, 60, 40));
  EXPECT_TRUE(s.Is(3, 200, 100, 50));
  EXPECT_TRUE(s.out.OthersEqual(kGuard, [](int, int row) { return row == 0; }));
}

TEST(LogoCoverage, InvertedMaskAndOpacityScaleTheShare) {
  Scene s;
  s.texture.plane.invertMask = 1;
  s.texture.plane.opacity = 0.5f;
  CameraSetup cam = Camera();
  ShadedTriangle t = Row(&s.texture.plane);
  ASSERT_EQ(DrawTriangle(&s.out.plane, &cam, &t), 1);
  EXPECT_TRUE(s.Is(0, 10, 20, 30));
  EXPECT_TRUE(s.Is(1, 105, 60, 40));  // covered, half opaque: 10 + 190 / 2, ...
  // (1 - 0.50196081) * 0.5 = 0.24901959: 57.31, 39.92, 34.98.
  EXPECT_TRUE(s.Is(2, 57, 39, 34));
  EXPECT_TRUE(s.Is(3, 10, 20, 30));
}

TEST(LogoCoverage, OnlyCoveredPixelsWriteTheDepth) {
  Scene s;
  std::vector<float> depth(4, kDepthClear);
  CameraSetup cam = Camera(depth.data());
  ShadedTriangle t = Row(&s.texture.plane);
  ASSERT_EQ(DrawTriangle(&s.out.plane, &cam, &t), 1);
  EXPECT_EQ(depth[0], 0.0f);
  EXPECT_EQ(depth[1], kDepthClear);
  EXPECT_EQ(depth[2], 0.0f);
  EXPECT_EQ(depth[3], 0.0f);
  // A flat triangle at the same depth shows only through the uncovered pixel.
  ShadedTriangle flat{{P(0, 0, 0, 0, 0), P(3, 0, 0, 0, 0), P(1, 0, 40, 0, 0)},
                      Point3{0, 0, 0},
                      0x0000FF,
                      0.5f,
                      1,
                      nullptr};
  ASSERT_EQ(DrawTriangle(&s.out.plane, &cam, &flat), 1);
  EXPECT_TRUE(s.Is(0, 200, 100, 50));
  EXPECT_TRUE(s.Is(1, 0, 0, 255));
  EXPECT_TRUE(s.Is(2, 105, 60, 40));
}

TEST(LogoCoverage, MaskedTexelsOutsideTheTextureAreNotDrawn) {
  Scene s;
  s.mask = {255, 255, 255, 255};
  s.texture.plane.mask = s.mask.data();
  CameraSetup cam = Camera();
  ShadedTriangle t = Row(&s.texture.plane, 1.0f);  // u = 1, 2, 3, 4
  ASSERT_EQ(DrawTriangle(&s.out.plane, &cam, &t), 1);
  EXPECT_TRUE(s.Is(2, 200, 100, 50));
  EXPECT_TRUE(s.Is(3, 10, 20, 30));  // u = 4 lies past the texture
}

TEST(LogoCoverage, TranslucentTextureWithoutAMaskCoversEverything) {
  Scene s;
  s.texture.plane.mask = nullptr;
  s.texture.plane.opacity = 0.25f;
  CameraSetup cam = Camera();
  ShadedTriangle t = Row(&s.texture.plane, 1.0f);
  ASSERT_EQ(DrawTriangle(&s.out.plane, &cam, &t), 1);
  // 10 + 190 / 4 = 57.5, 20 + 20 = 40, 30 + 5 = 35; the texel past the edge repeats.
  for (int x = 0; x < 4; ++x) EXPECT_TRUE(s.Is(x, 57, 40, 35)) << x;
  // Fully transparent or undefined opacity draws nothing and writes no depth.
  std::vector<float> depth(4, kDepthClear);
  for (float opacity : {0.0f, std::nanf("")}) {
    Scene z;
    z.texture.plane.mask = nullptr;
    z.texture.plane.opacity = opacity;
    CameraSetup deep = Camera(depth.data());
    ShadedTriangle u = Row(&z.texture.plane);
    ASSERT_EQ(DrawTriangle(&z.out.plane, &deep, &u), 1);
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(z.Is(x, 10, 20, 30)) << x;
    EXPECT_EQ(depth, std::vector<float>(4, kDepthClear));
  }
}

TEST(LogoCoverage, FullCoverageDrawsWhatAnOpaqueTextureDraws) {
  // A lit, tilted card through the depth buffer: with a mask white everywhere every pixel
  // and every depth entry comes out as without one.
  TestPlane tex(8, 6, 1, 24, 0);
  for (int row = 0; row < 6; ++row) {
    for (int x = 0; x < 8; ++x) {
      tex.Set(x, row, static_cast<uint8_t>(31 * x + row), static_cast<uint8_t>(40 * row),
              static_cast<uint8_t>(200 - 9 * x * row));
    }
  }
  const std::vector<uint8_t> white(8 * 6, 255);
  QuadCard card{{RasterVertex{1, 1, 0, 0, 0, 0}, RasterVertex{9, 2, 5, 7, 0, 0},
                 RasterVertex{0, 7, -3, 0, 5, 0}, RasterVertex{10, 8, 2, 7, 5, 0}},
                FaceLook{0xFF, 0.8f, 1, &tex.plane},
                FaceLook{0xFF00, 0.8f, 1, &tex.plane}};
  auto draw = [&](const uint8_t* mask, std::vector<float>* depth) {
    tex.plane.mask = mask;
    TestPlane img(12, 10, 1, 36, kGuard);
    CameraSetup cam = Camera(depth->data());
    EXPECT_EQ(DrawQuad(&img.plane, &cam, &card), 1);
    return img.bytes;
  };
  std::vector<float> opaqueDepth(12 * 10, kDepthClear);
  std::vector<float> coveredDepth(12 * 10, kDepthClear);
  const std::vector<uint8_t> opaque = draw(nullptr, &opaqueDepth);
  const std::vector<uint8_t> covered = draw(white.data(), &coveredDepth);
  EXPECT_EQ(covered, opaque);
  EXPECT_EQ(coveredDepth, opaqueDepth);
  EXPECT_NE(opaque, std::vector<uint8_t>(opaque.size(), kGuard));
}

TEST(LogoCoverage, PlanesBuiltWithoutCoverageFieldsAreOpaque) {
  // Every image of the block effect is built from its first six fields alone.
  ImagePlane plane{nullptr, 3, 12, 4, 1, 1};
  EXPECT_EQ(plane.mask, nullptr);
  EXPECT_EQ(plane.opacity, 1.0f);
  EXPECT_FALSE(HasCoverage(plane));
  plane.opacity = 0.999f;
  EXPECT_TRUE(HasCoverage(plane));
}

}  // namespace
}  // namespace zk
