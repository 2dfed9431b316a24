#include "marbles_math.h"

#include "float_rounding.h"
#include "zmath.h"

namespace zk {

Point3 RotateXWholeDegrees(const Point3& p, int32_t degrees) {
  return degrees == 0 ? p : RotateX(p, static_cast<float>(degrees));
}

Point3 RotateYWholeDegrees(const Point3& p, int32_t degrees) {
  return degrees == 0 ? p : RotateY(p, static_cast<float>(degrees));
}

Point3 RotateZWholeDegrees(const Point3& p, int32_t degrees) {
  return degrees == 0 ? p : RotateZ(p, static_cast<float>(degrees));
}

Point3 RotateXAboutWholeDegrees(const Point3& p, const Point3& centre, int32_t degrees) {
  return degrees == 0 ? p : RotateXAbout(p, centre, static_cast<float>(degrees));
}

Point3 RotateYAboutWholeDegrees(const Point3& p, const Point3& centre, int32_t degrees) {
  return degrees == 0 ? p : RotateYAbout(p, centre, static_cast<float>(degrees));
}

Point3 RotateZAboutWholeDegrees(const Point3& p, const Point3& centre, int32_t degrees) {
  return degrees == 0 ? p : RotateZAbout(p, centre, static_cast<float>(degrees));
}

namespace {

inline float F(double v) { return RoundToFloat(v); }

// The offset from the centre and the point put back, as vector_math rounds them.
Point3 Offset(const Point3& p, const Point3& centre) { return Subtract(p, centre); }
Point3 PutBack(const Point3& v, const Point3& centre) {
  return Point3{F(double{v.x} + centre.x), F(double{v.y} + centre.y), F(double{v.z} + centre.z)};
}

}  // namespace

WholeDegreeTurns::WholeDegreeTurns() {
  for (Turn& t : turns_) t.known = false;
}

const WholeDegreeTurns::Turn& WholeDegreeTurns::Of(int32_t degrees) {
  Turn& t = turns_[static_cast<uint32_t>(degrees) % kSlots];
  if (!t.known || t.degrees != degrees) {
    // The sine and cosine the float-degree rotations take: of the float radians.
    const double r = DegreesToRadians(static_cast<float>(degrees));
    t = Turn{degrees, true, Sin(r), Cos(r)};
  }
  return t;
}

Point3 WholeDegreeTurns::RotateXAbout(const Point3& p, const Point3& centre, int32_t degrees) {
  if (degrees == 0) return p;
  const Turn& a = Of(degrees);
  const Point3 v = Offset(p, centre);
  return PutBack(Point3{v.x, F(v.y * a.c - v.z * a.s), F(v.z * a.c + v.y * a.s)}, centre);
}

Point3 WholeDegreeTurns::RotateYAbout(const Point3& p, const Point3& centre, int32_t degrees) {
  if (degrees == 0) return p;
  const Turn& a = Of(degrees);
  const Point3 v = Offset(p, centre);
  return PutBack(Point3{F(v.x * a.c + v.z * a.s), v.y, F(v.z * a.c - v.x * a.s)}, centre);
}

Point3 WholeDegreeTurns::RotateZAbout(const Point3& p, const Point3& centre, int32_t degrees) {
  if (degrees == 0) return p;
  const Turn& a = Of(degrees);
  const Point3 v = Offset(p, centre);
  return PutBack(Point3{F(v.x * a.c - v.y * a.s), F(v.y * a.c + v.x * a.s), v.z}, centre);
}

}  // namespace zk
