// What the processor running the module offers beyond the SSE2 every build is made for.
#pragma once

namespace zk {

// True when the processor has AVX2 and the operating system saves the 256-bit registers
// across thread switches (without the second, the upper halves would be lost). Asked of
// the processor once per process.
bool HasAvx2();

}  // namespace zk
