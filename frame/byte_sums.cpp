#include "byte_sums.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "kernel_choice.h"

namespace zk {

uint64_t SumBytesPlain(const uint8_t* bytes, int32_t count) {
  uint64_t sum = 0;
  for (int32_t i = 0; i < count; ++i) sum += bytes[i];
  return sum;
}

uint64_t SumBytes(const uint8_t* bytes, int32_t count) {
  if (PlainKernels()) return SumBytesPlain(bytes, count);
  int32_t i = 0;
  uint64_t sum = 0;
#if defined(__SSE2__)
  // Each psadbw adds sixteen bytes into two 64-bit lanes: no lane can overflow.
  const __m128i zero = _mm_setzero_si128();
  __m128i lanes = zero;
  for (; i + 16 <= count; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    lanes = _mm_add_epi64(lanes, _mm_sad_epu8(v, zero));
  }
  uint64_t halves[2];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), lanes);
  sum = halves[0] + halves[1];
#endif
  return sum + SumBytesPlain(bytes + i, count - i);
}

}  // namespace zk
