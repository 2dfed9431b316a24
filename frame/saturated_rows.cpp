#include "saturated_rows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "kernel_choice.h"

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
namespace {

// Sixteen bytes at a time through one saturating instruction, the tail through the plain
// form.
template <__m128i (*Shift)(__m128i, __m128i),
          void (*Plain)(uint8_t*, const uint8_t*, int32_t, uint8_t)>
void ShiftRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  if (PlainKernels()) {
    Plain(out, s, byteCount, n);
    return;
  }
  const __m128i step = _mm_set1_epi8(static_cast<char>(n));
  int32_t i = 0;
  for (; i + 16 <= byteCount; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), Shift(v, step));
  }
  Plain(out + i, s + i, byteCount - i, n);
}

__m128i AddBytes(__m128i a, __m128i b) { return _mm_adds_epu8(a, b); }
__m128i SubtractBytes(__m128i a, __m128i b) { return _mm_subs_epu8(a, b); }

}  // namespace

void AddSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  ShiftRow<AddBytes, AddSaturatedRowPlain>(out, s, byteCount, n);
}

void SubtractSaturatedRow(uint8_t* out, const uint8_t* s, int32_t byteCount, uint8_t n) {
  ShiftRow<SubtractBytes, SubtractSaturatedRowPlain>(out, s, byteCount, n);
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
