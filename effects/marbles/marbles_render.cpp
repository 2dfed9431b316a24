#include "marbles_render.h"

#include <cstddef>

#include "float_rounding.h"
#include "kernel_choice.h"
#include "marbles_board.h"
#include "marbles_draw.h"
#include "marbles_fades.h"
#include "marbles_math.h"
#include "marbles_params.h"
#include "saturating_trunc.h"
#include "slice_runner.h"
#include "unit_progress.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

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
  const MarbleLight light{LightPosition(p, m), p.lightColor, p.viewDistance};

  // The sequential part: the marbles sampled, moved and sorted.
  const bool plain = PlainKernels();
  (plain ? SampleMarblesPlain : SampleMarbles)(SceneRows{source, v.stride, W, H, s}, grid, marbles);
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
  // An opening of no length (xFade 0) still shows the source scene at its first frame.
  const bool fading = pp <= p.xFade;
  const float fade = fading && p.xFade > 0 ? F(pp / double{p.xFade}) : 0.0f;
  const RowSpan whole{v.height, W * 3, v.stride};
  const bool fadeTable = CrossFadeTablePays(whole) && !plain;
  // Every band paints its rows, draws every marble over them in the same order, and fades.
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    const ptrdiff_t skip = static_cast<ptrdiff_t>(first) * v.stride;
    const RowSpan span{end - first, W * 3, v.stride};
    PaintRisingBackground(span, v.out + skip, revealed + skip, m);
    for (size_t k = 0; k < grid.count; ++k) {
      const Marble& b = marbles[order[k]];
      const MarbleLook look{b.colour, p.shadeImpact, p.shadeGloss};
      const float opacity = F(1 - (transpSpan * b.depthFraction + p.transpStart));
      (plain ? DrawMarblePlain : DrawMarble)(&out, &light, Point3{b.x, b.y, b.z}, radius, &look,
                                             opacity, RowRange{first, end});
    }
    if (fading) {
      // Without memory for the table the bytes are worked out one by one.
      ScopedScratch table(scratch, fadeTable ? kCrossFadeTableBytes : 0);
      CrossFadeFromSource(span, v.out + skip, source + skip, fade,
                          static_cast<uint8_t*>(table.data()));
    }
  });
  return 1;
}

}  // namespace zk
