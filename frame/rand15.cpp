#include "rand15.h"

namespace zk {
namespace {
thread_local uint32_t g_state = 1;
}

void Rand15Seed(uint32_t seed) { g_state = seed; }

int32_t Rand15Next() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int32_t>((g_state >> 16) & 0x7FFFu);
}

uint32_t Rand15State() { return g_state; }

uint32_t Rand15StateAfter(uint32_t state, uint64_t draws) {
  // A draw is s -> m s + c (mod 2^32); the step for 2^k draws is that map composed with
  // itself k times.
  uint32_t m = 214013u, c = 2531011u;
  for (; draws != 0; draws >>= 1) {
    if (draws & 1) state = state * m + c;
    c = c * m + c;
    m = m * m;
  }
  return state;
}

}  // namespace zk
