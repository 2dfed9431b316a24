#include "row_distances.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "kernel_choice.h"

namespace zk {

void RowDistancesPlain(int32_t centreX, int32_t dy, int32_t width, int32_t* distances) {
  for (int32_t x = 0; x < width; ++x) distances[x] = TruncatedDistance(x - centreX, dy);
}

#if defined(__SSE2__)
void RowDistances(int32_t centreX, int32_t dy, int32_t width, int32_t* distances) {
  // Below 2^25 each square is an exact double and so is their sum (below 2^51): the root is
  // then taken of the same number as in the plain form.
  constexpr int64_t kExact = int64_t{1} << 25;
  const int64_t firstDx = -static_cast<int64_t>(centreX);
  const int64_t lastDx = static_cast<int64_t>(width) - 1 - centreX;
  const int64_t absDy = dy < 0 ? -static_cast<int64_t>(dy) : dy;
  if (PlainKernels() || firstDx <= -kExact || lastDx >= kExact || absDy >= kExact) {
    RowDistancesPlain(centreX, dy, width, distances);
    return;
  }
  const double dyd = static_cast<double>(dy);
  const __m128d dySquared = _mm_set1_pd(dyd * dyd);
  const __m128d two = _mm_set1_pd(2.0);
  __m128d dx = _mm_set_pd(static_cast<double>(firstDx + 1), static_cast<double>(firstDx));
  int32_t x = 0;
  for (; x + 2 <= width; x += 2) {
    const __m128d sum = _mm_add_pd(_mm_mul_pd(dx, dx), dySquared);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(distances + x), _mm_cvttpd_epi32(_mm_sqrt_pd(sum)));
    dx = _mm_add_pd(dx, two);
  }
  for (; x < width; ++x) distances[x] = TruncatedDistance(x - centreX, dy);
}
#else
void RowDistances(int32_t centreX, int32_t dy, int32_t width, int32_t* distances) {
  RowDistancesPlain(centreX, dy, width, distances);
}
#endif

}  // namespace zk
