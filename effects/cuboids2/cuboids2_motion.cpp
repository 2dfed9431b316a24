#include "cuboids2_motion.h"

#include <cmath>

#include "face_math.h"
#include "float_rounding.h"
#include "float_to_int.h"
#include "rand15.h"
#include "zmath.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

constexpr float kOneOver360 = 0.0027777778f;     // 0x3B360B61
constexpr float kPatternScale = 0.00015259255f;  // 0x39200140: 32767 of them are just below 5
constexpr double kDegreesPerRadian = 57.29582790879778;

// Degrees of each pattern about X, Y and Z; every one ends as a half turn about y.
constexpr int32_t kPatternTurns[6][3] = {{0, 180, 0},       {180, 0, 180},    {360, 180, 0},
                                         {720, -180, -360}, {-180, 720, 180}, {0, 180, 360}};

int32_t GridSize(int32_t n) { return n < 1 ? 1 : (n > 100 ? 100 : n); }

// Adds 0.01 to a corner coordinate whose fractional part is below 0.01, so that no corner
// sits exactly on a pixel boundary.
double Nudge(double v) { return v - std::trunc(v) < 0.01 ? v + 0.01 : v; }

// Codes 5 and 6: distance from the grid centre against the largest such distance. A grid
// of one block has no distance at all; it starts at 0.
float RadialStart(bool inward, const CuboidsFrame& f, int32_t i, int32_t k) {
  const double hc = f.columns / 2, hr = f.rows / 2;
  const double J = std::sqrt(hc * hc + hr * hr);
  if (J == 0) return 0.0f;
  const double L = std::sqrt((k - hr) * (k - hr) + (i - hc) * (i - hc));
  return F(inward ? f.spread / J * (J - L) : f.spread / J * L);
}

// Codes 7 to 10: distance from the middle line in whole cells.
float MiddleLineStart(bool inward, int32_t count, int32_t index, double spread) {
  const double c = count * 0.5;
  const double h = std::fabs(static_cast<double>(TruncToInt(c - index))) * 0.5;
  return F(inward ? spread / c * (c - h) : spread / c * h);
}

// Codes 11 and 12: the angle about the grid centre, a full turn spread over R.
float TurningStart(bool clockwise, const CuboidsFrame& f, int32_t i, int32_t k) {
  const int32_t dy = f.rows / 2 - k;
  const int32_t dx = f.columns / 2 - i;
  const double e = dx == 0 ? 0.00001 : dx;
  double a = Atan(dy / e) * kDegreesPerRadian;
  a += dx >= 0 ? 90 : 270;
  return F(clockwise ? f.spread * (360 - a) * kOneOver360 : f.spread * a * kOneOver360);
}

// Codes 13 to 20: position along a diagonal (d), or distance from the diagonal through
// the middle in half steps (h).
float DiagonalStart(int32_t code, const CuboidsFrame& f, int32_t i, int32_t k) {
  const double C =
      std::sqrt(static_cast<double>(f.columns) * f.columns + static_cast<double>(f.rows) * f.rows);
  const bool rising = code == 13 || code == 14 || code == 17 || code == 18;
  const double along =
      rising ? static_cast<double>(k) * f.rows + static_cast<double>(i) * f.columns
             : static_cast<double>(f.rows) * (f.rows - k) + static_cast<double>(i) * f.columns;
  const double R = f.spread;
  if (code <= 16) {
    const double d = along / C;
    return F(code == 13 || code == 15 ? R / C * d : R / C * (C - d));
  }
  const double c = C * 0.5;
  const double h = std::fabs(static_cast<double>(TruncToInt(c - along / (2 * c)))) * 0.5;
  return F(code == 17 || code == 19 ? R / c * h : R / c * (c - h));
}

}  // namespace

CuboidsFrame MakeCuboidsFrame(const CuboidsParams& p, int32_t width, int32_t sceneHeight,
                              float progress) {
  CuboidsFrame f{};
  f.width = width;
  f.sceneHeight = sceneHeight;
  f.columns = GridSize(p.columns);
  f.rows = GridSize(p.rows);
  f.progress = progress;
  f.cellWidth = static_cast<double>(width) / f.columns;
  f.cellHeight = static_cast<double>(sceneHeight) / f.rows;
  f.distance = static_cast<uint32_t>(TruncToInt(width * 1.5));
  f.depth = p.deep * f.cellWidth;
  f.lift = F(p.zMove * 0.9 * (f.distance - f.depth));
  f.spread = 1.0 - p.duration;
  return f;
}

float BlockStartTime(int32_t direction, const CuboidsFrame& f, int32_t i, int32_t k) {
  const double R = f.spread;
  switch (direction) {
    case 1:
      return F(R / f.columns * (f.columns - 1 - i));
    case 2:
      return F(R / f.columns * i);
    case 3:
      return F(R / f.rows * (f.rows - 1 - k));
    case 4:
      return F(R / f.rows * k);
    case 5:
    case 6:
      return RadialStart(direction == 5, f, i, k);
    case 7:
    case 8:
      return MiddleLineStart(direction == 7, f.columns, i, R);
    case 9:
    case 10:
      return MiddleLineStart(direction == 9, f.rows, k, R);
    case 11:
    case 12:
      return TurningStart(direction == 11, f, i, k);
    default:
      break;
  }
  if (direction >= 13 && direction <= 20) return DiagonalStart(direction, f, i, k);
  return 0.0f;
}

float BlockProgress(float progress, float start, float duration) {
  if (progress <= start) return 0.0f;
  if (progress >= double{start} + duration) return 1.0f;
  return F((double{progress} - start) / duration);
}

float BlockLift(float b, float lift, bool inverseZ) {
  const float l = b < 0.5f ? F(2.0 * b) : F(2.0 * (1.0 - b));
  const double t = 3.0 * (1.0 - l);
  const double s = inverseZ ? 27.0 : -27.0;
  const float z = F((27.0 - t * t * t) / s * lift);
  return inverseZ ? F(z * 4.0) : z;
}

int32_t NextRotationPattern(const CuboidsParams& p) {
  if (p.fixedRotation == 0) return TruncToInt(Rand15Next() * double{kPatternScale});
  return p.rotationPattern >= 0 && p.rotationPattern <= 5 ? p.rotationPattern : 0;
}

Cuboid MakeCuboidAtRest(const CuboidsParams& p, const CuboidsFrame& f, int32_t i, int32_t k,
                        float z, const ImagePlane* sceneA, const ImagePlane* sceneB) {
  const float xL = F(Nudge(i * f.cellWidth));
  const float xR = F(Nudge((i + 1) * f.cellWidth - 1));
  const float yT = F(Nudge(k * f.cellHeight));
  const float yB = F(Nudge((k + 1) * f.cellHeight - 1));
  Cuboid c{};
  c.corner[0] = RasterVertex{xL, yT, z, xL, yT, 0};
  c.corner[1] = RasterVertex{xR, yT, z, xR, yT, 0};
  c.corner[2] = RasterVertex{xL, yB, z, xL, yB, 0};
  c.corner[3] = RasterVertex{xR, yB, z, xR, yB, 0};
  c.frontLook = FaceLook{0x0000FF, p.impact, p.gloss, sceneA};
  c.backLook = FaceLook{0xFF0000, p.impact, p.gloss, sceneB};
  c.depth = F(f.depth);
  c.facing = Point3{0, 0, -1};
  return c;
}

void TurnCuboid(Cuboid* c, int32_t pattern, float b) {
  static const Axis kAxes[3] = {Axis::X, Axis::Y, Axis::Z};
  for (int a = 0; a < 3; ++a) {
    const float degrees = F(kPatternTurns[pattern][a] * double{b});
    RotateFaceAboutBlockCentre(kAxes[a], c->corner, c->depth, degrees, c->facing);
    c->facing = RotateAxis(kAxes[a], c->facing, degrees);
  }
}

}  // namespace zk
