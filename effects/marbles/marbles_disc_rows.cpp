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

double SolidLimit(double R) {
  // The depth at rho2 = 0 is R - 0.5 exactly; below 1.5 not even the centre is solid.
  if (!(R >= 1.5) || !std::isfinite(R)) return -1;
  // Doubles from 0 up are ordered as their bit patterns: search those, from (R - 1.5)^2,
  // which lies near the limit, in growing steps to a bracket and then by halves. (Where
  // the root is small, many doubles give one depth: the growing steps cover them.)
  const auto at = [](int64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  };
  const auto solid = [&](int64_t bits) { return R - (std::sqrt(at(bits)) + 0.5) >= 1; };
  const double guess = (R - 1.5) * (R - 1.5);
  const double infinity = HUGE_VAL;  // its depth is -infinity
  int64_t lo = 0;                    // solid
  int64_t hi;                        // not solid
  std::memcpy(&hi, &guess, sizeof hi);
  int64_t top;
  std::memcpy(&top, &infinity, sizeof top);
  if (solid(hi)) {
    lo = hi;
    hi = top;
    for (int64_t step = 1; lo + step < top; step *= 2) {
      if (!solid(lo + step)) {
        hi = lo + step;
        break;
      }
      lo += step;
    }
  } else {
    for (int64_t step = 1; hi - step > 0; step *= 2) {
      if (solid(hi - step)) {
        lo = hi - step;
        break;
      }
      hi -= step;
    }
  }
  while (hi - lo > 1) {
    const int64_t mid = lo + (hi - lo) / 2;
    (solid(mid) ? lo : hi) = mid;
  }
  return at(lo);
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

void DiscRowSolid(const DiscRow& row, double solidLimit, const double* dx2, const double* nxL,
                  int32_t count, double* J, float* q) {
  const __m128d dy2 = _mm_set1_pd(row.dy2);
  const __m128d R = _mm_set1_pd(row.R);
  const __m128d R2 = _mm_set1_pd(row.R2);
  const __m128d half = _mm_set1_pd(0.5);
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d limit = _mm_set1_pd(solidLimit);
  const __m128d Lz = _mm_set1_pd(row.Lz);
  const __m128d nyL = _mm_set1_pd(row.nyL);
  const __m128d sign = _mm_set1_pd(-0.0);
  int32_t i = 0;
  for (; i + 2 <= count; i += 2) {
    const __m128d rho2 = _mm_add_pd(_mm_loadu_pd(dx2 + i), dy2);
    if (_mm_movemask_pd(_mm_cmple_pd(rho2, limit)) == 3) {
      _mm_storeu_pd(J + i, one);
    } else {
      _mm_storeu_pd(J + i, _mm_sub_pd(R, _mm_add_pd(_mm_sqrt_pd(rho2), half)));
    }
    const __m128d e = _mm_sub_pd(R2, rho2);
    const __m128d h = _mm_or_pd(_mm_sqrt_pd(_mm_andnot_pd(sign, e)), _mm_and_pd(sign, e));
    const __m128d nz = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_div_pd(h, R)));
    const __m128d t = _mm_add_pd(_mm_add_pd(_mm_mul_pd(nz, Lz), nyL), _mm_loadu_pd(nxL + i));
    double pair;
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

void DiscRowSolid(const DiscRow& row, double, const double* dx2, const double* nxL, int32_t count,
                  double* J, float* q) {
  DiscRowPlain(row, dx2, nxL, count, J, q);
}

#endif

}  // namespace zk
