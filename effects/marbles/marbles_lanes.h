// The lighting of two 3-byte pixels of a marble at a time in SSE2 lanes: the power from
// plain products, the lit colour, the blend over the old bytes, and the bytes' way in and
// out of memory. Internal to the marble row kernels; empty where SSE2 is not there.
#pragma once

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ZK_MARBLES_SSE2 1
#endif

#if ZK_MARBLES_SSE2

#include <cstdint>
#include <cstring>

#include "marbles_lit_rows.h"

namespace zk::marbles {

// Constants of both lanes, read from memory as they are (a broadcast would be rebuilt from
// one double at every use where registers run short).
struct alignas(16) LaneConstant {
  double v[2];
  __m128d get() const { return _mm_load_pd(v); }
};
inline constexpr LaneConstant kOne{{1.0, 1.0}};
inline constexpr LaneConstant kByteTop{{255.0, 255.0}};
inline constexpr LaneConstant kSignBit{{-0.0, -0.0}};
inline constexpr LaneConstant kPowerFloor{{0x1p-30, 0x1p-30}};
inline constexpr LaneConstant kPowerCeiling{{0x1p30, 0x1p30}};
inline constexpr LaneConstant kPowerShare{{0x1p-45, 0x1p-45}};

// A channel value held to a byte, as a whole number in each of the two low int lanes: NaN
// and values up to 0 give 0, values from 255 on give 255, the rest are truncated.
inline __m128i ByteLanes(__m128d v) {
  return _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(v, _mm_setzero_pd()), kByteTop.get()));
}

// Two lanes of a number kept twice over.
inline __m128d Both(const double (&v)[2]) { return _mm_load_pd(v); }

// The lit bytes X[k] (two int lanes per channel) of two pixels from q (two double lanes).
// Returns the lanes (bit 0, bit 1) whose bytes are settled: there the bytes are those of
// the per-pixel lighting; elsewhere the power's rounding is left open. kGloss is the gloss
// when it is known where the code is written, or 0 to take it from `s`.
template <int32_t kGloss>
inline int ShadePair(const LitLanes& s, __m128d q, __m128i X[3]) {
  const __m128d zero = _mm_setzero_pd();
  const __m128d one = kOne.get();
  // |q| * impact is q * impact on the lit side and -q * impact on the dark side.
  const __m128d base = _mm_mul_pd(_mm_andnot_pd(kSignBit.get(), q), Both(s.impact));
  const int inRange = _mm_movemask_pd(
      _mm_and_pd(_mm_cmpge_pd(base, kPowerFloor.get()), _mm_cmple_pd(base, kPowerCeiling.get())));
  __m128d y = base;
  const int32_t gloss = kGloss > 0 ? kGloss : s.gloss;
  for (int32_t k = 1; k < gloss; ++k) y = _mm_mul_pd(y, base);
  const __m128d margin = _mm_mul_pd(y, kPowerShare.get());
  const __m128d lo = _mm_sub_pd(y, margin);
  const __m128d hi = _mm_add_pd(y, margin);
  const __m128d litLanes = _mm_cmpge_pd(q, zero);
  const int lit = _mm_movemask_pd(litLanes);
  // Each side only where a lane needs it: pairs of one side are the rule.
  int litSettled = 0;
  int darkSettled = 0;
  if (lit != 0) {
    const __m128 vLo = _mm_cvtpd_ps(lo);
    litSettled = _mm_movemask_ps(_mm_cmpeq_ps(vLo, _mm_cvtpd_ps(hi))) & 3;
    const __m128d V = _mm_cvtps_pd(vLo);
    const __m128d keep = _mm_sub_pd(one, V);
    for (int32_t k = 0; k < 3; ++k)
      X[k] = ByteLanes(
          _mm_add_pd(_mm_mul_pd(Both(s.marble[k]), keep), _mm_mul_pd(Both(s.light[k]), V)));
  }
  if (lit != 3) {
    // The dark side: each byte falls as the power grows, so one byte at both ends of the
    // power's interval is the byte of the power itself.
    const __m128d keepLo = _mm_sub_pd(one, lo);
    const __m128d keepHi = _mm_sub_pd(one, hi);
    // The lit lanes' mask moved to the two low int lanes.
    const __m128i litInts = _mm_shuffle_epi32(_mm_castpd_si128(litLanes), _MM_SHUFFLE(3, 3, 2, 0));
    darkSettled = 3;
    for (int32_t k = 0; k < 3; ++k) {
      const __m128i darkLo = ByteLanes(_mm_mul_pd(Both(s.marble[k]), keepLo));
      const __m128i darkHi = ByteLanes(_mm_mul_pd(Both(s.marble[k]), keepHi));
      darkSettled &= _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(darkLo, darkHi)));
      X[k] = lit == 0
                 ? darkLo
                 : _mm_or_si128(_mm_and_si128(litInts, X[k]), _mm_andnot_si128(litInts, darkLo));
    }
  }
  return inRange & ((lit & litSettled) | (~lit & darkSettled));
}

// The old bytes of two pixels, channel by channel, as doubles in two lanes.
inline void LoadPair(const uint8_t* p, __m128d old[3]) {
  uint32_t head;
  uint16_t tail;
  std::memcpy(&head, p, sizeof head);
  std::memcpy(&tail, p + 4, sizeof tail);
  const __m128i zero = _mm_setzero_si128();
  const __m128i bytes = _mm_unpacklo_epi8(
      _mm_set_epi32(0, 0, static_cast<int32_t>(tail), static_cast<int32_t>(head)), zero);
  const __m128i a = _mm_unpacklo_epi16(bytes, zero);  // bytes 0..3
  const __m128i b = _mm_unpackhi_epi16(bytes, zero);  // bytes 4..7
  old[0] = _mm_cvtepi32_pd(_mm_shuffle_epi32(a, _MM_SHUFFLE(3, 3, 3, 0)));
  old[1] = _mm_cvtepi32_pd(_mm_unpacklo_epi32(_mm_shuffle_epi32(a, _MM_SHUFFLE(1, 1, 1, 1)), b));
  old[2] = _mm_cvtepi32_pd(_mm_unpacklo_epi32(_mm_shuffle_epi32(a, _MM_SHUFFLE(2, 2, 2, 2)),
                                              _mm_shuffle_epi32(b, _MM_SHUFFLE(1, 1, 1, 1))));
}

// Each byte moved from old towards X by the weight w: trunc(old + (X - old) * w), held.
inline void BlendPair(const uint8_t* p, const __m128i X[3], __m128d w, __m128i out[3]) {
  __m128d old[3];
  LoadPair(p, old);
  for (int32_t k = 0; k < 3; ++k)
    out[k] =
        ByteLanes(_mm_add_pd(old[k], _mm_mul_pd(_mm_sub_pd(_mm_cvtepi32_pd(X[k]), old[k]), w)));
}

// The same for the first pixel alone (lane 0).
inline void BlendLane(const uint8_t* p, const __m128i X[3], __m128d w, __m128i out[3]) {
  for (int32_t k = 0; k < 3; ++k) {
    const __m128d old = _mm_set_sd(p[k]);
    out[k] = ByteLanes(_mm_add_pd(old, _mm_mul_pd(_mm_sub_pd(_mm_cvtepi32_pd(X[k]), old), w)));
  }
}

// Both pixels' bytes (whole numbers 0..255) written in memory order.
inline void StorePair(uint8_t* p, const __m128i X[3]) {
  // Each pixel as one word 0x00RRGGBB, the two words as one 64-bit number.
  const __m128i words =
      _mm_or_si128(X[0], _mm_or_si128(_mm_slli_epi32(X[1], 8), _mm_slli_epi32(X[2], 16)));
  uint64_t both;
  _mm_storel_epi64(reinterpret_cast<__m128i*>(&both), words);
  const uint32_t head = static_cast<uint32_t>((both & 0xFFFFFFu) | ((both >> 8) & 0xFF000000u));
  const uint16_t tail = static_cast<uint16_t>(both >> 40);
  std::memcpy(p, &head, sizeof head);
  std::memcpy(p + 4, &tail, sizeof tail);
}

// One lane's bytes (0 or 1).
inline void StoreLane(uint8_t* p, const __m128i X[3], int32_t lane) {
  for (int32_t k = 0; k < 3; ++k) {
    int32_t v[4];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(v), X[k]);
    p[k] = static_cast<uint8_t>(v[lane]);
  }
}

}  // namespace zk::marbles

#endif
