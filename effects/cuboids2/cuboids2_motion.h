// The block grid and its motion: when each block starts (the direction codes), how far it
// lifts and turns at the frame's progress, and the corners of its front face.
#pragma once

#include <cstdint>

#include "cuboids2_params.h"
#include "triangle_renderer.h"

namespace zk {

// Values derived once per frame from the settings and the rectangle.
struct CuboidsFrame {
  int32_t width;        // W, the rectangle width
  int32_t sceneHeight;  // Hs, the rectangle height times the line step
  int32_t columns;      // grid size, kept within the dialog's 1..100
  int32_t rows;
  float progress;
  double cellWidth;
  double cellHeight;
  uint32_t distance;  // camera distance D = trunc(W * 1.5)
  double depth;       // block depth in pixels
  float lift;         // A: the largest z displacement
  double spread;      // R = 1 - duration: the span of start times
};

CuboidsFrame MakeCuboidsFrame(const CuboidsParams& p, int32_t width, int32_t sceneHeight,
                              float progress);

// Start time of block (i, k) for a direction code; 0 for codes outside 1..20.
float BlockStartTime(int32_t direction, const CuboidsFrame& f, int32_t i, int32_t k);

// Local progress of a block starting at `start`: 0 before, 1 after, linear between.
float BlockProgress(float progress, float start, float duration);

// z displacement at local progress b: 0 at both ends, -A (or +4A sinking) halfway.
float BlockLift(float b, float lift, bool inverseZ);

// The rotation pattern of the next block: one draw of Rand15 when random (0..4 only),
// else the fixed pattern (outside 0..5 counts as 0).
int32_t NextRotationPattern(const CuboidsParams& p);

// One block as the drawer takes it.
struct Cuboid {
  RasterVertex corner[4];  // front face, row order q0 top-left .. q3 bottom-right
  FaceLook frontLook;      // scene A
  FaceLook backLook;       // scene B
  float depth;
  // Where the front face looks, turned with the block: stands in for the face normal of a
  // face without area (a cell less than two pixels across).
  Point3 facing;
};

// Sets up block (i, k) at rest (corners, looks, depth), lifted by z.
Cuboid MakeCuboidAtRest(const CuboidsParams& p, const CuboidsFrame& f, int32_t i, int32_t k,
                        float z, const ImagePlane* sceneA, const ImagePlane* sceneB);

// Turns the block by pattern `pattern` at local progress b: X, then Y, then Z.
void TurnCuboid(Cuboid* c, int32_t pattern, float b);

}  // namespace zk
