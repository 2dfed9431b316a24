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
constexpr float kPerDegreeOfTurn = 0.0027777778f;  // 1 / 360
constexpr float kPerLevel = 0.003921568859f;       // 1 / 255

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

int32_t EchoOf(const uint8_t* pixel) {
  const int32_t grey = (pixel[0] + pixel[1] + pixel[2]) / 3;
  return grey < 165 ? 0 : (grey - 165) * 255 / 165;
}

double PixelAngle(int32_t dx, int32_t dy) {
  const double q = dx != 0 ? static_cast<double>(dx) : static_cast<double>(kNearZero);
  const double angle = Atan(dy / q) * kRadarDegreesPerRadian;
  return angle + (dx < 0 ? 270 : 90);
}

namespace {

// Truncation of the colour's byte values: plain, or noting whether a value lies within
// `margin` of an integer step (where an angle known only approximately could fall on the
// other side of it).
struct PlainTrunc {
  bool Behind(double) const { return true; }
  uint8_t operator()(double v) const { return static_cast<uint8_t>(static_cast<int32_t>(v)); }
};

struct MarginTrunc {
  double margin;
  bool clear = true;
  bool Behind(double behind) {
    if (behind > -margin && behind < margin) clear = false;
    return clear;
  }
  uint8_t operator()(double v) {
    const int32_t t = static_cast<int32_t>(v);
    // Every value is at least 0 once the beam side is settled, so only the steps from 1 on
    // can be crossed.
    if ((t > 0 && v - t < margin) || v - t > 1 - margin) clear = false;
    return static_cast<uint8_t>(t);
  }
};

template <class Trunc>
PixelBgr ScreenColourWith(int32_t echo, double angle, int32_t beamAngle, Trunc& trunc) {
  double behind = beamAngle - angle;
  trunc.Behind(behind);
  if (behind < 0) behind += 360;
  const double f = behind * kPerDegreeOfTurn;
  if (echo == 0) {
    // The trail is brightest just behind the beam (f near 1 after a full turn).
    return PixelBgr{0, trunc(f * f * 170), 0};
  }
  const double g = static_cast<double>(kPerLevel) * echo;
  const double f5 = f * f * f * f * f;
  const double blue = 15 * g;
  const double green = 136 * g;
  const uint8_t b = trunc((255 - blue) * f5 + blue);
  const uint8_t gr = trunc((255 - green) * f5 + green);
  return PixelBgr{b, gr, trunc(255 * f5)};
}

}  // namespace

PixelBgr ScreenColour(int32_t echo, double angle, int32_t beamAngle) {
  PlainTrunc plain;
  return ScreenColourWith(echo, angle, beamAngle, plain);
}

bool ScreenColourIfClear(int32_t echo, double angle, int32_t beamAngle, double margin,
                         PixelBgr* colour) {
  MarginTrunc checked{margin};
  *colour = ScreenColourWith(echo, angle, beamAngle, checked);
  return checked.clear;
}

double PixelAngleEstimate(int32_t dx, int32_t dy) {
  const double angle = ArctanEstimate(dy, dx) * kRadarDegreesPerRadian;
  return angle + (dx < 0 ? 270 : 90);
}

}  // namespace zk
