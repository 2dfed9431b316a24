#include "marbles_fades.h"

#include <cstddef>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define ZK_MARBLES_SSE2 1
#endif

#include "kernel_choice.h"

namespace zk {
namespace {

inline uint8_t Faded(int32_t src, int32_t drawn, float a) {
  return static_cast<uint8_t>(src + (drawn - src) * double{a});
}

#if ZK_MARBLES_SSE2
// out = (in * K) >> 16 for the whole 16-byte blocks of a run; returns the bytes done.
int32_t ScaleBytesSse2(uint8_t* out, const uint8_t* in, int32_t bytes, int32_t K) {
  const __m128i k = _mm_set1_epi16(static_cast<int16_t>(K));
  const __m128i zero = _mm_setzero_si128();
  int32_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i lo = _mm_mulhi_epu16(_mm_unpacklo_epi8(v, zero), k);
    const __m128i hi = _mm_mulhi_epu16(_mm_unpackhi_epi8(v, zero), k);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
  }
  return i;
}
#else
int32_t ScaleBytesSse2(uint8_t*, const uint8_t*, int32_t, int32_t) { return 0; }
#endif

// Below this many bytes the table costs more than it saves.
constexpr int64_t kTableFrom = 4 * 65536;

}  // namespace

int32_t LevelMultiplier(const uint8_t* level) {
  // (b * K) >> 16 == level[b] asks b * K to lie in [level * 2^16, (level + 1) * 2^16).
  int64_t low = 0, high = 65535;
  for (int64_t b = 1; b < 256; ++b) {
    const int64_t lo = (int64_t{level[b]} * 65536 + b - 1) / b;
    const int64_t hi = ((int64_t{level[b]} + 1) * 65536 - 1) / b;
    if (lo > low) low = lo;
    if (hi < high) high = hi;
  }
  if (low > high || level[0] != 0) return -1;
  for (int64_t b = 0; b < 256; ++b)
    if (((b * low) >> 16) != level[b]) return -1;
  return static_cast<int32_t>(low);
}

void PaintRisingBackground(const RowSpan& span, uint8_t* out, const uint8_t* revealed, float m) {
  uint8_t level[256];
  for (int32_t b = 0; b < 256; ++b)
    level[b] = static_cast<uint8_t>(static_cast<float>(b * double{m}));
  const int32_t K = PlainKernels() ? -1 : LevelMultiplier(level);
  for (int32_t row = 0; row < span.rows; ++row) {
    uint8_t* o = out + static_cast<ptrdiff_t>(row) * span.stride;
    // Before the marbles move the revealed scene is black.
    if (m == 0) {
      std::memset(o, 0, static_cast<size_t>(span.bytes > 0 ? span.bytes : 0));
      continue;
    }
    const uint8_t* in = revealed + static_cast<ptrdiff_t>(row) * span.stride;
    int32_t i = K >= 0 ? ScaleBytesSse2(o, in, span.bytes, K) : 0;
    for (; i + 4 <= span.bytes; i += 4) {
      o[i] = level[in[i]];
      o[i + 1] = level[in[i + 1]];
      o[i + 2] = level[in[i + 2]];
      o[i + 3] = level[in[i + 3]];
    }
    for (; i < span.bytes; ++i) o[i] = level[in[i]];
  }
}

void CrossFadeFromSourcePlain(const RowSpan& span, uint8_t* out, const uint8_t* source, float a) {
  for (int32_t row = 0; row < span.rows; ++row) {
    uint8_t* o = out + static_cast<ptrdiff_t>(row) * span.stride;
    const uint8_t* src = source + static_cast<ptrdiff_t>(row) * span.stride;
    for (int32_t i = 0; i < span.bytes; ++i) o[i] = Faded(src[i], o[i], a);
  }
}

bool CrossFadeTablePays(const RowSpan& span) {
  return static_cast<int64_t>(span.rows) * span.bytes >= kTableFrom;
}

void CrossFadeFromSource(const RowSpan& span, uint8_t* out, const uint8_t* source, float a,
                         uint8_t* table) {
  if (table == nullptr) {
    CrossFadeFromSourcePlain(span, out, source, a);
    return;
  }
  // Every (source, drawn) pair's byte, made by the plain formula.
  for (int32_t src = 0; src < 256; ++src)
    for (int32_t drawn = 0; drawn < 256; ++drawn) table[src << 8 | drawn] = Faded(src, drawn, a);
  for (int32_t row = 0; row < span.rows; ++row) {
    uint8_t* o = out + static_cast<ptrdiff_t>(row) * span.stride;
    const uint8_t* src = source + static_cast<ptrdiff_t>(row) * span.stride;
    for (int32_t i = 0; i < span.bytes; ++i) o[i] = table[src[i] << 8 | o[i]];
  }
}

}  // namespace zk
