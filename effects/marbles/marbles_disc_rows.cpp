#include "marbles_disc_rows.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ZK_MARBLES_SSE2 1
#endif

namespace zk {

void DiscRowPlain(const DiscRow& row, const double* dx2, const double* nxL, int32_t count,
                  double* J, float* q) {
  for (int32_t i = 0; i < count; ++i) {
    const double rho2 = dx2[i] + row.dy2;
    J[i] = row.R - (std::sqrt(rho2) + 0.5);
    const double e = row.R2 - rho2;
    const double h = e >= 0 ? std::sqrt(e) : -std::sqrt(-e);
    const float nz = static_cast<float>(h / row.R);
    q[i] = static_cast<float>(nz * row.Lz + row.nyL + nxL[i]);
  }
}

#if ZK_MARBLES_SSE2

void DiscRowFast(const DiscRow& row, const double* dx2, const double* nxL, int32_t count, double* J,
                 float* q) {
  const __m128d dy2 = _mm_set1_pd(row.dy2);
  const __m128d R = _mm_set1_pd(row.R);
  const __m128d R2 = _mm_set1_pd(row.R2);
  const __m128d half = _mm_set1_pd(0.5);
  const __m128d Lz = _mm_set1_pd(row.Lz);
  const __m128d nyL = _mm_set1_pd(row.nyL);
  const __m128d sign = _mm_set1_pd(-0.0);
  int32_t i = 0;
  for (; i + 2 <= count; i += 2) {
    const __m128d rho2 = _mm_add_pd(_mm_loadu_pd(dx2 + i), dy2);
    _mm_storeu_pd(J + i, _mm_sub_pd(R, _mm_add_pd(_mm_sqrt_pd(rho2), half)));
    // sqrt(|e|) carrying the sign of e: sqrt(e) from 0 up (sqrt(-0) is -0 as well), else
    // -sqrt(-e).
    const __m128d e = _mm_sub_pd(R2, rho2);
    const __m128d h = _mm_or_pd(_mm_sqrt_pd(_mm_andnot_pd(sign, e)), _mm_and_pd(sign, e));
    const __m128d nz = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_div_pd(h, R)));
    const __m128d t = _mm_add_pd(_mm_add_pd(_mm_mul_pd(nz, Lz), nyL), _mm_loadu_pd(nxL + i));
    double pair;  // the two floats, stored through a double of no alignment demands
    _mm_store_sd(&pair, _mm_castps_pd(_mm_cvtpd_ps(t)));
    std::memcpy(q + i, &pair, sizeof pair);
  }
  if (i < count) DiscRowPlain(row, dx2 + i, nxL + i, count - i, J + i, q + i);
}

#else

void DiscRowFast(const DiscRow& row, const double* dx2, const double* nxL, int32_t count, double* J,
                 float* q) {
  DiscRowPlain(row, dx2, nxL, count, J, q);
}

#endif

}  // namespace zk
