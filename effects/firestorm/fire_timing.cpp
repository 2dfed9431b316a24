#include "fire_timing.h"

#include <cmath>

namespace zk {

double FireCrossfadeFactor(double progress, double start, double end) {
  if (progress <= start) return 0.0;
  if (progress >= end) return 1.0;
  const double n = (progress - start) / std::fabs(end - start);
  if (!(n >= 0.0)) return 0.0;
  return n > 1.0 ? 1.0 : n;
}

FireTiming ComputeFireTiming(const FirestormParams& params, float progress) {
  const double p = progress;
  const double start = params.crossfadeStart;
  const double end = params.crossfadeEnd;
  FireTiming t{};
  t.crossfade = FireCrossfadeFactor(p, start, end);

  t.hotSpots = p <= params.hotSpotEnd;
  const double share = params.hotSpotShare;
  const double rampEnd = params.hotSpotRampEnd;
  t.hotSpotChance = share;
  if (p < rampEnd) {
    // A ramp ending at 0 is only reached before the transition starts: nothing is hot yet.
    t.hotSpotChance = rampEnd != 0.0 ? p / rampEnd * share : 0.0;
  }

  // The threshold falls to 0 in the middle of the crossfade, so the fire flares up while
  // the scenes change, and climbs back.
  double f = 1.0;
  if (start <= p && p <= end) {
    const double n = t.crossfade;
    f = n < 0.5 ? 1.0 - 2.0 * n : (n - 0.5) * 2.0;
  }
  t.edgeThreshold = static_cast<int32_t>(params.edgeSensitivity * f);

  const double fadeStart = params.flameFadeStart;
  t.fade = 1.0;
  if (!(p < fadeStart)) {
    // A fade starting at or after progress 1 has nothing left to fade over.
    const double span = 1.0 - fadeStart;
    t.fade = span > 0.0 ? 1.0 - (p - fadeStart) / span : 0.0;
  }
  t.gain = (1.0 - static_cast<double>(params.flameVariation)) * 3.0;
  return t;
}

}  // namespace zk
