// Compiled with -mavx2 and without the vectorizer: the double operations are the ones
// written, per column the same in the same order as the SSE2 and plain forms.
#include "logo_mask_avx2.h"

#include <immintrin.h>

#include <cstring>

namespace zk {

int32_t MeanBetweenRowsAvx2(const double* above, const double* below, bool lower, double fv,
                            int32_t width, uint8_t* out) {
  const __m256d f = _mm256_set1_pd(fv);
  const __m256d three = _mm256_set1_pd(3.0);
  int32_t i = 0;
  for (; i + 4 <= width; i += 4) {
    __m256d sum = _mm256_setzero_pd();
    for (int32_t k = 0; k < 3; ++k) {
      __m256d a = _mm256_loadu_pd(above + k * width + i);
      if (lower) {
        a = _mm256_add_pd(
            a, _mm256_mul_pd(_mm256_sub_pd(_mm256_loadu_pd(below + k * width + i), a), f));
      }
      sum = _mm256_add_pd(sum, a);
    }
    // The low eight bits of each truncated mean, as a byte store of the int keeps them.
    const __m128i whole =
        _mm_and_si128(_mm256_cvttpd_epi32(_mm256_div_pd(sum, three)), _mm_set1_epi32(0xFF));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(whole, whole), whole);
    const int32_t four = _mm_cvtsi128_si32(bytes);
    std::memcpy(out + i, &four, 4);
  }
  return i;
}

}  // namespace zk
