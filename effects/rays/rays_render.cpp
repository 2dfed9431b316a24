#include "rays_render.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "colour_word.h"
#include "kernel_choice.h"
#include "level_blend_rows.h"
#include "pixel_rows.h"
#include "ray_casting.h"
#include "rays_frame.h"
#include "rays_params.h"
#include "slice_runner.h"

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

void CompositeRaysRowByLevels(uint8_t* out, const uint8_t* source, const uint8_t* mask,
                              const uint8_t* rays, int32_t width, double phase,
                              const uint8_t* colourRow, uint8_t* levels) {
  // The light lies in 0..255 (phase within 0..1), so it is a mix level of the integer blend.
  // A mask holds 0 or 255, and the ray map whole numbers, so trunc(max(phase x mask, rays))
  // is rays where the mask is 0 and max(trunc(phase x 255), rays) where it is 255.
  int32_t x = 0;
#if defined(__SSE2__)
  const __m128i lit = _mm_set1_epi8(static_cast<char>(PixelLight(phase, 255, 0)));
  alignas(16) uint8_t lights[16];
  // Each level is spread by one four-byte store whose last byte the next pixel overwrites,
  // so the last pixel of the row is left to the plain loop.
  for (; x + 16 < width; x += 16) {
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + x));
    const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rays + x));
    _mm_store_si128(reinterpret_cast<__m128i*>(lights), _mm_max_epu8(r, _mm_and_si128(m, lit)));
    for (int32_t k = 0; k < 16; ++k) {
      const uint32_t spread = lights[k] * 0x010101u;
      std::memcpy(levels + 3 * (x + k), &spread, 4);
    }
  }
#endif
  for (; x < width; ++x) {
    const uint8_t light = static_cast<uint8_t>(PixelLight(phase, mask[x], rays[x]));
    levels[3 * x] = light;
    levels[3 * x + 1] = light;
    levels[3 * x + 2] = light;
  }
  BlendRowLevels(out, source, colourRow, levels, width * 3);
}

int32_t RenderRaysWith(const ScratchSource& scratch, const FrameView& v) {
  if (v.width <= 0 || v.height <= 0) return 1;
  const RaysParams p = ReadRaysParams(v.paramBlock);
  const RaysFrame f = PlanRaysFrame(p, v.progress, v.width, v.height);
  const size_t cells = static_cast<size_t>(v.width) * static_cast<size_t>(v.height);
  // The mask, then the ray map: both are filled band by band below (the map with zeros).
  ScopedScratch maps(scratch, 2 * cells, ScratchFill::kAsTaken);
  if (!maps.ok()) return 0;
  uint8_t* mask = static_cast<uint8_t*>(maps.data());
  uint8_t* rays = mask + cells;
  // Rows are composited in pieces of kCompositePiece pixels through two small buffers.
  constexpr int32_t kCompositePiece = 256;
  uint8_t colourRow[3 * kCompositePiece];
  FillRowPixel(colourRow, kCompositePiece, ColourToPixel(p.rayColor));

  // The mask and the composite are row by row, in bands side by side; the rays are cast
  // over the whole mask in between.
  const uint8_t* source = f.fromSceneB ? v.sceneB : v.sceneA;
  const RowBands bands = PlanRowBands(v.height, 16);
  RunRowBands(bands, [&](int32_t, const RowRange& rows) {
    const size_t at = static_cast<size_t>(rows.first) * static_cast<size_t>(v.width);
    BuildLightMask(source + static_cast<int64_t>(rows.first) * v.stride, v.stride, v.width,
                   rows.end - rows.first, f.threshold, mask + at);
    std::memset(rays + at, 0, static_cast<size_t>(rows.end - rows.first) * v.width);
  });
  const bool plain = PlainKernels();
  (plain ? CastRaysPlain : CastRays)(mask, rays, v.width, v.height, f.lightCol, f.lightRow,
                                     p.density);
  RunRowBands(bands, [&](int32_t, const RowRange& rows) {
    uint8_t levels[3 * kCompositePiece];
    for (int32_t row = rows.first; row < rows.end; ++row) {
      const size_t at = static_cast<size_t>(row) * static_cast<size_t>(v.width);
      uint8_t* out = OutRow(v, row);
      const uint8_t* in = source + static_cast<int64_t>(row) * v.stride;
      if (plain) {
        CompositeRaysRow(out, in, mask + at, rays + at, v.width, f.phase, p.rayColor);
        continue;
      }
      for (int32_t x = 0; x < v.width; x += kCompositePiece) {
        const int32_t n = v.width - x < kCompositePiece ? v.width - x : kCompositePiece;
        CompositeRaysRowByLevels(out + 3 * x, in + 3 * x, mask + at + x, rays + at + x, n, f.phase,
                                 colourRow, levels);
      }
    }
  });
  return 1;
}

int32_t RenderRays(const FrameView& view) { return RenderRaysWith(kHeapScratch, view); }

}  // namespace zk
