// Rotations, vector products and the facing test of the 3D kit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "face_math.h"
#include "float_bits.h"
#include "vector_math.h"

namespace zk {
namespace {

RasterVertex V(float x, float y, float z) { return RasterVertex{x, y, z, 0, 0, 0}; }

TEST(Kit3dMath, RadiansUseTheSinglePrecisionFactor) {
  // 90 * 0.017453292f rounds to 1.5707963705..., the float just above pi/2.
  EXPECT_EQ(Bits(DegreesToRadians(90.0f)), 0x3FC90FDBu);
  EXPECT_EQ(Bits(DegreesToRadians(1.0f)), 0x3C8EFA35u);
}

TEST(Kit3dMath, QuarterTurnAboutZLeavesTheFloatResidue) {
  const Point3 r = RotateZ(Point3{1, 0, 0}, 90.0f);
  // cos(1.5707963705062866) = -4.371139e-8: not exactly 0.
  EXPECT_FLOAT_EQ(r.x, -4.371139e-8f);
  EXPECT_NE(r.x, 0.0f);
  EXPECT_EQ(r.y, 1.0f);
  EXPECT_EQ(r.z, 0.0f);
}

TEST(Kit3dMath, AxisRotationsTurnTheWayTheFormulasSay) {
  const Point3 x = RotateX(Point3{0, 1, 0}, 90.0f);  // y towards +z
  EXPECT_EQ(x.x, 0.0f);
  EXPECT_NEAR(x.y, 0.0f, 1e-7);
  EXPECT_EQ(x.z, 1.0f);
  const Point3 y = RotateY(Point3{1, 0, 0}, 90.0f);  // x towards -z
  EXPECT_NEAR(y.x, 0.0f, 1e-7);
  EXPECT_EQ(y.z, -1.0f);
  const Point3 z = RotateZ(Point3{0, 2, 5}, -90.0f);  // y towards +x, z kept
  EXPECT_FLOAT_EQ(z.x, 2.0f);
  EXPECT_EQ(z.z, 5.0f);
}

TEST(Kit3dMath, FullTurnDriftsInTheLastBits) {
  const Point3 r = RotateZ(Point3{1, 0, 0}, 360.0f);
  EXPECT_NE(r.y, 0.0f);
  EXPECT_LT(std::fabs(r.y), 1e-6f);
  EXPECT_NEAR(r.x, 1.0f, 1e-6f);
}

TEST(Kit3dMath, RotationAboutACentreMovesTheOffsetOnly) {
  const Point3 r = RotateXAbout(Point3{5, 3, 0}, Point3{5, 1, 0}, 90.0f);
  EXPECT_EQ(r.x, 5.0f);
  EXPECT_NEAR(r.y, 1.0f, 1e-6f);
  EXPECT_EQ(r.z, 2.0f);
  const Point3 s = RotateZAbout(Point3{7, 1, 3}, Point3{5, 1, 0}, 180.0f);
  EXPECT_NEAR(s.x, 3.0f, 1e-6f);
  EXPECT_NEAR(s.y, 1.0f, 1e-6f);
  EXPECT_EQ(s.z, 3.0f);
}

TEST(Kit3dMath, ProductsAndNormals) {
  EXPECT_EQ(Dot(Point3{1, 2, 3}, Point3{4, -5, 6}), 4.0 - 10.0 + 18.0);
  const Point3 c = Cross(Point3{1, 0, 0}, Point3{0, 1, 0});
  EXPECT_EQ(c.x, 0.0f);
  EXPECT_EQ(c.y, 0.0f);
  EXPECT_EQ(c.z, 1.0f);
  const Point3 c2 = Cross(Point3{2, 3, 4}, Point3{5, 6, 7});  // (21-24, 20-14, 12-15)
  EXPECT_EQ(c2.x, -3.0f);
  EXPECT_EQ(c2.y, 6.0f);
  EXPECT_EQ(c2.z, -3.0f);
  const Point3 n = Normalize(Point3{3, 0, 4});
  EXPECT_FLOAT_EQ(n.x, 0.6f);
  EXPECT_FLOAT_EQ(n.z, 0.8f);
  EXPECT_NEAR(CosBetween(Point3{1, 0, 0}, Point3{2, 2, 0}), std::sqrt(0.5), 1e-7);
  const Point3 t = TriangleNormal(Point3{1, 1, 0}, Point3{5, 1, 4}, Point3{1, 5, 0});
  EXPECT_EQ(t.x, -16.0f);
  EXPECT_EQ(t.y, 0.0f);
  EXPECT_EQ(t.z, 16.0f);
  EXPECT_TRUE(std::isnan(Normalize(Point3{0, 0, 0}).x));
}

TEST(Kit3dMath, FacesViewerSignAndZeroDeterminant) {
  const Point3 eye{5, 5, 15};
  // det = 0*5 + (-2250)*5 + (-50)*225 = -22500: facing.
  const RasterVertex clockwise[3] = {V(0, 0, 0), V(10, 0, 0), V(10, 10, 0)};
  EXPECT_TRUE(FacesViewer(clockwise, eye));
  const RasterVertex swapped[3] = {V(0, 0, 0), V(10, 10, 0), V(10, 0, 0)};
  EXPECT_FALSE(FacesViewer(swapped, eye));
  // Collinear points: det is exactly 0, which is not facing, in either order.
  const RasterVertex line[3] = {V(0, 0, 0), V(1, 1, 0), V(2, 2, 0)};
  const RasterVertex lineSwapped[3] = {V(0, 0, 0), V(2, 2, 0), V(1, 1, 0)};
  EXPECT_FALSE(FacesViewer(line, Point3{0, 0, 10}));
  EXPECT_FALSE(FacesViewer(lineSwapped, Point3{0, 0, 10}));
  // A NaN determinant counts as facing.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const RasterVertex broken[3] = {V(nan, 0, 0), V(10, 0, 0), V(10, 10, 0)};
  EXPECT_TRUE(FacesViewer(broken, eye));
}

TEST(Kit3dMath, FacesViewerUsesTheEyeDistanceForDepth) {
  // The same screen triangle pushed far behind the image plane keeps its orientation,
  // but one whose vertices straddle the eye plane flips it.
  const Point3 eye{5, 5, 15};
  const RasterVertex far[3] = {V(0, 0, 100), V(10, 0, 100), V(10, 10, 100)};
  EXPECT_TRUE(FacesViewer(far, eye));
  const RasterVertex behindEye[3] = {V(0, 0, -30), V(10, 0, -30), V(10, 10, -30)};
  EXPECT_FALSE(FacesViewer(behindEye, eye));
}

RasterVertex Corner(float x, float y, float u, float v) { return RasterVertex{x, y, 0, u, v, 7}; }

TEST(Kit3dMath, BlockTurnWithDepthZeroTurnsTheFaceAboutItsCentre) {
  RasterVertex face[4] = {Corner(0, 0, 1, 2), Corner(10, 0, 3, 4), Corner(0, 10, 5, 6),
                          Corner(10, 10, 7, 8)};
  RotateFaceAboutBlockCentre(Axis::Z, face, 0.0f, 90.0f, Point3{0, 0, -1});
  // A quarter turn about (5, 5): top-left goes to top-right, and so on round.
  EXPECT_NEAR(face[0].x, 10.0f, 1e-5f);
  EXPECT_NEAR(face[0].y, 0.0f, 1e-5f);
  EXPECT_NEAR(face[1].x, 10.0f, 1e-5f);
  EXPECT_NEAR(face[1].y, 10.0f, 1e-5f);
  EXPECT_NEAR(face[3].x, 0.0f, 1e-5f);
  EXPECT_NEAR(face[3].y, 10.0f, 1e-5f);
  EXPECT_EQ(face[0].z, 0.0f);
  // Texture coordinates and the scratch word stay.
  EXPECT_EQ(face[2].u, 5.0f);
  EXPECT_EQ(face[2].v, 6.0f);
  EXPECT_EQ(face[2].w, 7.0f);
}

TEST(Kit3dMath, BlockTurnUsesTheCentreHalfTheDepthBehind) {
  RasterVertex face[4] = {Corner(0, 0, 0, 0), Corner(10, 0, 0, 0), Corner(0, 10, 0, 0),
                          Corner(10, 10, 0, 0)};
  // Half a turn about y around (5, 5, 2): the face ends 4 behind, mirrored in x.
  RotateFaceAboutBlockCentre(Axis::Y, face, 4.0f, 180.0f, Point3{0, 0, -1});
  EXPECT_NEAR(face[0].x, 10.0f, 1e-5f);
  EXPECT_NEAR(face[0].z, 4.0f, 1e-5f);
  EXPECT_NEAR(face[1].x, 0.0f, 1e-5f);
  EXPECT_NEAR(face[3].y, 10.0f, 1e-5f);
}

TEST(Kit3dMath, BlockCentreRoundsOnlyOnce) {
  // Corners at z = 1 but one at 1 + 2^-23: the mean, 1 + 2^-25, is no float. Facing away
  // (n = +z) at depth 2 the centre lies at the mean minus 1, so exactly 2^-25 and 0 when
  // the mean were rounded first.
  RasterVertex face[4] = {V(0, 0, 1), V(10, 0, 1 + 0x1p-23f), V(10, 10, 1), V(0, 10, 1)};
  const Point3 c = BlockTurningCentre(face, 2.0f, Point3{0, 0, -1});
  EXPECT_EQ(c.x, 5.0f);
  EXPECT_EQ(c.y, 5.0f);
  EXPECT_EQ(c.z, 0x1p-25f);
}

TEST(Kit3dMath, FaceWithoutAreaTurnsAboutTheFallbackNormal) {
  // A cell one pixel wide: both left and right corners share x. The turn must stay finite.
  RasterVertex face[4] = {Corner(3.01f, 0, 0, 0), Corner(3.01f, 0, 0, 0), Corner(3.01f, 9, 0, 0),
                          Corner(3.01f, 9, 0, 0)};
  const Point3 n = FrontNormal(face, Point3{0, 0, -1});
  EXPECT_EQ(n.z, -1.0f);
  RotateFaceAboutBlockCentre(Axis::X, face, 2.0f, 90.0f, Point3{0, 0, -1});
  for (const RasterVertex& q : face) {
    EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z));
  }
  // About the centre (3.01, 4.5, 1): the top edge swings to z = 1 - 4.5.
  EXPECT_NEAR(face[0].z, -3.5f, 1e-5f);
  EXPECT_NEAR(face[0].y, 5.5f, 1e-5f);
}

}  // namespace
}  // namespace zk
