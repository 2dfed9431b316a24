// The two whole-rectangle passes of a marble frame: the revealed scene rising from black
// under the marbles, and the opening cross-fade from the untouched source to the board.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

// A run of stored rows: `rows` rows of `bytes` bytes, `stride` apart, in every buffer.
struct RowSpan {
  int32_t rows;
  int32_t bytes;
  int32_t stride;
};

// out = trunc(float(revealed * m)) for every byte.
void PaintRisingBackground(const RowSpan& span, uint8_t* out, const uint8_t* revealed, float m);

// Most frames' byte levels (level[b] for b = 0..255) are (b * K) >> 16 for one whole K
// below 2^16: then sixteen bytes take a few instructions. The smallest such K, checked
// against the whole table, or -1 where none gives them.
int32_t LevelMultiplier(const uint8_t* level);

// out = trunc(src + (out - src) * a) for every byte: the output moves from the source scene
// (a = 0) to what was drawn (a = 1). With `table` (kCrossFadeTableBytes of scratch) the
// bytes come from a table of every (source, drawn) pair made once per call.
constexpr size_t kCrossFadeTableBytes = 256 * 256;
void CrossFadeFromSource(const RowSpan& span, uint8_t* out, const uint8_t* source, float a,
                         uint8_t* table);
// True when the table saves more than making it costs.
bool CrossFadeTablePays(const RowSpan& span);
// The same byte by byte: the reference.
void CrossFadeFromSourcePlain(const RowSpan& span, uint8_t* out, const uint8_t* source, float a);

}  // namespace zk
