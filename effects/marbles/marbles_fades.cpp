#include "marbles_fades.h"

#include <cstddef>
#include <cstring>

namespace zk {
namespace {

inline uint8_t Faded(int32_t src, int32_t drawn, float a) {
  return static_cast<uint8_t>(src + (drawn - src) * double{a});
}

// Below this many bytes the table costs more than it saves.
constexpr int64_t kTableFrom = 4 * 65536;

}  // namespace

void PaintRisingBackground(const RowSpan& span, uint8_t* out, const uint8_t* revealed, float m) {
  uint8_t level[256];
  for (int32_t b = 0; b < 256; ++b)
    level[b] = static_cast<uint8_t>(static_cast<float>(b * double{m}));
  for (int32_t row = 0; row < span.rows; ++row) {
    uint8_t* o = out + static_cast<ptrdiff_t>(row) * span.stride;
    // Before the marbles move the revealed scene is black.
    if (m == 0) {
      std::memset(o, 0, static_cast<size_t>(span.bytes > 0 ? span.bytes : 0));
      continue;
    }
    const uint8_t* in = revealed + static_cast<ptrdiff_t>(row) * span.stride;
    int32_t i = 0;
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
