#include "rays_frame.h"

#include "threshold_curve.h"

namespace zk {

double RaysPhase(const RaysParams& p, float progress) {
  const double t = progress;
  const double s = p.switchPoint;
  double e;
  if (t < s) {
    e = t / s;
  } else {
    // At or past a switch point of 1 there is nothing left of the fall: full light.
    const double span = 1.0 - s;
    e = span > 0.0 ? 1.0 - (t - s) / span : 1.0;
  }
  if (!(e >= 0.0)) return 0.0;
  return e > 1.0 ? 1.0 : e;
}

int32_t LightSourceCell(int32_t extent, float percent) {
  if (!(percent >= 0.0f)) percent = 0.0f;
  if (percent > 100.0f) percent = 100.0f;
  const float scaled = static_cast<float>(extent) * percent;
  return static_cast<int32_t>(scaled * 0.01f);
}

RaysFrame PlanRaysFrame(const RaysParams& p, float progress, int32_t width, int32_t height) {
  RaysFrame f{};
  f.phase = RaysPhase(p, progress);
  f.fromSceneB = !(static_cast<double>(progress) < static_cast<double>(p.switchPoint));
  const bool rising = !f.fromSceneB;
  const double curve = ThresholdCurve(f.phase, rising ? p.riseExponent : p.fallExponent,
                                      rising ? p.riseLevel : p.fallLevel);
  const double t = 255.0 - curve * 255.0;
  // For settings inside their ranges t lies in 0..255 (a rounding hair below 0 truncates
  // to 0); others are held there, and a curve that is no number lights nothing.
  if (!(t < 255.0)) {
    f.threshold = 255;
  } else if (t <= 0.0) {
    f.threshold = 0;
  } else {
    f.threshold = static_cast<int32_t>(t);
  }
  f.lightCol = LightSourceCell(width, p.lightX);
  f.lightRow = LightSourceCell(height, p.lightY);
  return f;
}

}  // namespace zk
