#include "waves_rings.h"

#include <cmath>

#include "saturating_trunc.h"
#include "unit_progress.h"
#include "zmath.h"

namespace zk {

WavesFrame MakeWavesFrame(int32_t width, int32_t lines, float progress, uint32_t variantFlags) {
  WavesFrame f;
  f.progress = UnitProgress(progress);
  f.halfWidth = width / 2;
  f.halfLines = lines / 2;
  f.radius = f.halfWidth < f.halfLines ? f.halfWidth : f.halfLines;
  f.ringStep = f.radius / 8;
  f.amplitude = 1.0 - 2.0 * std::fabs(0.5 - f.progress);
  f.phase = (variantFlags & kWavesRingsInward) ? SaturatingTrunc(f.radius * f.progress)
                                               : SaturatingTrunc((1.0 - f.progress) * f.radius);
  return f;
}

int32_t WaveDepth(const WavesFrame& f, int32_t distance) {
  if (f.radius <= 0) return 0;
  const int32_t twoR = 2 * f.radius;
  const int32_t k = SaturatingTrunc(f.amplitude * (twoR - distance) * 255 / twoR);
  return k > 0 ? k : 0;
}

int32_t WaveMixLevel(const WavesFrame& f, int32_t distance) {
  const int32_t k = WaveDepth(f, distance);
  double ring = 0.0;
  if (f.ringStep > 0) {
    const double angle = (f.phase + distance + f.ringStep * 0.5) * 3.14 / f.ringStep;
    ring = (Sin(angle) + 1) * (k / 2);
  }
  const int32_t level = SaturatingTrunc((255 - k) * f.progress + (SaturatingTrunc(ring) & 0xFF));
  return level & 0xFF;
}

}  // namespace zk
