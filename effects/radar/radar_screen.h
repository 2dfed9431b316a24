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

// Echo strength of a scene pixel (blue, green, red): 0 below grey 165, up to 139 for white.
int32_t EchoOf(const uint8_t* pixel);

// Angle in degrees of the pixel seen from the centre, dx = hW - x and dy = hH - line.
double PixelAngle(int32_t dx, int32_t dy);

// Colour of a pixel on the screen with mixed echo G at the given angle behind the beam.
PixelBgr ScreenColour(int32_t echo, double angle, int32_t beamAngle);

// The same colour from an angle known to within a hair (PixelAngleEstimate): false, with
// the colour undecided, when the beam or a byte value lies within `margin` of a step.
bool ScreenColourIfClear(int32_t echo, double angle, int32_t beamAngle, double margin,
                         PixelBgr* colour);

// PixelAngle to within about 1e-11 degrees, for dx != 0, without Atan.
double PixelAngleEstimate(int32_t dx, int32_t dy);

}  // namespace zk
