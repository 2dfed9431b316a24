// The radar picture of one pixel: the beam trail, the echoes of bright scene areas and the
// per-frame timing that drives them.
#pragma once

#include <cstdint>

#include "colour_word.h"

namespace zk {

struct RadarTiming {
  int32_t beamAngle;  // S: degrees, the beam turns three times over the transition
  float fadeA;        // share of scene A laid over the screen near the start
  float fadeB;        // share of scene B laid over the screen near the end
  double echoMix;     // 1: echoes of scene A only, 0: of scene B only
};

RadarTiming MakeRadarTiming(double progress);

// Degrees per radian of the pixel angles (slightly above 180 / pi).
constexpr double kRadarDegreesPerRadian = 57.29582790879778;

// Echo strength of a pixel whose three channels add up to `sum`: 0 below grey 165, up to
// 139 for white.
inline int32_t EchoOfSum(int32_t sum) {
  const int32_t grey = sum / 3;
  return grey < 165 ? 0 : (grey - 165) * 255 / 165;
}

// Echo strength of a scene pixel (blue, green, red).
inline int32_t EchoOf(const uint8_t* pixel) { return EchoOfSum(pixel[0] + pixel[1] + pixel[2]); }

// Angle in degrees of the pixel seen from the centre, dx = hW - x and dy = hH - line.
double PixelAngle(int32_t dx, int32_t dy);

// Colour of a pixel on the screen with mixed echo G at the given angle behind the beam.
PixelBgr ScreenColour(int32_t echo, double angle, int32_t beamAngle);

// The same colour from an angle known to within a hair (PixelAngleEstimate): false, with
// the colour undecided, when the beam or a byte value lies within `margin` of a step.
inline bool ScreenColourIfClear(int32_t echo, double angle, int32_t beamAngle, double margin,
                                PixelBgr* colour);

// PixelAngle to within about 1e-11 degrees, for dx != 0, without Atan.
double PixelAngleEstimate(int32_t dx, int32_t dy);

namespace radar_detail {

constexpr float kPerDegreeOfTurn = 0.0027777778f;  // 1 / 360
constexpr float kPerLevel = 0.003921568859f;       // 1 / 255

// Truncation of the colour's byte values: plain, or noting whether a value lies within
// `margin` of an integer step (where an angle known only approximately could fall on the
// other side of it).
struct PlainTrunc {
  void Behind(double) const {}
  uint8_t operator()(double v) const { return static_cast<uint8_t>(static_cast<int32_t>(v)); }
};

struct MarginTrunc {
  double margin;
  bool clear = true;
  void Behind(double behind) { clear &= !(behind > -margin && behind < margin); }
  uint8_t operator()(double v) {
    const int32_t t = static_cast<int32_t>(v);
    const double fraction = v - t;
    // Every value is at least 0 once the beam side is settled, so only the steps from 1 on
    // can be crossed.
    clear &= !((t > 0 && fraction < margin) || fraction > 1 - margin);
    return static_cast<uint8_t>(t);
  }
};

template <class Trunc>
inline PixelBgr ScreenColourWith(int32_t echo, double angle, int32_t beamAngle, Trunc& trunc) {
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

}  // namespace radar_detail

inline bool ScreenColourIfClear(int32_t echo, double angle, int32_t beamAngle, double margin,
                                PixelBgr* colour) {
  radar_detail::MarginTrunc checked{margin};
  *colour = radar_detail::ScreenColourWith(echo, angle, beamAngle, checked);
  return checked.clear;
}

}  // namespace zk
