#include "marbles_math.h"

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

}  // namespace zk
