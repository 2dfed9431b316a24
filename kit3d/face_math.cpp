#include "face_math.h"

#include "float_rounding.h"

namespace zk {
namespace {
inline float F(double v) { return RoundToFloat(v); }
}  // namespace

Point3 RotateAxis(Axis axis, const Point3& p, float degrees) {
  switch (axis) {
    case Axis::X:
      return RotateX(p, degrees);
    case Axis::Y:
      return RotateY(p, degrees);
    case Axis::Z:
      break;
  }
  return RotateZ(p, degrees);
}

Point3 RotateAbout(Axis axis, const Point3& p, const Point3& centre, float degrees) {
  switch (axis) {
    case Axis::X:
      return RotateXAbout(p, centre, degrees);
    case Axis::Y:
      return RotateYAbout(p, centre, degrees);
    case Axis::Z:
      break;
  }
  return RotateZAbout(p, centre, degrees);
}

bool FacesViewer(const RasterVertex v[3], const Point3& eye) {
  double dx[3], dy[3], b[3];
  for (int i = 0; i < 3; ++i) {
    dx[i] = double{v[i].x} - eye.x;
    dy[i] = double{v[i].y} - eye.y;
    b[i] = double{eye.z} * (double{eye.z} + v[i].z);
  }
  const double det = (b[0] * dy[1] - dy[0] * b[1]) * dx[2] + (dx[0] * b[1] - b[0] * dx[1]) * dy[2] +
                     (dy[0] * dx[1] - dx[0] * dy[1]) * b[2];
  return !(det >= 0);
}

Point3 FrontNormal(const RasterVertex face[4], const Point3& fallback) {
  const Point3 q0 = PositionOf(face[0]);
  const Point3 q2 = PositionOf(face[2]);
  const Point3 q3 = PositionOf(face[3]);
  const Point3 c = Cross(Subtract(q3, q2), Subtract(q0, q2));
  if (c.x == 0 && c.y == 0 && c.z == 0) return fallback;
  return Normalize(c);
}

Point3 BlockTurningCentre(const RasterVertex face[4], float depth, const Point3& facing) {
  double sx = 0, sy = 0, sz = 0;
  for (int i = 0; i < 4; ++i) {
    sx += face[i].x;
    sy += face[i].y;
    sz += face[i].z;
  }
  const Point3 n = FrontNormal(face, facing);
  const float h = F(double{depth} * 0.5);
  // n points towards the viewer, so the centre lies half the depth behind the face.
  return Point3{F(sx * 0.25 - double{n.x} * h), F(sy * 0.25 - double{n.y} * h),
                F(sz * 0.25 - double{n.z} * h)};
}

void RotateFaceAboutBlockCentre(Axis axis, RasterVertex face[4], float depth, float degrees,
                                const Point3& facing) {
  RotateFaceAboutPoint(axis, face, BlockTurningCentre(face, depth, facing), degrees);
}

void RotateFaceAboutPoint(Axis axis, RasterVertex face[4], const Point3& centre, float degrees) {
  static const int kOrder[4] = {2, 3, 0, 1};
  for (int i : kOrder) {
    SetPosition(&face[i], RotateAbout(axis, PositionOf(face[i]), centre, degrees));
  }
}

}  // namespace zk
