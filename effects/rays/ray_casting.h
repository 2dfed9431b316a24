// The light mask and the rays cast through it. Both maps are W x H bytes addressed like
// the rectangle: [row][column] = row * W + column, row 0 first.
#pragma once

#include <cstdint>

namespace zk {

// Light kept by a ray from one step to the next.
constexpr float kRayDecay = 0.983f;

// 255 where the channel mean (b + g + r) / 3 of the picture reaches the threshold, else 0.
// `picture` is rectangle row 0, rows `stride` bytes apart.
void BuildLightMask(const uint8_t* picture, int32_t stride, int32_t width, int32_t height,
                    int32_t threshold, uint8_t* mask);

// Walks the four families of rays from the light source cell outwards (to the left edge,
// the right edge, row 0, the last row, in that order), one ray per row or column of the
// far edge. Each ray gathers `density` on every lit cell, stores its light (at most 255)
// in the cell and keeps kRayDecay of it; later rays overwrite earlier ones.
//
// The source may sit on any edge or one cell past the far edges. A ray that would have no
// length then covers only its first cell, and steps outside the maps are skipped (nothing
// is lit there), so no cell outside the maps is ever read or written. The rays are walked
// on the render's threads (see RayCast).
void CastRays(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lightCol,
              int32_t lightRow, int32_t density);

// CastRays cut into pieces that may be walked side by side: the left- and right-edge
// families' rays in `pieces` runs together (phase 0), then the row-0 and last-row ones
// (phase 1, which overwrites cells of phase 0), each family's share of the runs in
// proportion to the steps its rays take (at least one run for a family that has steps). No
// two pieces of a phase write the same cell: a run leaves a cell it shares with a later
// run's ray (the later ray writes last) to that run, and only the last family writes the
// source cell. Pieces of a phase may run in any order.
class RayCast {
 public:
  RayCast(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lightCol,
          int32_t lightRow, int32_t density, int32_t pieces);
  int32_t Pieces(int32_t phase) const;
  void Walk(int32_t phase, int32_t piece) const;

 private:
  struct PhasePlan {
    int32_t runs[2];  // runs of each family
    int32_t leading;  // the family whose runs come first
  };
  const uint8_t* mask_;
  uint8_t* map_;
  int32_t width_, height_, lx_, ly_, density_;
  PhasePlan phases_[2];
};

// Pieces of a phase per render thread: enough that the last ones to finish leave little of
// the phase to one thread.
constexpr int32_t kRayPiecesPerThread = 8;

// The same map with the rays walked one after another, each step's offset divided out: the
// form CastRays is checked against.
void CastRaysPlain(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height,
                   int32_t lightCol, int32_t lightRow, int32_t density);

}  // namespace zk
