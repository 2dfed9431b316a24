#include "marbles_render.h"

#include <cstddef>

#include "marbles_board.h"
#include "marbles_draw.h"
#include "marbles_math.h"
#include "marbles_params.h"
#include "pixel_rows.h"
#include "saturating_trunc.h"
#include "unit_progress.h"

namespace zk {
namespace {

inline float F(double v) { return static_cast<float>(v); }

// Every byte of the rectangle becomes the revealed scene's byte times m (a float product,
// truncated): the revealed scene rises from black as the marbles leave.
void PaintRisingBackground(const FrameView& v, const uint8_t* revealed, float m) {
  uint8_t level[256];
  for (int32_t b = 0; b < 256; ++b)
    level[b] = static_cast<uint8_t>(static_cast<float>(b * double{m}));
  const int32_t bytes = v.width * 3;
  for (int32_t row = 0; row < v.height; ++row) {
    uint8_t* out = OutRow(v, row);
    const uint8_t* in = revealed + static_cast<ptrdiff_t>(row) * v.stride;
    for (int32_t i = 0; i < bytes; ++i) out[i] = level[in[i]];
  }
}

// The opening: the output moves from the source scene (a = 0) to what was drawn (a = 1).
void CrossFadeFromSource(const FrameView& v, const uint8_t* source, float a) {
  const int32_t bytes = v.width * 3;
  for (int32_t row = 0; row < v.height; ++row) {
    uint8_t* out = OutRow(v, row);
    const uint8_t* src = source + static_cast<ptrdiff_t>(row) * v.stride;
    for (int32_t i = 0; i < bytes; ++i)
      out[i] = static_cast<uint8_t>(src[i] + (out[i] - src[i]) * double{a});
  }
}

Point3 LightPosition(const MarblesParams& p, float m) {
  const Point3 from{p.lightPos1[0], p.lightPos1[1], p.lightPos1[2]};
  switch (p.lightMode) {
    case kLightLinear:
      return Point3{F(from.x + (double{p.lightPos2[0]} - from.x) * m),
                    F(from.y + (double{p.lightPos2[1]} - from.y) * m),
                    F(from.z + (double{p.lightPos2[2]} - from.z) * m)};
    case kLightRotating: {
      Point3 at = RotateXWholeDegrees(from, SaturatingTrunc(p.lightRotX * double{m}));
      at = RotateYWholeDegrees(at, SaturatingTrunc(p.lightRotY * double{m}));
      return RotateZWholeDegrees(at, SaturatingTrunc(p.lightRotZ * double{m}));
    }
    default:
      return from;
  }
}

}  // namespace

int32_t RenderMarbles(const FrameView& view) { return RenderMarblesWith(view, kHeapScratch); }

int32_t RenderMarblesWith(const FrameView& v, const ScratchSource& scratch) {
  if (v.paramBlock == nullptr) return 0;
  const MarblesParams& p = *static_cast<const MarblesParams*>(v.paramBlock);
  const int32_t s = v.lineStep > 0 ? v.lineStep : 1;
  const int32_t W = v.width;
  const int32_t H = v.height * s;
  if (W <= 0 || v.height <= 0) return 1;  // nothing to draw

  // "Viewer to Surface" plays the same flight backwards, out of scene B into scene A.
  const bool backwards = p.viewerToSurface != 0;
  const float progress = UnitProgress(v.progress);
  const float pp = backwards ? F(1.0 - progress) : progress;
  const uint8_t* source = backwards ? v.sceneB : v.sceneA;
  const uint8_t* revealed = backwards ? v.sceneA : v.sceneB;

  const MarbleGrid grid = MakeMarbleGrid(W, H, p.size);
  if (grid.count > kMaxMarbles) return 0;
  ScopedScratch marbleBlock(scratch, grid.count * sizeof(Marble));
  if (!marbleBlock.ok()) return 0;
  // The drawing order and the merge sort's second half.
  ScopedScratch orderBlock(scratch, grid.count * 2 * sizeof(uint32_t));
  if (!orderBlock.ok()) return 0;
  Marble* marbles = static_cast<Marble*>(marbleBlock.data());
  uint32_t* order = static_cast<uint32_t*>(orderBlock.data());

  const float m = MotionTime(pp, p.staticTime);
  PaintRisingBackground(v, revealed, m);
  const MarbleLight light{LightPosition(p, m), p.lightColor, p.viewDistance};

  SampleMarbles(SceneRows{source, v.stride, W, H, s}, grid, marbles);
  MoveMarbles(p, grid, W, H, m, marbles);
  IntensifyColours(p.colorHue, marbles, grid.count);
  SortFarToNear(marbles, grid.count, order, order + grid.count);

  ImagePlane out{};
  out.data = v.out;
  out.bytesPerPixel = 3;
  out.stride = v.stride;
  out.width = W;
  out.height = H;
  out.rowStep = s;
  const float radius = F(grid.cellSize * 0.5);
  const double transpSpan = F(double{p.transpEnd} - p.transpStart);
  for (size_t k = 0; k < grid.count; ++k) {
    const Marble& b = marbles[order[k]];
    const MarbleLook look{b.colour, p.shadeImpact, p.shadeGloss};
    const float opacity = F(1 - (transpSpan * b.depthFraction + p.transpStart));
    DrawMarble(&out, &light, Point3{b.x, b.y, b.z}, radius, &look, opacity);
  }

  // An opening of no length (xFade 0) still shows the source scene at its first frame.
  if (pp <= p.xFade) CrossFadeFromSource(v, source, p.xFade > 0 ? F(pp / double{p.xFade}) : 0.0f);
  return 1;
}

}  // namespace zk
