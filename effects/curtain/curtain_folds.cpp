#include "curtain_folds.h"

#include <cmath>

#include "zmath.h"

namespace zk {
namespace {

constexpr double kPi = 3.14159;
constexpr double kTwoThirds = 0.6666666666666666;
constexpr float kDegreesPerRadian = 57.295826f;
constexpr float kShadePerDegree = 0.022222223f;  // 1 / 45
constexpr float kScalePerDepth = 0.0028571428f;  // 1 / 350

// Shade from the cloth's slope in degrees, in single precision: a flat cloth then has a
// shade of exactly 0 (45 x kShadePerDegree rounds to 1 in float but not in double).
float ShadeOfSlope(float degrees) {
  if (degrees >= 0) return -(1.0f - std::fabs(45.0f - degrees) * kShadePerDegree);
  return 1.0f - std::fabs(degrees + 45.0f) * kShadePerDegree;
}

}  // namespace

int32_t CurtainHalfColumns(int32_t width, float t) {
  return static_cast<int32_t>((1 - static_cast<double>(t)) * (width / 2));
}

void BuildFoldTable(int32_t width, float t, FoldEntry* entries, int32_t count) {
  const double wide = width / 10;    // fold period when the curtain is closed
  const double narrow = width / 25;  // fold period when it is fully open
  const double period = (1 - std::sqrt(static_cast<double>(t))) * (wide - narrow) + narrow;
  const double amplitude = (wide - period) * kTwoThirds;
  for (int32_t i = 0; i < count; ++i) {
    FoldEntry& e = entries[i];
    // A stage narrower than ten columns has no room for a fold (period 0): flat cloth.
    const double wave = period > 0 ? Sin(i * kPi / period) : 0.0;
    e.depth = static_cast<float>(amplitude - amplitude * wave);
    e.scale = static_cast<float>(e.depth * static_cast<double>(kScalePerDepth) + 1);
    if (i == 0) {
      e.arc = 0;
      e.shade = 0;
      continue;
    }
    const double rise = static_cast<double>(e.depth) - entries[i - 1].depth;
    e.arc = static_cast<float>(std::sqrt(rise * rise + 1) + entries[i - 1].arc);
    const float slope = static_cast<float>(Atan(rise) * kDegreesPerRadian);
    e.shade = ShadeOfSlope(slope);
  }
  if (count > 1) {
    entries[0].arc = entries[1].arc;
    entries[0].shade = entries[1].shade;
  }
}

}  // namespace zk
