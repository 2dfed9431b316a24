#include "level_blend_rows.h"

#include "kernel_choice.h"
#include "level_blend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

void BlendRowLevelsPlain(uint8_t* out, const uint8_t* a, const uint8_t* b, const uint8_t* levels,
                         int32_t byteCount) {
  for (int32_t i = 0; i < byteCount; ++i) out[i] = BlendLevel(a[i], b[i], levels[i]);
}

#if defined(__SSE2__)
namespace {

// x / 255 truncated for 0 <= x <= 65535: (x * 32897) >> 23 gives the same for every such x.
inline __m128i DivideBy255(__m128i x) {
  return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(32897))), 7);
}

// Eight bytes widened to 16-bit lanes: the products a * (255 - q) and b * q stay below 65536.
inline __m128i BlendEight(__m128i a, __m128i b, __m128i q) {
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), q);
  return _mm_add_epi16(DivideBy255(_mm_mullo_epi16(a, keep)), DivideBy255(_mm_mullo_epi16(b, q)));
}

}  // namespace

void BlendRowLevels(uint8_t* out, const uint8_t* a, const uint8_t* b, const uint8_t* levels,
                    int32_t byteCount) {
  if (PlainKernels()) {
    BlendRowLevelsPlain(out, a, b, levels, byteCount);
    return;
  }
  const __m128i zero = _mm_setzero_si128();
  int32_t i = 0;
  for (; i + 16 <= byteCount; i += 16) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i vq = _mm_loadu_si128(reinterpret_cast<const __m128i*>(levels + i));
    const __m128i lo = BlendEight(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero),
                                  _mm_unpacklo_epi8(vq, zero));
    const __m128i hi = BlendEight(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero),
                                  _mm_unpackhi_epi8(vq, zero));
    // Every result is at most 255, so the saturating pack keeps it.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
  BlendRowLevelsPlain(out + i, a + i, b + i, levels + i, byteCount - i);
}
#else
void BlendRowLevels(uint8_t* out, const uint8_t* a, const uint8_t* b, const uint8_t* levels,
                    int32_t byteCount) {
  BlendRowLevelsPlain(out, a, b, levels, byteCount);
}
#endif

void SpreadPixelLevels(uint8_t* levels, const uint8_t* pixelLevels, int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    levels[3 * x] = pixelLevels[x];
    levels[3 * x + 1] = pixelLevels[x];
    levels[3 * x + 2] = pixelLevels[x];
  }
}

}  // namespace zk
