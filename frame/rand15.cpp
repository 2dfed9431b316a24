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

}  // namespace zk
