// Points, textured vertices and the vector operations of the 3D effects. Coordinates are
// output pixels: x along a stored row, y the stored row index, z away from the viewer.
// Every stored or returned coordinate is a 32-bit float; the arithmetic behind each one
// runs in double precision, so both builds round at the same places.
#pragma once

#include <cstdint>

namespace zk {

struct Point3 {
  float x, y, z;
};

// Position, texture coordinates (texels of the face's texture) and a scratch word the
// renderer overwrites during projection. Faces and triangles are arrays of these, so a
// vertex's position is always its first three floats.
struct RasterVertex {
  float x, y, z;
  float u, v, w;
};

static_assert(sizeof(Point3) == 12, "three floats");
static_assert(sizeof(RasterVertex) == 24, "six floats");

inline Point3 PositionOf(const RasterVertex& v) { return Point3{v.x, v.y, v.z}; }
inline void SetPosition(RasterVertex* v, const Point3& p) {
  v->x = p.x;
  v->y = p.y;
  v->z = p.z;
}

// Component-wise difference, each component rounded to float.
Point3 Subtract(const Point3& a, const Point3& b);

// Degrees to radians with the single-precision factor 0.017453292, product rounded to float.
float DegreesToRadians(float degrees);

// Rotations about the coordinate axes through the origin, angles in degrees.
// (The marbles effect rotates by whole degrees and returns the point untouched for 0: see
// the *WholeDegrees functions in marbles_math.h.)
Point3 RotateX(const Point3& p, float degrees);
Point3 RotateY(const Point3& p, float degrees);
Point3 RotateZ(const Point3& p, float degrees);

// The same about a centre: the offset from the centre is rounded to float, rotated, and
// the centre added back.
Point3 RotateXAbout(const Point3& p, const Point3& centre, float degrees);
Point3 RotateYAbout(const Point3& p, const Point3& centre, float degrees);
Point3 RotateZAbout(const Point3& p, const Point3& centre, float degrees);

// Scalar results stay in double; callers round where they store them.
double Dot(const Point3& a, const Point3& b);
Point3 Cross(const Point3& a, const Point3& b);
// Not defined for the zero vector (the components become NaN).
Point3 Normalize(const Point3& v);
double CosBetween(const Point3& a, const Point3& b);
// Cross(p1 - p0, p2 - p0), not normalised.
Point3 TriangleNormal(const Point3& p0, const Point3& p1, const Point3& p2);

}  // namespace zk
