// A fixed pool of 54 pseudo-random bytes with one byte of memory. Effects that must show
// the same random pattern on every frame of a transition draw from it after a reset, so
// the draws depend only on their order, never on the clock or a running generator.
#pragma once

#include <cstdint>

namespace zk {

constexpr int32_t kBytePoolSize = 54;

struct BytePool {
  uint8_t last;  // the value of the previous draw; 0 after a reset
};

// The 54 table bytes (decoded once from the stored hex text).
const uint8_t* BytePoolTable();

// The decoding of the stored text: each pair of characters gives one byte, high digit
// first; a character that is no hexadecimal digit counts as 0. Decodes `byteCount` bytes.
void DecodeHexPairs(const char* text, uint8_t* bytes, int32_t byteCount);

inline void BytePoolReset(BytePool* pool) { pool->last = 0; }

// The next value below `bound`, of which only the low 8 bits count; only the low 8 bits
// of `salt` count too. A bound whose low byte is 0 stands for a multiple of 256, so every
// table byte already lies below it: the table byte is returned unchanged.
int32_t BytePoolDraw(BytePool* pool, int32_t bound, int32_t salt);

}  // namespace zk
