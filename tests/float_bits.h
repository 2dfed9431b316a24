// The bit patterns of floats and doubles, for tests that expect exact roundings.
#pragma once

#include <cstdint>
#include <cstring>

namespace zk {

inline uint32_t Bits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

inline uint64_t Bits(double d) {
  uint64_t u;
  std::memcpy(&u, &d, 8);
  return u;
}

}  // namespace zk
