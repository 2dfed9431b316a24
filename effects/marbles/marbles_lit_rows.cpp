#include "marbles_lit_rows.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ZK_MARBLES_SSE2 1
#endif

namespace zk {
namespace {

int32_t MarkInside(const double* J, int32_t count, uint8_t* pending) {
  int32_t marked = 0;
  for (int32_t i = 0; i < count; ++i) {
    pending[i] = J[i] > 0 ? 1 : 0;
    marked += pending[i];
  }
  return marked;
}

#if ZK_MARBLES_SSE2

// A channel value held to a byte, as a double: NaN and values up to 0 give 0, values from
// 255 on give 255, the rest are truncated.
inline __m128d ByteOf(__m128d v) {
  const __m128d held = _mm_min_pd(_mm_max_pd(v, _mm_setzero_pd()), _mm_set1_pd(255.0));
  return _mm_cvtepi32_pd(_mm_cvttpd_epi32(held));
}

// a where mask is set, else b.
inline __m128d Select(__m128d mask, __m128d a, __m128d b) {
  return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b));
}

#endif

}  // namespace

int32_t LightRow3(const LitLook& s, const double* J, const float* q, int32_t count, uint8_t* px,
                  uint8_t* pending) {
#if ZK_MARBLES_SSE2
  int32_t i = 0;
  int32_t left = 0;
  if (s.gloss >= 1 && s.gloss <= 16) {
    const __m128d zero = _mm_setzero_pd();
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d impact = _mm_set1_pd(s.impact);
    const __m128d opacity = _mm_set1_pd(s.opacity);
    const __m128d smallest = _mm_set1_pd(0x1p-30);
    const __m128d largest = _mm_set1_pd(0x1p30);
    const __m128d share = _mm_set1_pd(0x1p-45);
    for (; i + 2 <= count; i += 2) {
      const __m128d j = _mm_loadu_pd(J + i);
      const int inside = _mm_movemask_pd(_mm_cmpgt_pd(j, zero));
      pending[i] = 0;
      pending[i + 1] = 0;
      if (inside == 0) continue;
      uint8_t* p = px + 3 * i;
      // The two floats of q as one 64-bit load, widened.
      double pair;
      std::memcpy(&pair, q + i, sizeof pair);
      const __m128d qd = _mm_cvtps_pd(_mm_castpd_ps(_mm_load_sd(&pair)));
      // |q| * impact is q * impact on the lit side and -q * impact on the dark side.
      const __m128d base = _mm_mul_pd(_mm_andnot_pd(sign, qd), impact);
      const int inRange =
          _mm_movemask_pd(_mm_and_pd(_mm_cmpge_pd(base, smallest), _mm_cmple_pd(base, largest)));
      __m128d y = base;
      for (int32_t k = 1; k < s.gloss; ++k) y = _mm_mul_pd(y, base);
      const __m128d margin = _mm_mul_pd(y, share);
      const __m128d lo = _mm_sub_pd(y, margin);
      const __m128d hi = _mm_add_pd(y, margin);
      const __m128d litLanes = _mm_cmpge_pd(qd, zero);
      const int lit = _mm_movemask_pd(litLanes);
      // Each side only where a lane needs it: pairs of one side are the rule.
      int litSettled = 0;
      int darkSettled = 0;
      __m128d X[3];
      if (lit != 0) {
        const __m128 vLo = _mm_cvtpd_ps(lo);
        litSettled = _mm_movemask_ps(_mm_cmpeq_ps(vLo, _mm_cvtpd_ps(hi))) & 3;
        const __m128d V = _mm_cvtps_pd(vLo);
        const __m128d keep = _mm_sub_pd(one, V);
        for (int32_t k = 0; k < 3; ++k)
          X[k] = ByteOf(_mm_add_pd(_mm_mul_pd(_mm_set1_pd(s.marble[k]), keep),
                                   _mm_mul_pd(_mm_set1_pd(s.light[k]), V)));
      }
      if (lit != 3) {
        // The dark side: each byte falls as the power grows, so one byte at both ends of
        // the power's interval is the byte of the power itself.
        const __m128d keepLo = _mm_sub_pd(one, lo);
        const __m128d keepHi = _mm_sub_pd(one, hi);
        darkSettled = 3;
        for (int32_t k = 0; k < 3; ++k) {
          const __m128d M = _mm_set1_pd(s.marble[k]);
          const __m128d darkLo = ByteOf(_mm_mul_pd(M, keepLo));
          darkSettled &= _mm_movemask_pd(_mm_cmpeq_pd(darkLo, ByteOf(_mm_mul_pd(M, keepHi))));
          X[k] = lit == 0 ? darkLo : Select(litLanes, X[k], darkLo);
        }
      }
      // Inside the rim of an opaque marble the weight is 1 and the blend gives the lit
      // bytes themselves.
      const __m128d w = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_mul_pd(_mm_min_pd(j, one), opacity)));
      __m128d out[3];
      if (_mm_movemask_pd(_mm_cmpeq_pd(w, one)) == 3) {
        for (int32_t k = 0; k < 3; ++k) out[k] = X[k];
      } else {
        for (int32_t k = 0; k < 3; ++k) {
          const __m128d old = _mm_set_pd(p[3 + k], p[k]);
          out[k] = ByteOf(_mm_add_pd(old, _mm_mul_pd(_mm_sub_pd(X[k], old), w)));
        }
      }
      const int settled = inRange & ((lit & litSettled) | (~lit & darkSettled));
      // The bytes as whole numbers: lane 0 in the low word, lane 1 in the next.
      int32_t b[3][4];
      for (int32_t k = 0; k < 3; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b[k]), _mm_cvttpd_epi32(out[k]));
      const int write = inside & settled;
      if (write == 3) {
        for (int32_t k = 0; k < 3; ++k) {
          p[k] = static_cast<uint8_t>(b[k][0]);
          p[3 + k] = static_cast<uint8_t>(b[k][1]);
        }
        continue;
      }
      for (int32_t lane = 0; lane < 2; ++lane) {
        if (write & (1 << lane)) {
          for (int32_t k = 0; k < 3; ++k) p[3 * lane + k] = static_cast<uint8_t>(b[k][lane]);
        } else if (inside & (1 << lane)) {
          pending[i + lane] = 1;
          ++left;
        }
      }
    }
  }
  return left + MarkInside(J + i, count - i, pending + i);
#else
  (void)s;
  (void)px;
  return MarkInside(J, count, pending);
#endif
}

}  // namespace zk
