// Sums of runs of bytes, as cell means over a picture take them.
#pragma once

#include <cstdint>

namespace zk {

// The sum of bytes[0 .. count - 1], one byte at a time.
uint64_t SumBytesPlain(const uint8_t* bytes, int32_t count);

// The same, sixteen bytes at a time where SSE2 is available; the same whole number.
uint64_t SumBytes(const uint8_t* bytes, int32_t count);

}  // namespace zk
