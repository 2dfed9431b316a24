#include "saturated_rows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

void AddSaturatedRowPlain(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  for (int32_t i = 0; i < byteCount; ++i) {
    const int32_t v = s[i] + n;
    out[i] = static_cast<uint8_t>(v > 255 ? 255 : v);
  }
}

void SubtractSaturatedRowPlain(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  for (int32_t i = 0; i < byteCount; ++i) {
    const int32_t v = s[i] - n;
    out[i] = static_cast<uint8_t>(v < 0 ? 0 : v);
  }
}

#if defined(__SSE2__)
void AddSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  const __m128i step = _mm_set1_epi8(static_cast<char>(n));
  int32_t i = 0;
  for (; i + 16 <= byteCount; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_adds_epu8(v, step));
  }
  AddSaturatedRowPlain(out + i, s + i, byteCount - i, n);
}

void SubtractSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  const __m128i step = _mm_set1_epi8(static_cast<char>(n));
  int32_t i = 0;
  for (; i + 16 <= byteCount; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_subs_epu8(v, step));
  }
  SubtractSaturatedRowPlain(out + i, s + i, byteCount - i, n);
}
#else
void AddSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  AddSaturatedRowPlain(out, s, byteCount, n);
}
void SubtractSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  SubtractSaturatedRowPlain(out, s, byteCount, n);
}
#endif

}  // namespace zk
