// How the four layers move: their timing, the spin about the frame centre (rotation
// patterns) and the swing about a pivot beside the frame (motions), applied to the resting
// card of the frame.
#pragma once

#include <cstdint>

#include "logo_params.h"
#include "triangle_renderer.h"

namespace zk {

constexpr int32_t kPatternCount = 7;
constexpr int32_t kMotionCount = 17;

// Whole degrees about X, Y and Z over a layer's time span.
struct PatternAngles {
  int32_t x, y, z;
};
extern const PatternAngles kPatternTable[kPatternCount];

// A pivot and the degrees about X, Y and Z the layer swings about it.
struct MotionEntry {
  Point3 pivot;
  float x, y, z;
};

// The frame's layout for the layers: W x H scene pixels (H counts picture lines, twice the
// rows in field mode), and the centre (W2, H2) from integer halves.
struct LogoGeometry {
  int32_t width;
  int32_t height;
  float w2;
  float h2;
};
LogoGeometry MakeLogoGeometry(int32_t width, int32_t sceneHeight);

// The seventeen motions for this frame: front pivots 1.35 half-widths from the centre
// towards a side or corner, back pivots twice as far out.
void BuildMotionTable(const LogoGeometry& g, MotionEntry table[kMotionCount]);

// The layer's own time t (0..1) at progress p: 0 until `start`, 1 from `end`. A span of
// zero length never starts; an end below the start jumps to 1 right after the start.
float LayerTime(float progress, float start, float end);

// Index into the tables, or 0 (no movement) for a value no table entry has.
int32_t PatternIndex(int32_t rotation);
int32_t MotionIndex(int32_t motion);

// The card of one layer at rest: the whole frame in the image plane, each corner's texture
// coordinates its own position.
void RestingCorners(const LogoGeometry& g, RasterVertex corners[4]);

// Turns the corners by the share k (0 at rest, 1 the full movement) of the layer's
// rotation pattern about the centre, then of its motion about the motion's pivot.
void MoveLayerCorners(const LogoGeometry& g, const MotionEntry table[kMotionCount],
                      const LayerSettings& layer, double k, RasterVertex corners[4]);

}  // namespace zk
