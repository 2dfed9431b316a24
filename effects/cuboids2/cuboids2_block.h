// Drawing one block: its front face (scene A), back face (scene B) and four sides textured
// with strips cut from the edges of both scenes, each face only when it faces the eye.
#pragma once

#include "cuboids2_motion.h"
#include "triangle_renderer.h"

namespace zk {

// The eye point of the facing test: (W / 2, Hs / 2, D) with integer halves.
Point3 CuboidsEye(const CuboidsFrame& f);

// The most triangles DrawCuboid draws: two for each of the six faces.
constexpr int32_t kCuboidTriangles = 12;

// What a block's faces need beyond its corners, the same for every band of a frame: the
// back corners and the strips its visible sides are textured with (no data where a side
// is hidden or the block has no texture).
struct CuboidSides {
  RasterVertex back[4];
  ImagePlane top, bottom, left, right;
  uint8_t* memory;  // the strips' bytes
  bool ready;       // false: not prepared, the block is not drawn
};

// False when the strips' memory cannot be had; the block is then not drawn.
bool PrepareCuboidSides(const Cuboid& cuboid, const Point3& eye, CuboidSides* sides);
void ReleaseCuboidSides(CuboidSides* sides);

// Draws the block with the sides prepared for it (nothing when they were not).
void DrawCuboid(ImagePlane* output, const CameraSetup* camera, const Cuboid& cuboid,
                const CuboidSides& sides, const Point3& eye);

}  // namespace zk
