// What the settings and the progress make of one rays frame: the phase of the light, the
// brightness threshold, the source picture and the light source cell.
#pragma once

#include <cstdint>

#include "rays_params.h"

namespace zk {

struct RaysFrame {
  double phase;       // e: 0 at the ends of the transition, 1 at the switch point
  bool fromSceneB;    // the picture the light grows from, and the one shown under it
  int32_t threshold;  // pixels at least this bright (channel mean) are lit, 0..255
  int32_t lightCol;   // light source cell; one past the last column or row when the
  int32_t lightRow;   // source sits on the far edge (100 percent)
};

// e = p / switchPoint before the switch, 1 - (p - switchPoint) / (1 - switchPoint) from
// it on; held to 0..1.
double RaysPhase(const RaysParams& p, float progress);

// Column (or row) of a light source at `percent` of `extent`, in single precision as the
// settings have always been read: 50 percent is the middle, 100 percent one past the end.
// Percentages outside 0..100 are held to them.
int32_t LightSourceCell(int32_t extent, float percent);

RaysFrame PlanRaysFrame(const RaysParams& p, float progress, int32_t width, int32_t height);

}  // namespace zk
