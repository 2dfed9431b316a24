#include "cuboids2_render.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bitmap_reader.h"
#include "cuboids2_block.h"
#include "cuboids2_motion.h"
#include "cuboids2_params.h"
#include "depth_clear.h"
#include "image_fill.h"
#include "rand15.h"
#include "triangle_bands.h"

namespace zk {
namespace {

// Bands of triangles a thread (see DrawInBands): its pixels cost much alike, and the census
// balances the bands.
constexpr int32_t kCuboidBandsPerThread = 1;

// Step 2 of a frame: the user's bitmap stretched over the picture, read afresh every
// frame; false when there is none or it cannot be read (the background colour then fills
// each band's rows).
bool PaintBackgroundPicture(const CuboidsParams& p, ImagePlane* out) {
  if (p.backgroundType == 1 && p.backgroundFile[0] != '\0') {
    // The record's path need not be terminated inside its buffer.
    char path[kCuboidsPathBytes + 1];
    std::memcpy(path, p.backgroundFile, kCuboidsPathBytes);
    path[kCuboidsPathBytes] = '\0';
    ImagePlane picture{};
    if (ReadBmpFile(&picture, path)) {
      StretchBilinear(out, 0, 0, out->width, out->height, &picture, 0, 0, picture.width,
                      picture.height);
      ReleaseImage(&picture);
      return true;
    }
  }
  return false;
}

}  // namespace

int32_t RenderCuboids(const FrameView& v) {
  if (v.paramBlock == nullptr) return 0;
  const CuboidsParams& p = *static_cast<const CuboidsParams*>(v.paramBlock);
  const int32_t W = v.width;
  const int32_t Hs = v.height * v.lineStep;
  if (W <= 0 || Hs <= 0) return 1;

  ImagePlane out{v.out, 3, v.stride, W, Hs, v.lineStep};
  ImagePlane sceneA{const_cast<uint8_t*>(v.sceneA), 3, v.stride, W, Hs, v.lineStep};
  ImagePlane sceneB{const_cast<uint8_t*>(v.sceneB), 3, v.stride, W, Hs, v.lineStep};
  const bool picture = PaintBackgroundPicture(p, &out);

  const size_t entries = static_cast<size_t>(W) * static_cast<size_t>(Hs);
  float* depth = static_cast<float*>(std::malloc(entries * sizeof(float)));
  if (depth == nullptr) return 0;

  // The sequential part: every block set up and turned in drawing order, so the rotation
  // patterns come from Rand15 in the order they always have.
  const CuboidsFrame f = MakeCuboidsFrame(p, W, Hs, v.progress);
  const Point3 eye = CuboidsEye(f);
  std::vector<Cuboid> blocks;
  blocks.reserve(static_cast<size_t>(f.rows) * static_cast<size_t>(f.columns));
  Rand15Seed(0);
  for (int32_t k = 0; k < f.rows; ++k) {
    for (int32_t i = 0; i < f.columns; ++i) {
      const float start = BlockStartTime(p.direction, f, i, k);
      const float b = BlockProgress(f.progress, start, p.duration);
      const float z = BlockLift(b, f.lift, p.inverseZ != 0);
      const int32_t pattern = NextRotationPattern(p);
      blocks.push_back(MakeCuboidAtRest(p, f, i, k, z, &sceneA, &sceneB));
      TurnCuboid(&blocks.back(), pattern, b);
    }
  }

  // The strips of every block's sides, cut once for all bands.
  std::vector<CuboidSides> sides(blocks.size());
  RunSlices(SliceThreads(), static_cast<int32_t>(blocks.size()), [&](int32_t i) {
    PrepareCuboidSides(blocks[static_cast<size_t>(i)], eye, &sides[static_cast<size_t>(i)]);
  });

  // The drawing: each band clears its rows of the depth buffer and draws every block.
  const int32_t storedRows = StoredRows(out);
  const int32_t triangles = static_cast<int32_t>(blocks.size()) * kCuboidTriangles;
  DrawInBands(storedRows, W, v.stride, triangles, kCuboidBandsPerThread, [&](TriangleBand* band) {
    ImagePlane bandOut = out;
    const int32_t first = band != nullptr ? band->firstRow : 0;
    const int32_t end = band != nullptr ? band->endRow : storedRows;
    const int32_t step = EffectiveRowStep(out);
    if (!picture) FillRect(&bandOut, 0, first * step, W, (end - first) * step, p.backgroundColor);
    ClearDepth(depth + static_cast<size_t>(first) * W, static_cast<size_t>(end - first) * W);
    CameraSetup camera{Point3{10, 0, 0}, 0xFFFFFF, f.distance, depth, p.outline, band};
    for (size_t i = 0; i < blocks.size(); ++i)
      DrawCuboid(&bandOut, &camera, blocks[i], sides[i], eye);
  });
  for (CuboidSides& s : sides) ReleaseCuboidSides(&s);
  std::free(depth);
  return 1;
}

}  // namespace zk
