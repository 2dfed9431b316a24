// LitTexel for three channels, inlined into the renderer's pixel loop. Channels 0 and 1
// share one SSE2 register and channel 2 has its own; every lane makes the double
// operations of the plain form in its order (bilinear along the upper row, along the
// lower row, between the rows, then the light), truncating where it truncates, so the
// bytes equal LitTexel's. Where a neighbour is missing, the texel stands in for it: x +
// (x - x) * f is exactly x for the finite fractions met here, which is what the plain
// form returns without interpolating.
#pragma once

#include <cstdint>

#include "isa_namespace.h"
#include "texel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

// A triangle's lighting as the fast texel needs it.
struct TexelLighting {
  TexelShading plain;
  bool unlit;  // shade 0: val + (light - val) * 0 and val - val * 0 are val itself
  bool darken;
  double shade;
  double light[3];
};

inline namespace ZK_ISA_NAMESPACE {

inline TexelLighting MakeTexelLighting(const TexelShading& s) {
  TexelLighting l{};
  l.plain = s;
  l.unlit = s.shade == 0.0f;
  l.darken = s.cosine < 0;
  l.shade = s.shade;
  for (int c = 0; c < 3; ++c) l.light[c] = s.light[c];
  return l;
}

#if defined(__SSE2__)

// Three bytes at p as int32 lanes 0..2 (lane 3 zero), reading no byte beyond them.
inline __m128i LoadTexel3(const uint8_t* p) {
  const int32_t word = p[0] | (p[1] << 8) | (p[2] << 16);
  const __m128i zero = _mm_setzero_si128();
  return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(word), zero), zero);
}

// trunc(a + (b - a) * f) lane by lane; a and b hold whole numbers.
inline __m128d LerpTrunc(__m128d a, __m128d b, __m128d f) {
  return _mm_cvtepi32_pd(_mm_cvttpd_epi32(_mm_add_pd(a, _mm_mul_pd(_mm_sub_pd(b, a), f))));
}

// uv holds U in its low lane and V in its high lane.
inline void LitTexel3At(const ImagePlane& tex, const TexelLighting& lighting, __m128d uv,
                        bool* haveColour, uint8_t colour[4]) {
  const __m128i t = _mm_cvttpd_epi32(uv);  // INT32_MIN for NaN and huge values, as TruncToInt
  int32_t tu = _mm_cvtsi128_si32(t);
  int32_t tv = _mm_cvtsi128_si32(_mm_srli_si128(t, 4));
  // The fractions rounded to float, as the plain form keeps them.
  __m128d f = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_sub_pd(uv, _mm_cvtepi32_pd(t))));
  const bool inside = tu >= 0 && tu < tex.width && tv >= 0 && tv < tex.height;
  if (!inside) {
    if (*haveColour || TakeCarryAbove(lighting.plain.above, haveColour, colour)) return;
    tu = tu < 0 ? 0 : (tu >= tex.width ? tex.width - 1 : tu);
    tv = tv < 0 ? 0 : (tv >= tex.height ? tex.height - 1 : tv);
    f = _mm_setzero_pd();
  }
  const int32_t step = tex.rowStep > 1 ? tex.rowStep : 1;
  const int32_t storedRow = step == 1 ? tv : tv / step;
  const uint8_t* p00 = tex.data + storedRow * tex.stride + tu * tex.bytesPerPixel;
  if (inside && lighting.unlit && _mm_movemask_pd(_mm_cmpeq_pd(f, _mm_setzero_pd())) == 3) {
    // On a texel with no fractions (an unturned card at rest): x + (y - x) * 0 is x, and
    // the unlit texel is its own colour.
    colour[0] = p00[0];
    colour[1] = p00[1];
    colour[2] = p00[2];
    *haveColour = true;
    return;
  }
  const uint8_t* p01 = inside && tu + 1 < tex.width ? p00 + tex.bytesPerPixel : p00;
  const bool lower = inside && tv + step < tex.height;
  const uint8_t* p10 = lower ? p00 + tex.stride : p00;
  const uint8_t* p11 = lower ? p01 + tex.stride : p01;

  const __m128d fu = _mm_unpacklo_pd(f, f);
  const __m128d fv = _mm_unpackhi_pd(f, f);
  const __m128i a = LoadTexel3(p00), b = LoadTexel3(p01), c = LoadTexel3(p10), d = LoadTexel3(p11);
  // Lanes of channels 0 and 1, then of channel 2.
  const __m128d topLo = LerpTrunc(_mm_cvtepi32_pd(a), _mm_cvtepi32_pd(b), fu);
  const __m128d topHi =
      LerpTrunc(_mm_cvtepi32_pd(_mm_srli_si128(a, 8)), _mm_cvtepi32_pd(_mm_srli_si128(b, 8)), fu);
  const __m128d botLo = LerpTrunc(_mm_cvtepi32_pd(c), _mm_cvtepi32_pd(d), fu);
  const __m128d botHi =
      LerpTrunc(_mm_cvtepi32_pd(_mm_srli_si128(c, 8)), _mm_cvtepi32_pd(_mm_srli_si128(d, 8)), fu);
  __m128d lo = _mm_add_pd(topLo, _mm_mul_pd(_mm_sub_pd(botLo, topLo), fv));
  __m128d hi = _mm_add_pd(topHi, _mm_mul_pd(_mm_sub_pd(botHi, topHi), fv));
  lo = _mm_cvtepi32_pd(_mm_cvttpd_epi32(lo));
  hi = _mm_cvtepi32_pd(_mm_cvttpd_epi32(hi));
  if (!lighting.unlit) {
    const __m128d s = _mm_set1_pd(lighting.shade);
    if (lighting.darken) {
      lo = _mm_sub_pd(lo, _mm_mul_pd(lo, s));
      hi = _mm_sub_pd(hi, _mm_mul_pd(hi, s));
    } else {
      const __m128d lightLo = _mm_set_pd(lighting.light[1], lighting.light[0]);
      const __m128d lightHi = _mm_set_pd(0.0, lighting.light[2]);
      lo = _mm_add_pd(lo, _mm_mul_pd(_mm_sub_pd(lightLo, lo), s));
      hi = _mm_add_pd(hi, _mm_mul_pd(_mm_sub_pd(lightHi, hi), s));
    }
  }
  const __m128i lo32 = _mm_cvttpd_epi32(lo);
  colour[0] = static_cast<uint8_t>(_mm_cvtsi128_si32(lo32));
  colour[1] = static_cast<uint8_t>(_mm_cvtsi128_si32(_mm_srli_si128(lo32, 4)));
  colour[2] = static_cast<uint8_t>(_mm_cvtsi128_si32(_mm_cvttpd_epi32(hi)));
  *haveColour = true;
}

inline void LitTexel3At(const ImagePlane& tex, const TexelLighting& lighting, double U, double V,
                        bool* haveColour, uint8_t colour[4]) {
  LitTexel3At(tex, lighting, _mm_set_pd(V, U), haveColour, colour);
}

#else

inline void LitTexel3At(const ImagePlane& tex, const TexelLighting& lighting, double U, double V,
                        bool* haveColour, uint8_t colour[4]) {
  LitTexel(tex, lighting.plain, U, V, haveColour, colour);
}

#endif

}  // namespace ZK_ISA_NAMESPACE
}  // namespace zk
