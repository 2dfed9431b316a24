// The whole-degree rotations of the marble transition. Its angles are 32-bit integers
// (trunc of a degree rate times the marble's own time), and an angle of 0 must leave a
// marble exactly where it was sampled: the float forms in vector_math.h would still round
// the offset from the centre there. Any other angle is converted to float and turned
// exactly as the float forms turn it.
#pragma once

#include <cstdint>

#include "vector_math.h"

namespace zk {

// About the axes through the origin.
Point3 RotateXWholeDegrees(const Point3& p, int32_t degrees);
Point3 RotateYWholeDegrees(const Point3& p, int32_t degrees);
Point3 RotateZWholeDegrees(const Point3& p, int32_t degrees);

// About the axes through `centre`: the offset from the centre is rounded to float, turned,
// and the centre added back; an angle of 0 returns `p` itself.
Point3 RotateXAboutWholeDegrees(const Point3& p, const Point3& centre, int32_t degrees);
Point3 RotateYAboutWholeDegrees(const Point3& p, const Point3& centre, int32_t degrees);
Point3 RotateZAboutWholeDegrees(const Point3& p, const Point3& centre, int32_t degrees);

// The same turns about a centre, for many points a frame: the sine and cosine of each
// whole degree are worked out the first time it is asked for and kept, which gives the
// points of RotateXAboutWholeDegrees and the others bit for bit.
class WholeDegreeTurns {
 public:
  WholeDegreeTurns();
  Point3 RotateXAbout(const Point3& p, const Point3& centre, int32_t degrees);
  Point3 RotateYAbout(const Point3& p, const Point3& centre, int32_t degrees);
  Point3 RotateZAbout(const Point3& p, const Point3& centre, int32_t degrees);

 private:
  struct Turn {
    int32_t degrees;
    bool known;
    double s, c;
  };
  // Direct-mapped on the angle: a frame's angles lie between 0 and a whole turn or two.
  static constexpr int32_t kSlots = 1024;
  const Turn& Of(int32_t degrees);
  Turn turns_[kSlots];
};

}  // namespace zk
