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

// Draws the block. Allocates two strip buffers for the call; when that fails the block is
// skipped.
void DrawCuboid(ImagePlane* output, const CameraSetup* camera, const Cuboid& cuboid,
                const Point3& eye);

}  // namespace zk
