// The textured span of three channels without outlines, walked only over the pixels that
// lie inside the image: the renderer's hot loop. Every pixel makes the operations of the
// plain span in its order (z, u, v and w stepped by one addition a pixel, U and V divided
// by w, the depth test against z + 0.01, the mask's coverage from unrounded fractions, the
// bilinear texel from float fractions, the light, the blend), so it gives the same bytes;
// what it saves is bookkeeping:
// - pixels before the image are stepped over with the additions alone;
// - a texel and its right neighbour come with one 8-byte load per texture row, and the
//   two rows are interpolated along side by side, channel by channel in the lanes of one
//   register (texels near the end of the texture, where such a load could reach past it,
//   take the plain texel);
// - the coverage of a mask value is looked up in a table made once per triangle;
// - the lighting is a template choice, not a branch per pixel;
// - built for AVX2 (span_avx2.cpp), such paired texels wait until four pixels have one and
//   are then computed together, a pixel per lane, each channel in turn; a texel that may
//   repeat the colour last computed first lays the waiting ones, and a span that could
//   draw into its own texture lays every texel at once.
#pragma once

#include <cstdint>
#include <cstring>

#include "coverage_fast.h"
#include "float_to_int.h"
#include "isa_namespace.h"
#include "texel_fast.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#if defined(__AVX2__)
#include <immintrin.h>
#endif

// The per-pixel helpers below belong in the pixel loop; left to itself the compiler may
// call them instead, which costs more than their work.
#if defined(__GNUC__)
#define ZK_PIXEL_INLINE inline __attribute__((always_inline))
#else
#define ZK_PIXEL_INLINE inline
#endif

namespace zk {

enum class SpanLight { kNone, kDarken, kLighten };

// What the fast span needs of a triangle's texture, fixed before its first pixel.
struct SpanTexture {
  const ImagePlane* plane;
  const uint8_t* data;
  intptr_t stride;
  int32_t width, height, rowStep;
  // Byte offsets o of a texel up to this one may be read as two 8-byte loads, at o and at
  // o + stride, without reaching past the texture's last byte.
  intptr_t pairLimit;
  // Texels (tu, tv) with tu below pairColumns and tv below pairRows have their right and
  // lower neighbours.
  uint32_t pairColumns, pairRows;
  TexelLighting lighting;
  __m128d shade;
  __m128d light01, light2;
  // Coverage stage: the mask (width bytes per stored row) and alpha by mask value.
  const uint8_t* mask;
  double alpha[256];
};

// The walk of one span.
struct SpanWalk {
  uint8_t* row;      // stored output row
  float* depthRow;   // its depth entries, or null
  int32_t x, count;  // first pixel inside the image and how many follow in the walk
  int32_t step;      // +1 or -1
  double z, w;
  __m128d uv;
  double dz, dw;
  __m128d duv;
};

// The colour last computed in the triangle, kept as a word while a span is walked.
struct LastColour {
  uint32_t word;
  bool have;
};

// Pixels whose texels wait to be computed four at a time (the AVX2 walk): where each goes,
// its texel's byte offset, its float fractions and its share of the colour.
// They wait in groups of four; several groups at once let the texture reads of pixels
// further on be under way (prefetched as each pixel is queued) while the first are computed.
constexpr int32_t kPendingPixels = 16;
struct PendingPairs {
  uint8_t* px[kPendingPixels];
  intptr_t o[kPendingPixels];
  double fu[kPendingPixels], fv[kPendingPixels], alpha[kPendingPixels];
  int32_t n;
};

inline namespace ZK_ISA_NAMESPACE {

inline void MakeSpanTexture(const ImagePlane& tex, const TexelLighting& lighting, bool covered,
                            SpanTexture* s) {
  s->plane = &tex;
  s->data = tex.data;
  s->stride = tex.stride;
  s->width = tex.width;
  s->height = tex.height;
  s->rowStep = tex.rowStep > 1 ? tex.rowStep : 1;
  const intptr_t end =
      static_cast<intptr_t>(StoredRows(tex) - 1) * tex.stride + intptr_t{tex.width} * 3;
  s->pairLimit = end - 8 - s->stride;
  s->pairColumns = static_cast<uint32_t>(tex.width - 1);
  s->pairRows = tex.height > s->rowStep ? static_cast<uint32_t>(tex.height - s->rowStep) : 0;
  s->lighting = lighting;
  s->shade = _mm_set1_pd(lighting.shade);
  s->light01 = _mm_set_pd(lighting.light[1], lighting.light[0]);
  s->light2 = _mm_set_pd(0.0, lighting.light[2]);
  s->mask = covered ? tex.mask : nullptr;
  if (covered && tex.mask != nullptr) {
    const double opacity = tex.opacity;
    for (int32_t m = 0; m < 256; ++m) {
      const float coverage = static_cast<float>(m * double{kCoverageScale});
      const float c = tex.invertMask == 1 ? static_cast<float>(1.0 - coverage) : coverage;
      s->alpha[m] = double{c} * opacity;
    }
  }
}

// trunc(a + d * f) lane by lane, as whole numbers in int32 lanes 0 and 1.
ZK_PIXEL_INLINE __m128i LerpLanes(__m128i a32, __m128i d32, __m128d f) {
  return _mm_cvttpd_epi32(_mm_add_pd(_mm_cvtepi32_pd(a32), _mm_mul_pd(_mm_cvtepi32_pd(d32), f)));
}

// The lit texel whose upper-left texel starts at byte offset o, with its right and lower
// neighbours present, as bytes 0..2 of the result (byte 3 is 0). f holds the float
// fractions (U in the low lane, V in the high lane) widened to double.
#if defined(__AVX2__)
// Built for AVX2, the three channels lie side by side in the double lanes of one 256-bit
// register (lane 3 carries a neighbouring byte along and is dropped at the end), so each
// step is one operation where the SSE2 form below needs two or three.

// trunc(a + (b - a) * f) lane by lane; a and b hold whole numbers.
ZK_PIXEL_INLINE __m256d LerpTrunc4(__m256d a, __m256d b, __m256d f) {
  return _mm256_cvtepi32_pd(
      _mm256_cvttpd_epi32(_mm256_add_pd(a, _mm256_mul_pd(_mm256_sub_pd(b, a), f))));
}

// Bytes 0..3 of v as doubles.
ZK_PIXEL_INLINE __m256d Bytes4(__m128i v) { return _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(v)); }

template <SpanLight kLight>
ZK_PIXEL_INLINE uint32_t PairTexel(const SpanTexture& s, intptr_t o, __m128d f) {
  const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s.data + o));
  const __m128i bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s.data + o + s.stride));
  const __m256d fu = _mm256_broadcastsd_pd(f);
  const __m256d fv = _mm256_broadcastsd_pd(_mm_unpackhi_pd(f, f));
  // Along each row from the left texel to the right one (three bytes on).
  const __m256d upper = LerpTrunc4(Bytes4(top), Bytes4(_mm_srli_epi64(top, 24)), fu);
  const __m256d lower = LerpTrunc4(Bytes4(bottom), Bytes4(_mm_srli_epi64(bottom, 24)), fu);
  __m256d v = LerpTrunc4(upper, lower, fv);
  if (kLight == SpanLight::kDarken) {
    v = _mm256_sub_pd(v, _mm256_mul_pd(v, _mm256_broadcastsd_pd(s.shade)));
  } else if (kLight == SpanLight::kLighten) {
    const __m256d light = _mm256_insertf128_pd(_mm256_castpd128_pd256(s.light01), s.light2, 1);
    v = _mm256_add_pd(v, _mm256_mul_pd(_mm256_sub_pd(light, v), _mm256_broadcastsd_pd(s.shade)));
  }
  // The low eight bits of each truncated channel.
  const __m128i bytes = _mm_and_si128(_mm256_cvttpd_epi32(v), _mm_set1_epi32(0xFF));
  const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(bytes, bytes), _mm_setzero_si128());
  return static_cast<uint32_t>(_mm_cvtsi128_si32(packed)) & 0xFFFFFFu;
}

// The rows at byte offsets o[j] + shift, eight bytes each: pixels 0 and 1 in the lower
// 128-bit half, 2 and 3 in the upper.
ZK_PIXEL_INLINE __m256i PairRows4(const SpanTexture& s, const intptr_t o[4], intptr_t shift) {
  const uint8_t* d = s.data + shift;
  const __m128i p01 =
      _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(d + o[0])),
                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d + o[1])));
  const __m128i p23 =
      _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(d + o[2])),
                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d + o[3])));
  return _mm256_inserti128_si256(_mm256_castsi128_si256(p01), p23, 1);
}

// Channel c of the left texels of four pixels, then of their right texels, as doubles.
template <int kChannel>
ZK_PIXEL_INLINE void Channel4(__m256i rows, __m256d* left, __m256d* right) {
  constexpr char c = kChannel, none = -128;
  // Per 128-bit half: left texel of the even pixel, of the odd one, right texel of each.
  const __m256i pick =
      _mm256_setr_epi8(c, none, none, none, c + 8, none, none, none, c + 3, none, none, none,
                       c + 11, none, none, none, c, none, none, none, c + 8, none, none, none,
                       c + 3, none, none, none, c + 11, none, none, none);
  const __m256i order = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
  const __m256i lanes = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(rows, pick), order);
  *left = _mm256_cvtepi32_pd(_mm256_castsi256_si128(lanes));
  *right = _mm256_cvtepi32_pd(_mm256_extracti128_si256(lanes, 1));
}

// Channel c of the lit texels of four pixels, in bits 8c..8c+7 of each int32 lane.
template <SpanLight kLight, int kChannel>
ZK_PIXEL_INLINE __m128i LitChannel4(const SpanTexture& s, __m256i top, __m256i bottom, __m256d fu,
                                    __m256d fv) {
  __m256d a, b;
  Channel4<kChannel>(top, &a, &b);
  const __m256d upper = LerpTrunc4(a, b, fu);
  Channel4<kChannel>(bottom, &a, &b);
  const __m256d lower = LerpTrunc4(a, b, fu);
  __m256d v = LerpTrunc4(upper, lower, fv);
  const __m256d shade = _mm256_set1_pd(s.lighting.shade);
  if (kLight == SpanLight::kDarken) {
    v = _mm256_sub_pd(v, _mm256_mul_pd(v, shade));
  } else if (kLight == SpanLight::kLighten) {
    const __m256d light = _mm256_set1_pd(s.lighting.light[kChannel]);
    v = _mm256_add_pd(v, _mm256_mul_pd(_mm256_sub_pd(light, v), shade));
  }
  const __m128i bytes = _mm_and_si128(_mm256_cvttpd_epi32(v), _mm_set1_epi32(0xFF));
  return _mm_slli_epi32(bytes, 8 * kChannel);
}

// PairTexel of four pixels at once, each lane of a register one pixel: the same
// operations per pixel in the same order, with four times the work in flight.
template <SpanLight kLight>
ZK_PIXEL_INLINE void PairTexels4(const SpanTexture& s, const intptr_t o[4], __m256d fu, __m256d fv,
                                 uint32_t colour[4]) {
  const __m256i top = PairRows4(s, o, 0);
  const __m256i bottom = PairRows4(s, o, s.stride);
  const __m128i c01 = _mm_or_si128(LitChannel4<kLight, 0>(s, top, bottom, fu, fv),
                                   LitChannel4<kLight, 1>(s, top, bottom, fu, fv));
  const __m128i all = _mm_or_si128(c01, LitChannel4<kLight, 2>(s, top, bottom, fu, fv));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(colour), all);
}
#else
template <SpanLight kLight>
ZK_PIXEL_INLINE uint32_t PairTexel(const SpanTexture& s, intptr_t o, __m128d f) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s.data + o));
  const __m128i bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s.data + o + s.stride));
  // Bytes: texel channels of the upper row interleaved with the lower row's, left texel
  // then (three bytes on) right texel: a0 c0 a1 c1 a2 c2 ... | b0 d0 b1 d1 b2 d2 ...
  const __m128i left8 = _mm_unpacklo_epi8(top, bottom);
  const __m128i right8 = _mm_unpacklo_epi8(_mm_srli_epi64(top, 24), _mm_srli_epi64(bottom, 24));
  const __m128i left16 = _mm_unpacklo_epi8(left8, zero);
  const __m128i diff16 = _mm_sub_epi16(_mm_unpacklo_epi8(right8, zero), left16);
  // 32-bit lanes: (upper, lower) pairs of channels 0 and 1, then of channel 2.
  const __m128i left01 = _mm_unpacklo_epi16(left16, zero);
  const __m128i left2 = _mm_unpackhi_epi16(left16, zero);
  const __m128i diff01 = _mm_srai_epi32(_mm_unpacklo_epi16(diff16, diff16), 16);
  const __m128i diff2 = _mm_srai_epi32(_mm_unpackhi_epi16(diff16, diff16), 16);
  const __m128d fu = _mm_unpacklo_pd(f, f);
  const __m128d fv = _mm_unpackhi_pd(f, f);
  // Along the rows: (upper, lower) of each channel.
  const __m128i along0 = LerpLanes(left01, diff01, fu);
  const __m128i along1 =
      LerpLanes(_mm_shuffle_epi32(left01, 0xEE), _mm_shuffle_epi32(diff01, 0xEE), fu);
  const __m128i along2 = LerpLanes(left2, diff2, fu);
  // Between the rows: upper of channels 0, 1 | lower of channels 0, 1; channel 2 alone.
  const __m128i rows01 = _mm_unpacklo_epi32(along0, along1);
  const __m128d upper01 = _mm_cvtepi32_pd(rows01);
  const __m128d lower01 = _mm_cvtepi32_pd(_mm_shuffle_epi32(rows01, 0xEE));
  const __m128d rows2 = _mm_cvtepi32_pd(along2);
  const __m128d upper2 = rows2;
  const __m128d lower2 = _mm_unpackhi_pd(rows2, rows2);
  __m128d v01 = _mm_add_pd(upper01, _mm_mul_pd(_mm_sub_pd(lower01, upper01), fv));
  __m128d v2 = _mm_add_pd(upper2, _mm_mul_pd(_mm_sub_pd(lower2, upper2), fv));
  v01 = _mm_cvtepi32_pd(_mm_cvttpd_epi32(v01));
  v2 = _mm_cvtepi32_pd(_mm_cvttpd_epi32(v2));
  if (kLight == SpanLight::kDarken) {
    v01 = _mm_sub_pd(v01, _mm_mul_pd(v01, s.shade));
    v2 = _mm_sub_pd(v2, _mm_mul_pd(v2, s.shade));
  } else if (kLight == SpanLight::kLighten) {
    v01 = _mm_add_pd(v01, _mm_mul_pd(_mm_sub_pd(s.light01, v01), s.shade));
    v2 = _mm_add_pd(v2, _mm_mul_pd(_mm_sub_pd(s.light2, v2), s.shade));
  }
  // The low eight bits of each truncated channel.
  const __m128i whole = _mm_unpacklo_epi64(_mm_cvttpd_epi32(v01), _mm_cvttpd_epi32(v2));
  const __m128i bytes = _mm_and_si128(whole, _mm_set1_epi32(0xFF));
  const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(bytes, bytes), zero);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(packed)) & 0xFFFFFFu;
}
#endif

ZK_PIXEL_INLINE void StoreColour3(uint8_t* px, uint32_t colour) {
  const uint16_t low = static_cast<uint16_t>(colour);
  std::memcpy(px, &low, 2);
  px[2] = static_cast<uint8_t>(colour >> 16);
}

inline uint32_t ColourWord(const uint8_t c[4]) { return c[0] | (c[1] << 8) | (c[2] << 16); }

// px + (colour - px) * alpha, truncated, channel by channel.
ZK_PIXEL_INLINE void BlendColour3(uint8_t* px, uint32_t colour, double alpha) {
  const __m128d a = _mm_set1_pd(alpha);
  const __m128d dst01 = _mm_set_pd(px[1], px[0]);
  const __m128d dst2 = _mm_set_sd(px[2]);
  const __m128d src01 = _mm_set_pd((colour >> 8) & 0xFF, colour & 0xFF);
  const __m128d src2 = _mm_set_sd((colour >> 16) & 0xFF);
  const __m128i v01 = _mm_cvttpd_epi32(_mm_add_pd(dst01, _mm_mul_pd(_mm_sub_pd(src01, dst01), a)));
  const __m128i v2 = _mm_cvttpd_epi32(_mm_add_sd(dst2, _mm_mul_sd(_mm_sub_sd(src2, dst2), a)));
  px[0] = static_cast<uint8_t>(_mm_cvtsi128_si32(v01));
  px[1] = static_cast<uint8_t>(_mm_cvtsi128_si32(_mm_srli_si128(v01, 4)));
  px[2] = static_cast<uint8_t>(_mm_cvtsi128_si32(v2));
}

// The mask value at texel (tu, tv) inside the texture (stored row `storedRow`) with
// unrounded fractions fd (U in the low lane): bilinear between the texel and the
// neighbours the mask has.
ZK_PIXEL_INLINE int32_t MaskValue(const SpanTexture& s, int32_t tu, int32_t tv, int32_t storedRow,
                                  int32_t rowStep, __m128d fd) {
  const uint8_t* row = s.mask + static_cast<intptr_t>(storedRow) * s.width;
  if (static_cast<uint32_t>(tu) < s.pairColumns && static_cast<uint32_t>(tv) < s.pairRows) {
    const uint8_t* next = row + s.width;
    uint16_t upper, lower;
    std::memcpy(&upper, row + tu, 2);
    std::memcpy(&lower, next + tu, 2);
    // Four equal mask bytes: x + (x - x) * f is x for the finite fractions met inside.
    if (upper == lower && (upper >> 8) == (upper & 0xFF)) return upper & 0xFF;
    const int32_t a = row[tu], b = row[tu + 1], c = next[tu], d = next[tu + 1];
    const double fu = _mm_cvtsd_f64(fd);
    const double fv = _mm_cvtsd_f64(_mm_unpackhi_pd(fd, fd));
    const int32_t top = static_cast<int32_t>(a + (b - a) * fu);
    const int32_t bottom = static_cast<int32_t>(c + (d - c) * fu);
    return static_cast<int32_t>(top + (bottom - top) * fv);
  }
  const bool right = tu + 1 < s.width;
  const bool lower = tv + rowStep < s.height;
  const double fu = _mm_cvtsd_f64(fd);
  const double fv = _mm_cvtsd_f64(_mm_unpackhi_pd(fd, fd));
  const int32_t top = MaskRowValueFast(row, tu, right, fu);
  if (!lower) return top;
  const int32_t bottom = MaskRowValueFast(row + s.width, tu, right, fu);
  return static_cast<int32_t>(top + (bottom - top) * fv);
}

// The share of the colour laid over the pixel for mask value m. Positions a hair left of
// or above the texture's first texel truncate into it with negative fractions, which can
// carry m past 0..255; those are worked out as the table would.
ZK_PIXEL_INLINE double AlphaOf(const SpanTexture& s, int32_t m) {
  if (static_cast<uint32_t>(m) < 256u) return s.alpha[m];
  const float coverage = static_cast<float>(m * double{kCoverageScale});
  const float c = s.plane->invertMask == 1 ? static_cast<float>(1.0 - coverage) : coverage;
  return double{c} * s.plane->opacity;
}

// Writes the colour over the pixel by the share alpha.
ZK_PIXEL_INLINE void LayColour(uint8_t* px, uint32_t colour, double alpha) {
  if (alpha == 1.0) {
    // Full cover: px + (colour - px) * 1 is the colour itself.
    StoreColour3(px, colour);
  } else {
    BlendColour3(px, colour, alpha);
  }
}

// The first column from `from` on (up to `end`) where mask row `row` or `next` holds
// another value than m.
inline int32_t UniformRunEnd(const uint8_t* row, const uint8_t* next, int32_t from, int32_t end,
                             uint8_t m) {
  const __m128i value = _mm_set1_epi8(static_cast<char>(m));
  int32_t c = from;
  for (; c + 16 <= end; c += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(next + c));
    const int32_t same =
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, value), _mm_cmpeq_epi8(b, value)));
    if (same != 0xFFFF) break;
  }
  while (c < end && row[c] == m && next[c] == m) ++c;
  return c;
}

// The first column of the run of columns down to which mask rows `row` and `next` hold m
// from column `from` leftwards (from + 1 when column `from` already differs).
inline int32_t UniformRunStart(const uint8_t* row, const uint8_t* next, int32_t from, uint8_t m) {
  const __m128i value = _mm_set1_epi8(static_cast<char>(m));
  int32_t c = from;
  for (; c >= 15; c -= 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c - 15));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(next + c - 15));
    const int32_t same =
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, value), _mm_cmpeq_epi8(b, value)));
    if (same != 0xFFFF) break;
  }
  while (c >= 0 && row[c] == m && next[c] == m) --c;
  return c + 1;
}

#if defined(__AVX2__)
// Computes the waiting texels and lays them; the last becomes the colour last computed.
template <bool kCovered, SpanLight kLight>
ZK_PIXEL_INLINE void LayPending(const SpanTexture& s, PendingPairs* p, LastColour* last) {
  const int32_t n = p->n;
  if (n == 0) return;
  for (int32_t j = n; j % 4 != 0; ++j) {  // lanes without a pixel repeat the group's first
    const int32_t first = j & ~3;
    p->o[j] = p->o[first];
    p->fu[j] = p->fu[first];
    p->fv[j] = p->fv[first];
  }
  uint32_t colour[kPendingPixels];
  for (int32_t g = 0; g < n; g += 4) {
    PairTexels4<kLight>(s, p->o + g, _mm256_loadu_pd(p->fu + g), _mm256_loadu_pd(p->fv + g),
                        colour + g);
  }
  for (int32_t j = 0; j < n; ++j) {
    if (kCovered) {
      LayColour(p->px[j], colour[j], p->alpha[j]);
    } else {
      StoreColour3(p->px[j], colour[j]);
    }
  }
  last->word = colour[n - 1];
  last->have = true;
  p->n = 0;
}

// Whether the span's pixels lie apart from every byte of the texture: only then may a
// pixel be written after the texels of the pixels beyond it were read.
inline bool SpanApartFromTexture(const SpanTexture& s, const SpanWalk& walk) {
  const int32_t far = walk.step > 0 ? walk.x + walk.count - 1 : walk.x;
  const uintptr_t lo = reinterpret_cast<uintptr_t>(walk.row);
  const uintptr_t hi = lo + (static_cast<uintptr_t>(far) + 1) * 3;
  const uintptr_t texLo = reinterpret_cast<uintptr_t>(s.data);
  const uintptr_t texHi = texLo + static_cast<uintptr_t>(s.pairLimit + 8 + s.stride);
  return hi <= texLo || lo >= texHi;
}
#endif

// One pixel that passed the depth test: coverage, depth write, texel, output. With `flat`
// (a covered span along which V and w stay put and U grows, +1, or falls, -1), a pixel
// left uncovered inside an area of one mask value returns where that area ends in its two
// mask rows in the direction U moves: the first column past it when U grows, its first
// column when U falls; otherwise -1. Given `pending` (the AVX2 walk), a texel with its
// neighbours waits there.
template <bool kDepth, bool kCovered, SpanLight kLight, bool kRowStep1>
ZK_PIXEL_INLINE int32_t DrawFastPixel(const SpanTexture& s, __m128d uv, double w, double z,
                                      uint8_t* px, float* depth, LastColour* last, int32_t flat,
                                      PendingPairs* pending) {
  const __m128d UV = _mm_div_pd(uv, _mm_set1_pd(w));
  const __m128i t = _mm_cvttpd_epi32(UV);
  const int32_t tu = _mm_cvtsi128_si32(t);
  const int32_t tv = _mm_cvtsi128_si32(_mm_srli_si128(t, 4));
  const bool inside = static_cast<uint32_t>(tu) < static_cast<uint32_t>(s.width) &&
                      static_cast<uint32_t>(tv) < static_cast<uint32_t>(s.height);
  const __m128d fd = _mm_sub_pd(UV, _mm_cvtepi32_pd(t));
  const int32_t rowStep = kRowStep1 ? 1 : s.rowStep;
  const int32_t storedRow = kRowStep1 ? tv : tv / rowStep;
  double alpha = 1.0;
  if (kCovered) {
    // Outside the texture nothing is covered.
    if (!inside) return -1;
    const int32_t m = MaskValue(s, tu, tv, storedRow, rowStep, fd);
    alpha = AlphaOf(s, m);
    if (!(alpha > 0.0)) {
      if (flat != 0 && static_cast<uint32_t>(tu) < s.pairColumns &&
          static_cast<uint32_t>(tv) < s.pairRows) {
        const uint8_t* row = s.mask + static_cast<intptr_t>(storedRow) * s.width;
        if (row[tu] == m && row[tu + 1] == m && row[s.width + tu] == m &&
            row[s.width + tu + 1] == m) {
          const uint8_t value = static_cast<uint8_t>(m);
          return flat > 0 ? UniformRunEnd(row, row + s.width, tu + 2, s.width, value)
                          : UniformRunStart(row, row + s.width, tu - 1, value);
        }
      }
      return -1;
    }
  }
  if (kDepth) *depth = static_cast<float>(z);
  const intptr_t o = static_cast<intptr_t>(storedRow) * s.stride + static_cast<intptr_t>(tu) * 3;
  uint32_t colour;
  if (static_cast<uint32_t>(tu) < s.pairColumns && static_cast<uint32_t>(tv) < s.pairRows &&
      o <= s.pairLimit) {
    const __m128d f = _mm_cvtps_pd(_mm_cvtpd_ps(fd));
#if defined(__AVX2__)
    if (pending != nullptr) {
      const int32_t j = pending->n;
      pending->px[j] = px;
      pending->o[j] = o;
      _mm_storel_pd(&pending->fu[j], f);
      _mm_storeh_pd(&pending->fv[j], f);
      pending->alpha[j] = alpha;
      _mm_prefetch(reinterpret_cast<const char*>(s.data + o), _MM_HINT_T0);
      _mm_prefetch(reinterpret_cast<const char*>(s.data + o + s.stride), _MM_HINT_T0);
      if (++pending->n == kPendingPixels) LayPending<kCovered, kLight>(s, pending, last);
      return -1;
    }
#else
    (void)pending;  // the SSE2 walk lays every texel at once
#endif
    colour = PairTexel<kLight>(s, o, f);
  } else {
#if defined(__AVX2__)
    // This texel may repeat the colour last computed: the waiting ones come first.
    if (pending != nullptr) LayPending<kCovered, kLight>(s, pending, last);
#endif
    uint8_t bytes[4];
    StoreColour3(bytes, last->word);
    LitTexel3At(*s.plane, s.lighting, UV, &last->have, bytes);
    colour = ColourWord(bytes);
  }
  last->word = colour;
  last->have = true;
  if (kCovered) {
    LayColour(px, colour, alpha);
  } else {
    StoreColour3(px, colour);
  }
  return -1;
}

// Draws the span; `last` and `haveLast` carry the colour last computed in the triangle,
// which texels outside the texture reuse.
template <bool kDepth, bool kCovered, SpanLight kLight, bool kRowStep1>
void DrawFastSpan(const SpanTexture& s, SpanWalk walk, uint8_t last[4], bool* haveLast) {
  uint8_t* px = walk.row + static_cast<intptr_t>(walk.x) * 3;
  float* depth = kDepth ? walk.depthRow + walk.x : nullptr;
  const intptr_t pxStep = walk.step * 3;
  double z = walk.z, w = walk.w;
  __m128d uv = walk.uv;
  LastColour colour{ColourWord(last), *haveLast};
  // A card lying flat at rest walks its texture along a row: w stays 1 (U is u itself) and
  // V stays put, so while U grows within an area of one uncovering mask value, every
  // pixel there truncates into that area and is left alone; such runs are only stepped.
  const double du = _mm_cvtsd_f64(walk.duv);
  const double dv = _mm_cvtsd_f64(_mm_unpackhi_pd(walk.duv, walk.duv));
  const bool still = kCovered && w == 1.0 && walk.dw == 0.0 && dv == 0.0;
  const int32_t flat = still && du > 0.0 ? 1 : (still && du < 0.0 ? -1 : 0);
  PendingPairs* pending = nullptr;
#if defined(__AVX2__)
  PendingPairs queue;
  queue.n = 0;
  if (SpanApartFromTexture(s, walk)) pending = &queue;
#endif
  for (int32_t i = 0; i < walk.count; ++i) {
    int32_t runEnd = -1;  // see DrawFastPixel
    if (!kDepth || *depth > z + 0.01) {
      runEnd = DrawFastPixel<kDepth, kCovered, kLight, kRowStep1>(s, uv, w, z, px, depth, &colour,
                                                                  flat, pending);
    }
    px += pxStep;
    if (kDepth) depth += walk.step;
    z += walk.dz;
    uv = _mm_add_pd(uv, walk.duv);
    w += walk.dw;
    if (kCovered && runEnd >= 0) {
      // Growing, pixels whose U lies below runEnd - 1 take a column and its right
      // neighbour both inside the area (U only grows by du); falling, those whose U is at
      // least the area's first column (U only falls).
      const double limit = flat > 0 ? runEnd - 1.0 : runEnd;
      while (i + 1 < walk.count &&
             (flat > 0 ? _mm_cvtsd_f64(uv) < limit : _mm_cvtsd_f64(uv) >= limit)) {
        ++i;
        px += pxStep;
        if (kDepth) depth += walk.step;
        z += walk.dz;
        uv = _mm_add_pd(uv, walk.duv);
        w += walk.dw;
      }
    }
  }
#if defined(__AVX2__)
  if (pending != nullptr) LayPending<kCovered, kLight>(s, pending, &colour);
#endif
  StoreColour3(last, colour.word);
  *haveLast = colour.have;
}

template <bool kDepth, bool kCovered, SpanLight kLight>
void DrawFastSpanRows(const SpanTexture& s, const SpanWalk& walk, uint8_t last[4], bool* haveLast) {
  if (s.rowStep == 1) {
    DrawFastSpan<kDepth, kCovered, kLight, true>(s, walk, last, haveLast);
  } else {
    DrawFastSpan<kDepth, kCovered, kLight, false>(s, walk, last, haveLast);
  }
}

template <bool kDepth, bool kCovered>
void DrawFastSpanLit(const SpanTexture& s, const SpanWalk& walk, uint8_t last[4], bool* haveLast) {
  if (s.lighting.unlit) {
    DrawFastSpanRows<kDepth, kCovered, SpanLight::kNone>(s, walk, last, haveLast);
  } else if (s.lighting.darken) {
    DrawFastSpanRows<kDepth, kCovered, SpanLight::kDarken>(s, walk, last, haveLast);
  } else {
    DrawFastSpanRows<kDepth, kCovered, SpanLight::kLighten>(s, walk, last, haveLast);
  }
}

inline void DrawFastSpanAny(const SpanTexture& s, const SpanWalk& walk, bool covered,
                            uint8_t last[4], bool* haveLast) {
  if (walk.depthRow != nullptr) {
    if (covered) {
      DrawFastSpanLit<true, true>(s, walk, last, haveLast);
    } else {
      DrawFastSpanLit<true, false>(s, walk, last, haveLast);
    }
  } else if (covered) {
    DrawFastSpanLit<false, true>(s, walk, last, haveLast);
  } else {
    DrawFastSpanLit<false, false>(s, walk, last, haveLast);
  }
}

}  // namespace ZK_ISA_NAMESPACE
}  // namespace zk

#endif
