#include "radar_screen.h"

#include "arctan_estimate.h"
#include "zmath.h"

namespace zk {
namespace {

// Fade-in of scene B: the comparison uses the host's single-precision 0.8, the ramp the
// double 0.8, so that the last frame holds a weight of exactly 1 and shows scene B itself.
constexpr float kFadeAEnd = 0.2f;
constexpr float kFadeBStart = 0.8f;
constexpr double kFadeBRampStart = 0.8;
// Echoes change over from scene A to scene B in the middle third (single-precision values).
constexpr double kMixStart = 0.3349999934434891;
constexpr double kMixEnd = 0.6650000065565109;
constexpr double kMixRate = 3.0303029098896115;

constexpr float kNearZero = 0.00001f;

}  // namespace

RadarTiming MakeRadarTiming(double p) {
  RadarTiming t;
  t.beamAngle = static_cast<int32_t>((1.0 - p) * 1080) % 360;
  t.fadeA = p < kFadeAEnd ? static_cast<float>(1.0 - 5 * p) : 0.0f;
  t.fadeB = p > kFadeBStart ? static_cast<float>((p - kFadeBRampStart) * 5) : 0.0f;
  if (p < kMixStart) {
    t.echoMix = 1.0;
  } else if (p <= kMixEnd) {
    t.echoMix = 1.0 - (p - kMixStart) * kMixRate;
  } else {
    t.echoMix = 0.0;
  }
  return t;
}

double PixelAngle(int32_t dx, int32_t dy) {
  const double q = dx != 0 ? static_cast<double>(dx) : static_cast<double>(kNearZero);
  const double angle = Atan(dy / q) * kRadarDegreesPerRadian;
  return angle + (dx < 0 ? 270 : 90);
}

PixelBgr ScreenColour(int32_t echo, double angle, int32_t beamAngle) {
  radar_detail::PlainTrunc plain;
  return radar_detail::ScreenColourWith(echo, angle, beamAngle, plain);
}

double PixelAngleEstimate(int32_t dx, int32_t dy) {
  const double angle = ArctanEstimate(dy, dx) * kRadarDegreesPerRadian;
  return angle + (dx < 0 ? 270 : 90);
}

}  // namespace zk
