#include "glow_nearest.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {
namespace {

// Along-row key of offset (|dy| = a, dx = k - 3), kNoGlow where the offset cannot glow.
struct AlongRowTable {
  uint8_t key[kGlowReach + 1][kGlowRows];
  AlongRowTable() {
    for (int32_t a = 0; a <= kGlowReach; ++a) {
      for (int32_t k = 0; k < kGlowRows; ++k) {
        const int32_t dx = k - kGlowReach;
        const int32_t d = GlowClass(a, dx);
        key[a][k] = d >= 1 && d <= kGlowReach ? GlowKey(d, -kGlowReach, dx) : kNoGlow;
      }
    }
  }
};

const AlongRowTable& AlongRowKeys() {
  static const AlongRowTable table;
  return table;
}

bool IsCharacterPixel(const uint8_t* px, PixelBgr bg) {
  return px[0] != bg.b || px[1] != bg.g || px[2] != bg.r;
}

}  // namespace

int32_t GlowClass(int32_t dy, int32_t dx) {
  return static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

bool MarkCharacterPixelsPlain(const uint8_t* pixels, int32_t width, PixelBgr background,
                              uint8_t* marks) {
  bool any = false;
  for (int32_t x = 0; x < width; ++x) {
    const bool lit = IsCharacterPixel(pixels + 3 * x, background);
    marks[x] = lit ? 0x00 : kNoGlow;
    any = any || lit;
  }
  return any;
}

bool MarkCharacterPixels(const uint8_t* pixels, int32_t width, PixelBgr background,
                         uint8_t* marks) {
  int32_t x = 0;
  bool any = false;
#if defined(__SSE2__)
  // Sixteen pixels are 48 bytes: three vectors of the background's bytes in their phases.
  uint8_t pattern[48];
  for (int32_t i = 0; i < 16; ++i) {
    pattern[3 * i] = background.b;
    pattern[3 * i + 1] = background.g;
    pattern[3 * i + 2] = background.r;
  }
  const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern));
  const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 16));
  const __m128i p2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 32));
  const __m128i none = _mm_set1_epi8(static_cast<char>(kNoGlow));
  for (; x + 16 <= width; x += 16) {
    const uint8_t* px = pixels + 3 * x;
    const __m128i e0 = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(px)), p0);
    const __m128i e1 =
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(px + 16)), p1);
    const __m128i e2 =
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(px + 32)), p2);
    if (_mm_movemask_epi8(_mm_and_si128(_mm_and_si128(e0, e1), e2)) == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(marks + x), none);
      continue;
    }
    // Byte i of the 48 equals the background's when bit i is set; pixel j is background
    // when bits 3j, 3j + 1 and 3j + 2 all are.
    const uint64_t equal = static_cast<uint64_t>(_mm_movemask_epi8(e0)) |
                           static_cast<uint64_t>(_mm_movemask_epi8(e1)) << 16 |
                           static_cast<uint64_t>(_mm_movemask_epi8(e2)) << 32;
    const uint64_t pixelEqual = equal & (equal >> 1) & (equal >> 2);
    for (int32_t j = 0; j < 16; ++j) {
      marks[x + j] = static_cast<uint8_t>(0 - ((pixelEqual >> (3 * j)) & 1));
    }
    any = true;
  }
#endif
  return MarkCharacterPixelsPlain(pixels + 3 * x, width - x, background, marks + x) || any;
}

void NearestAlongRowPlain(const uint8_t* marks, int32_t width, uint8_t* const keys[4]) {
  const AlongRowTable& table = AlongRowKeys();
  for (int32_t a = 0; a <= kGlowReach; ++a) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t best = kNoGlow;
      for (int32_t k = 0; k < kGlowRows; ++k) {
        if (marks[x + k - kGlowReach] == 0) best = std::min(best, table.key[a][k]);
      }
      keys[a][x] = best;
    }
  }
}

void NearestAlongRow(const uint8_t* marks, int32_t width, uint8_t* const keys[4]) {
#if defined(__SSE2__)
  const AlongRowTable& table = AlongRowKeys();
  __m128i key[kGlowReach + 1][kGlowRows];
  for (int32_t a = 0; a <= kGlowReach; ++a) {
    for (int32_t k = 0; k < kGlowRows; ++k)
      key[a][k] = _mm_set1_epi8(static_cast<char>(table.key[a][k]));
  }
  const int32_t padded = GlowPaddedWidth(width);
  for (int32_t x = 0; x < padded; x += 16) {
    // A mark is 0x00 or 0xFF: mark | key is the key where lit and kNoGlow elsewhere.
    __m128i m[kGlowRows];
    for (int32_t k = 0; k < kGlowRows; ++k) {
      m[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(marks + x + k - kGlowReach));
    }
    for (int32_t a = 0; a <= kGlowReach; ++a) {
      __m128i best = _mm_or_si128(m[0], key[a][0]);
      for (int32_t k = 1; k < kGlowRows; ++k) {
        best = _mm_min_epu8(best, _mm_or_si128(m[k], key[a][k]));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(keys[a] + x), best);
    }
  }
#else
  NearestAlongRowPlain(marks, width, keys);
#endif
}

void NearestAcrossRowsPlain(const uint8_t* const rowKeys[kGlowRows], const uint8_t* ownMarks,
                            int32_t width, uint8_t* keys) {
  for (int32_t x = 0; x < width; ++x) {
    uint8_t best = kNoGlow;
    for (int32_t k = 0; k < kGlowRows; ++k) {
      if (rowKeys[k] == nullptr || rowKeys[k][x] == kNoGlow) continue;
      best = std::min(best, static_cast<uint8_t>(rowKeys[k][x] + k * kGlowRows));
    }
    keys[x] = ownMarks[x] == 0 ? kNoGlow : best;
  }
}

void NearestAcrossRows(const uint8_t* const rowKeys[kGlowRows], const uint8_t* ownMarks,
                       int32_t width, uint8_t* keys) {
#if defined(__SSE2__)
  const uint8_t* rows[kGlowRows];
  __m128i rowPart[kGlowRows];
  int32_t count = 0;
  for (int32_t k = 0; k < kGlowRows; ++k) {
    if (rowKeys[k] == nullptr) continue;
    rows[count] = rowKeys[k];
    rowPart[count++] = _mm_set1_epi8(static_cast<char>(k * kGlowRows));
  }
  const __m128i none = _mm_set1_epi8(static_cast<char>(kNoGlow));
  const int32_t padded = GlowPaddedWidth(width);
  for (int32_t x = 0; x < padded; x += 16) {
    // Real keys stay below 148 with the row part; kNoGlow saturates and stays.
    __m128i best = none;
    for (int32_t i = 0; i < count; ++i) {
      const __m128i along = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[i] + x));
      best = _mm_min_epu8(best, _mm_adds_epu8(along, rowPart[i]));
    }
    // Lit pixels (mark 0x00) take kNoGlow: they keep their bytes.
    const __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ownMarks + x));
    best = _mm_or_si128(best, _mm_xor_si128(own, none));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(keys + x), best);
  }
#else
  NearestAcrossRowsPlain(rowKeys, ownMarks, width, keys);
#endif
}

uint32_t GlowingPixelsPlain(const uint8_t* keys, int32_t count) {
  uint32_t bits = 0;
  for (int32_t j = 0; j < count && j < 16; ++j) {
    if (keys[j] != kNoGlow) bits |= 1u << j;
  }
  return bits;
}

uint32_t GlowingPixels(const uint8_t* keys, int32_t count) {
#if defined(__SSE2__)
  const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys));
  const uint32_t glowing =
      static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(k, _mm_set1_epi8(-1)))) ^ 0xFFFFu;
  return count >= 16 ? glowing : glowing & ((1u << count) - 1);
#else
  return GlowingPixelsPlain(keys, count);
#endif
}

}  // namespace zk
