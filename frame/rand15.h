// The shared 15-bit pseudo-random generator: a linear congruential state per thread,
// 1 until seeded, each draw returning bits 16-30 of the new state.
#pragma once

#include <cstdint>

namespace zk {

void Rand15Seed(uint32_t seed);
int32_t Rand15Next();  // 0 to 32767
uint32_t Rand15State();

// The state `draws` draws after `state`, found in a few dozen steps: where a band of rows
// that draws a known number a row starts.
uint32_t Rand15StateAfter(uint32_t state, uint64_t draws);

}  // namespace zk
