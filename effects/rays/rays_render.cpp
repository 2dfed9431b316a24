#include "rays_render.h"

#include "colour_word.h"
#include "ray_casting.h"
#include "rays_frame.h"
#include "rays_params.h"

namespace zk {

int32_t PixelLight(double phase, uint8_t mask, uint8_t rays) {
  const double lit = phase * mask;
  const double rayLight = rays;
  return static_cast<int32_t>(lit > rayLight ? lit : rayLight);
}

void CompositeRaysRow(uint8_t* out, const uint8_t* source, const uint8_t* mask, const uint8_t* rays,
                      int32_t width, double phase, uint32_t colour) {
  const PixelBgr c = ColourToPixel(colour);
  for (int32_t x = 0; x < width; ++x, out += 3, source += 3) {
    const int32_t light = PixelLight(phase, mask[x], rays[x]);
    const int32_t keep = 255 - light;
    out[0] = static_cast<uint8_t>(source[0] * keep / 255 + c.b * light / 255);
    out[1] = static_cast<uint8_t>(source[1] * keep / 255 + c.g * light / 255);
    out[2] = static_cast<uint8_t>(source[2] * keep / 255 + c.r * light / 255);
  }
}

int32_t RenderRaysWith(const ScratchSource& scratch, const FrameView& v) {
  if (v.width <= 0 || v.height <= 0) return 1;
  const RaysParams p = ReadRaysParams(v.paramBlock);
  const RaysFrame f = PlanRaysFrame(p, v.progress, v.width, v.height);
  const size_t cells = static_cast<size_t>(v.width) * static_cast<size_t>(v.height);
  ScopedScratch maps(scratch, 2 * cells);  // mask, then the ray map (zeroed)
  if (!maps.ok()) return 0;
  uint8_t* mask = static_cast<uint8_t*>(maps.data());
  uint8_t* rays = mask + cells;

  const uint8_t* source = f.fromSceneB ? v.sceneB : v.sceneA;
  BuildLightMask(source, v.stride, v.width, v.height, f.threshold, mask);
  CastRays(mask, rays, v.width, v.height, f.lightCol, f.lightRow, p.density);
  for (int32_t row = 0; row < v.height; ++row) {
    const size_t at = static_cast<size_t>(row) * static_cast<size_t>(v.width);
    CompositeRaysRow(OutRow(v, row), source + static_cast<int64_t>(row) * v.stride, mask + at,
                     rays + at, v.width, f.phase, p.rayColor);
  }
  return 1;
}

int32_t RenderRays(const FrameView& view) { return RenderRaysWith(kHeapScratch, view); }

}  // namespace zk
