// Rand15 drawn from a local copy of the thread's state: loops that draw once a pixel keep
// the state in a register instead of reaching the thread-local one on every draw. The
// draws are those of Rand15Next, in the same order; Release hands the state back.
#pragma once

#include <cstdint>

#include "rand15.h"

namespace zk {

struct LocalRand15 {
  uint32_t state = Rand15State();

  int32_t Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFFu);
  }
  void Release() const { Rand15Seed(state); }
};

}  // namespace zk
