// Truncated integer quotients four at a time in single-precision lanes.
//
// For integers n and d with |n| < 2^24 and d != 0 both convert to float exactly, and the
// correctly rounded quotient truncates to trunc(n / d): when n / d is a whole number it is
// representable and comes out exactly; otherwise it lies at least 1 / |d| from every whole
// number, while the rounding moves it by at most 2^-24 x |n / d| < 1 / |d|, so it cannot
// reach the whole number truncation would stop at. Products of integers below 2^24 in
// magnitude are exact in float too.
//
// Likewise trunc(sqrt(n)) of a whole n < 2^22 in float: with k = trunc(sqrt(n)) and
// n < (k + 1)^2, sqrt(n) lies at least 1 / (2 (k + 1)) below k + 1, while the rounding moves
// it by at most 2^-24 x (k + 1) < 1 / (2 (k + 1)) as (k + 1)^2 <= 2^22 < 2^23.
#pragma once

#include <cstdint>

#include "row_distances.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define ZK_BUBBLE_LANES 1
#endif

namespace zk {

// Numerators (and products of whole numbers) whose lane quotients are exact stay below this.
constexpr int64_t kLaneQuotientLimit = int64_t{1} << 24;
// Squared distances whose lane square roots truncate as the double ones do stay below this.
constexpr int64_t kLaneDistanceLimit = int64_t{1} << 22;

#if defined(ZK_BUBBLE_LANES)

// trunc(n / d) lane by lane for whole numbers held as floats.
inline __m128i TruncatedQuotients(__m128 n, __m128 d) { return _mm_cvttps_epi32(_mm_div_ps(n, d)); }

// q[k] = trunc(n[k] / d[k]) for four integer pairs (|n| < 2^24, d != 0).
inline void TruncatedQuotients4(const int32_t* n, const int32_t* d, int32_t* q) {
  const __m128 nf = _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(n)));
  const __m128 df = _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q), TruncatedQuotients(nf, df));
}

// RowDistances four pixels a step for rows whose squared distances stay below
// kLaneDistanceLimit; the same values.
inline void RowDistancesInLanes(int32_t centreX, int32_t dy, int32_t width, int32_t* distances) {
  const __m128 dyF = _mm_set1_ps(static_cast<float>(dy));
  const __m128 dySquared = _mm_mul_ps(dyF, dyF);
  __m128 dx = _mm_setr_ps(static_cast<float>(-centreX), static_cast<float>(1 - centreX),
                          static_cast<float>(2 - centreX), static_cast<float>(3 - centreX));
  const __m128 four = _mm_set1_ps(4.0f);
  int32_t x = 0;
  for (; x + 4 <= width; x += 4) {
    const __m128 squared = _mm_add_ps(_mm_mul_ps(dx, dx), dySquared);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(distances + x),
                     _mm_cvttps_epi32(_mm_sqrt_ps(squared)));
    dx = _mm_add_ps(dx, four);
  }
  for (; x < width; ++x) distances[x] = TruncatedDistance(x - centreX, dy);
}

#endif

}  // namespace zk
