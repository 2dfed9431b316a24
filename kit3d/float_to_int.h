// Float-to-integer conversion that truncates toward zero like the processor's own
// conversion, including its answer for values no int32 can hold (NaN, infinities, huge
// magnitudes): INT32_MIN. Written out so that such values are defined behaviour and give
// the same integer in both builds.
#pragma once

#include <cstdint>

#include "isa_namespace.h"

namespace zk {
inline namespace ZK_ISA_NAMESPACE {

inline int32_t TruncToInt(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  return INT32_MIN;
}

// The low eight bits of the truncated value, as a byte store of an int keeps them.
inline uint8_t TruncToByteBits(double v) { return static_cast<uint8_t>(TruncToInt(v) & 0xFF); }

}  // namespace ZK_ISA_NAMESPACE
}  // namespace zk
