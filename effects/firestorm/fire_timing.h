// What the settings and the progress make of one frame: how far the crossfade has come,
// whether and how hot spots are looked for, and how strongly the fire is laid over.
#pragma once

#include <cstdint>

#include "firestorm_params.h"

namespace zk {

struct FireTiming {
  double crossfade;       // weight of scene B, 0..1
  bool hotSpots;          // new hot spots are looked for in this frame
  double hotSpotChance;   // chance that a pixel is tested when not testing all
  int32_t edgeThreshold;  // a pixel brighter than a neighbour by more than this is hot
  double fade;            // overlay fade-out, 1 until flameFadeStart, 0 at progress 1
  double gain;            // overlay gain, (1 - flameVariation) * 3
};

// Weight of scene B: 0 up to `start`, 1 from `end` on, linear between. Settings that make
// no sense (NaN) give a weight inside 0..1 all the same.
double FireCrossfadeFactor(double progress, double start, double end);

FireTiming ComputeFireTiming(const FirestormParams& params, float progress);

}  // namespace zk
