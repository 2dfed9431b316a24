#include "zero_runs.h"

#include <cstring>

namespace zk {
namespace {

// Seven bits a byte, low bits first; the top bit tells that more follow.
uint8_t* PutCount(size_t n, uint8_t* at) {
  while (n >= 0x80) {
    *at++ = static_cast<uint8_t>(n | 0x80);
    n >>= 7;
  }
  *at++ = static_cast<uint8_t>(n);
  return at;
}

bool TakeCount(const uint8_t** at, const uint8_t* end, size_t* n) {
  *n = 0;
  for (int shift = 0; shift < 64 && *at < end; shift += 7) {
    const uint8_t byte = *(*at)++;
    *n |= static_cast<size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

}  // namespace

size_t PackZeroRuns(const uint8_t* bytes, size_t count, uint8_t* packed) {
  uint8_t* at = packed;
  size_t i = 0;
  while (i < count) {
    size_t zeros = 0;
    while (i + zeros < count && bytes[i + zeros] == 0) ++zeros;
    const size_t from = i + zeros;
    size_t end = from;
    // A lone zero between other bytes is copied: a run of its own would cost more.
    while (end < count && !(bytes[end] == 0 && (end + 1 == count || bytes[end + 1] == 0))) ++end;
    at = PutCount(zeros, at);
    at = PutCount(end - from, at);
    std::memcpy(at, bytes + from, end - from);
    at += end - from;
    i = end;
  }
  return static_cast<size_t>(at - packed);
}

bool UnpackZeroRuns(const uint8_t* packed, size_t packedSize, uint8_t* bytes, size_t count) {
  const uint8_t* at = packed;
  const uint8_t* end = packed + packedSize;
  size_t filled = 0;
  while (at < end) {
    size_t zeros, copied;
    if (!TakeCount(&at, end, &zeros) || !TakeCount(&at, end, &copied)) return false;
    if (zeros > count - filled || copied > count - filled - zeros ||
        copied > static_cast<size_t>(end - at))
      return false;
    std::memset(bytes + filled, 0, zeros);
    filled += zeros;
    std::memcpy(bytes + filled, at, copied);
    filled += copied;
    at += copied;
  }
  return filled == count;
}

}  // namespace zk
