// SSE2 forms of the row kernels. Each does the same double-precision operations in the
// same order as its plain form, two bytes per instruction, so the bytes are identical.
#include <emmintrin.h>

#include "kernel_choice.h"
#include "pixel_rows.h"

namespace zk {
namespace {

// trunc(keep * a + p * b) for 4 bytes already widened to 32-bit lanes.
inline __m128i BlendFour(__m128i a32, __m128i b32, __m128d keep, __m128d p) {
  const __m128d lo =
      _mm_add_pd(_mm_mul_pd(keep, _mm_cvtepi32_pd(a32)), _mm_mul_pd(p, _mm_cvtepi32_pd(b32)));
  const __m128d hi = _mm_add_pd(_mm_mul_pd(keep, _mm_cvtepi32_pd(_mm_srli_si128(a32, 8))),
                                _mm_mul_pd(p, _mm_cvtepi32_pd(_mm_srli_si128(b32, 8))));
  return _mm_unpacklo_epi64(_mm_cvttpd_epi32(lo), _mm_cvttpd_epi32(hi));
}

}  // namespace

void CrossfadeRowSse2(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                      double p) {
  if (PlainKernels()) {
    CrossfadeRowPlain(out, a, b, byteCount, p);
    return;
  }
  const __m128d keep = _mm_set1_pd(1.0 - p);
  const __m128d weight = _mm_set1_pd(p);
  const __m128i zero = _mm_setzero_si128();
  int32_t i = 0;
  for (; i + 16 <= byteCount; i += 16) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i a16lo = _mm_unpacklo_epi8(va, zero), a16hi = _mm_unpackhi_epi8(va, zero);
    const __m128i b16lo = _mm_unpacklo_epi8(vb, zero), b16hi = _mm_unpackhi_epi8(vb, zero);
    const __m128i r0 =
        BlendFour(_mm_unpacklo_epi16(a16lo, zero), _mm_unpacklo_epi16(b16lo, zero), keep, weight);
    const __m128i r1 =
        BlendFour(_mm_unpackhi_epi16(a16lo, zero), _mm_unpackhi_epi16(b16lo, zero), keep, weight);
    const __m128i r2 =
        BlendFour(_mm_unpacklo_epi16(a16hi, zero), _mm_unpacklo_epi16(b16hi, zero), keep, weight);
    const __m128i r3 =
        BlendFour(_mm_unpackhi_epi16(a16hi, zero), _mm_unpackhi_epi16(b16hi, zero), keep, weight);
    // Results lie in 0..255 for p in 0..1, so the saturating packs keep them as they are.
    const __m128i lo = _mm_packs_epi32(r0, r1), hi = _mm_packs_epi32(r2, r3);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
  CrossfadeRowPlain(out + i, a + i, b + i, byteCount - i, p);
}

bool CrossfadeFixedPointApplies(float p) { return p >= 0x1p-7f && p < 1.0f; }

namespace {

// floor(P * d / 2^30) for four d in 32-bit lanes (each lane: d in its low word, 0 above),
// with P = high * 2^15 + low: floor((high * d + floor(low * d / 2^15)) / 2^15).
inline __m128i ScaledStep(__m128i d, __m128i high, __m128i low) {
  const __m128i lowPart = _mm_srai_epi32(_mm_madd_epi16(d, low), 15);
  return _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(d, high), lowPart), 15);
}

// Eight bytes of a and b in 16-bit lanes: a + floor(P * (b - a) / 2^30), in 16-bit lanes.
inline __m128i FixedEight(__m128i a16, __m128i b16, __m128i high, __m128i low) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i d = _mm_sub_epi16(b16, a16);
  const __m128i lo = _mm_add_epi32(_mm_unpacklo_epi16(a16, zero),
                                   ScaledStep(_mm_unpacklo_epi16(d, zero), high, low));
  const __m128i hi = _mm_add_epi32(_mm_unpackhi_epi16(a16, zero),
                                   ScaledStep(_mm_unpackhi_epi16(d, zero), high, low));
  return _mm_packs_epi32(lo, hi);
}

}  // namespace

void CrossfadeRowFixedSse2(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                           float p) {
  if (PlainKernels()) {
    CrossfadeRowPlain(out, a, b, byteCount, p);
    return;
  }
  const int32_t steps = static_cast<int32_t>(static_cast<double>(p) * 0x1p30);  // exact
  // Each multiplier sits in the low word of its 32-bit lane; the high word, 0, meets the 0
  // above each d, so pmaddwd gives the signed 32-bit product.
  const __m128i high = _mm_set1_epi32(steps >> 15);
  const __m128i low = _mm_set1_epi32(steps & 0x7FFF);
  const __m128i zero = _mm_setzero_si128();
  int32_t i = 0;
  for (; i + 16 <= byteCount; i += 16) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i lo =
        FixedEight(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero), high, low);
    const __m128i hi =
        FixedEight(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero), high, low);
    // Every result lies between a and b, so the pack keeps it.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
  CrossfadeRowPlain(out + i, a + i, b + i, byteCount - i, p);
}

}  // namespace zk
