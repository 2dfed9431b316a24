// The host may call us with any SSE rounding or flush-to-zero setting. Each entry point
// runs with the default control word and gives the host's back on return, so a frame
// never depends on the caller's floating-point state.
#pragma once

#include <xmmintrin.h>

namespace zk {

class ScopedDefaultFloatEnvironment {
 public:
  ScopedDefaultFloatEnvironment() : saved_(_mm_getcsr()) { _mm_setcsr(kDefaultMxcsr); }
  ~ScopedDefaultFloatEnvironment() { _mm_setcsr(saved_); }
  ScopedDefaultFloatEnvironment(const ScopedDefaultFloatEnvironment&) = delete;
  ScopedDefaultFloatEnvironment& operator=(const ScopedDefaultFloatEnvironment&) = delete;

 private:
  static constexpr unsigned kDefaultMxcsr = 0x1F80;  // all exceptions masked, round to nearest
  unsigned saved_;
};

}  // namespace zk
