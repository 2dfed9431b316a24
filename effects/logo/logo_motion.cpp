#include "logo_motion.h"

#include "face_math.h"
#include "float_rounding.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

// 1.35 as the 32-bit float the pivot distance is scaled with.
constexpr float kPivotReach = 1.35f;

// A motion as directions from the centre (in units of the pivot distance, back motions
// twice as far) and its angles.
struct MotionShape {
  int32_t dx, dy;
  bool back;
  float x, y, z;
};

// "top" is the larger stored-row coordinate (frames are stored bottom row first).
const MotionShape kMotionShapes[kMotionCount] = {
    {0, 0, false, 0, 0, 0},       // [no motion]
    {0, 1, false, 63, 0, 0},      // front - top
    {1, 1, false, 56, -28, 0},    // front - top/right
    {1, 0, false, 0, -65, 0},     // front - right
    {1, -1, false, -56, -28, 0},  // front - bottom/right
    {0, -1, false, -63, 0, 0},    // front - bottom
    {-1, -1, false, -56, 28, 0},  // front - bottom/left
    {-1, 0, false, 0, 65, 0},     // front - left
    {-1, 1, false, 56, 28, 0},    // front - top/left
    {0, 1, true, -75, 0, 0},      // back - top
    {1, 1, true, -80, 50, 0},     // back - top/right
    {1, 0, true, 0, 83, 0},       // back - right
    {1, -1, true, 80, 50, 0},     // back - bottom/right
    {0, -1, true, 75, 0, 0},      // back - bottom
    {-1, -1, true, 80, -50, 0},   // back - bottom/left
    {-1, 0, true, 0, -83, 0},     // back - left
    {-1, 1, true, -80, -50, 0},   // back - top/left
};

void TurnAbout(RasterVertex corners[4], const Point3& centre, double x, double y, double z,
               double k) {
  RotateFaceAboutPoint(Axis::X, corners, centre, F(x * k));
  RotateFaceAboutPoint(Axis::Y, corners, centre, F(y * k));
  RotateFaceAboutPoint(Axis::Z, corners, centre, F(z * k));
}

}  // namespace

const PatternAngles kPatternTable[kPatternCount] = {
    {0, 0, 0},         {0, 180, 0},      {180, 0, 180}, {360, 180, 0},
    {720, -180, -360}, {-180, 720, 180}, {0, 180, 360},
};

LogoGeometry MakeLogoGeometry(int32_t width, int32_t sceneHeight) {
  return LogoGeometry{width, sceneHeight, static_cast<float>(width / 2),
                      static_cast<float>(sceneHeight / 2)};
}

void BuildMotionTable(const LogoGeometry& g, MotionEntry table[kMotionCount]) {
  const double o1 = double{g.w2} * kPivotReach;
  const float o2 = F(o1 + o1);
  for (int32_t m = 0; m < kMotionCount; ++m) {
    const MotionShape& s = kMotionShapes[m];
    const double reach = s.back ? double{o2} : o1;
    table[m].pivot = Point3{F(g.w2 + s.dx * reach), F(g.h2 + s.dy * reach), 1.0f};
    table[m].x = s.x;
    table[m].y = s.y;
    table[m].z = s.z;
  }
}

float LayerTime(float progress, float start, float end) {
  const float span = F(double{end} - start);
  if (span == 0.0f) return 0.0f;
  if (progress <= start) return 0.0f;
  if (progress >= end) return 1.0f;
  return F((double{progress} - start) / span);
}

int32_t PatternIndex(int32_t rotation) {
  return rotation >= 0 && rotation < kPatternCount ? rotation : 0;
}

int32_t MotionIndex(int32_t motion) { return motion >= 0 && motion < kMotionCount ? motion : 0; }

void RestingCorners(const LogoGeometry& g, RasterVertex corners[4]) {
  const float right = static_cast<float>(g.width - 1);
  const float bottom = static_cast<float>(g.height - 1);
  corners[0] = RasterVertex{0, 0, 0, 0, 0, 0};
  corners[1] = RasterVertex{right, 0, 0, right, 0, 0};
  corners[2] = RasterVertex{0, bottom, 0, 0, bottom, 0};
  corners[3] = RasterVertex{right, bottom, 0, right, bottom, 0};
}

void MoveLayerCorners(const LogoGeometry& g, const MotionEntry table[kMotionCount],
                      const LayerSettings& layer, double k, RasterVertex corners[4]) {
  const PatternAngles& spin = kPatternTable[PatternIndex(layer.rotation)];
  TurnAbout(corners, Point3{g.w2, g.h2, 1.0f}, spin.x, spin.y, spin.z, k);
  const MotionEntry& swing = table[MotionIndex(layer.motion)];
  TurnAbout(corners, swing.pivot, swing.x, swing.y, swing.z, k);
}

}  // namespace zk
