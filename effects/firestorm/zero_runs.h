// Bytes that are mostly zero, as runs: a saved fire is two thirds zero or more, so a copy
// kept per frame takes a third to a sixth of the raw buffers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

// The most bytes PackZeroRuns can write for `count` bytes.
constexpr size_t MostPackedBytes(size_t count) { return count + count / 64 + 16; }

// Writes the bytes as pairs of counts (zeros, then bytes copied as they are) each followed by
// the copied bytes; returns the bytes written.
size_t PackZeroRuns(const uint8_t* bytes, size_t count, uint8_t* packed);

// Undoes PackZeroRuns into exactly `count` bytes; false when `packed` does not hold them.
bool UnpackZeroRuns(const uint8_t* packed, size_t packedSize, uint8_t* bytes, size_t count);

}  // namespace zk
