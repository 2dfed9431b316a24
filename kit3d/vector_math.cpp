#include "vector_math.h"

#include <cmath>

#include "float_rounding.h"
#include "zmath.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

// Sine and cosine of a degree angle, both taken of the float radians.
struct SinCos {
  double s, c;
};
SinCos AngleSinCos(float degrees) {
  const double r = DegreesToRadians(degrees);
  return SinCos{Sin(r), Cos(r)};
}

Point3 Add(const Point3& a, const Point3& b) {
  return Point3{F(double{a.x} + b.x), F(double{a.y} + b.y), F(double{a.z} + b.z)};
}

}  // namespace

Point3 Subtract(const Point3& a, const Point3& b) {
  return Point3{F(double{a.x} - b.x), F(double{a.y} - b.y), F(double{a.z} - b.z)};
}

float DegreesToRadians(float degrees) {
  // The float product of two floats is exact in double, so this is the float product.
  return F(double{degrees} * double{0.017453292f});
}

Point3 RotateX(const Point3& p, float degrees) {
  const SinCos a = AngleSinCos(degrees);
  return Point3{p.x, F(p.y * a.c - p.z * a.s), F(p.z * a.c + p.y * a.s)};
}

Point3 RotateY(const Point3& p, float degrees) {
  const SinCos a = AngleSinCos(degrees);
  return Point3{F(p.x * a.c + p.z * a.s), p.y, F(p.z * a.c - p.x * a.s)};
}

Point3 RotateZ(const Point3& p, float degrees) {
  const SinCos a = AngleSinCos(degrees);
  return Point3{F(p.x * a.c - p.y * a.s), F(p.y * a.c + p.x * a.s), p.z};
}

Point3 RotateXAbout(const Point3& p, const Point3& centre, float degrees) {
  return Add(RotateX(Subtract(p, centre), degrees), centre);
}

Point3 RotateYAbout(const Point3& p, const Point3& centre, float degrees) {
  return Add(RotateY(Subtract(p, centre), degrees), centre);
}

Point3 RotateZAbout(const Point3& p, const Point3& centre, float degrees) {
  return Add(RotateZ(Subtract(p, centre), degrees), centre);
}

double Dot(const Point3& a, const Point3& b) {
  return double{a.z} * b.z + double{a.y} * b.y + double{a.x} * b.x;
}

Point3 Cross(const Point3& a, const Point3& b) {
  return Point3{F(double{a.y} * b.z - double{a.z} * b.y), F(double{a.z} * b.x - double{a.x} * b.z),
                F(double{a.x} * b.y - double{a.y} * b.x)};
}

Point3 Normalize(const Point3& v) {
  const double length = std::sqrt(double{v.z} * v.z + double{v.y} * v.y + double{v.x} * v.x);
  return Point3{F(v.x / length), F(v.y / length), F(v.z / length)};
}

double CosBetween(const Point3& a, const Point3& b) { return Dot(Normalize(a), Normalize(b)); }

Point3 TriangleNormal(const Point3& p0, const Point3& p1, const Point3& p2) {
  return Cross(Subtract(p1, p0), Subtract(p2, p0));
}

}  // namespace zk
