// A double rounded to a 32-bit float, the rounding guaranteed to happen. Frames must come
// out the same from every compiler, and a plain cast is not enough for that: GCC 12 on
// x86-64, vectorizing a float stored and read back as double, folds the pair of vector
// conversions away and goes on with the unrounded double. The empty asm hands the rounded
// value over in an SSE register as a float, which no optimiser can see through, so every
// later use starts from the float.
#pragma once

namespace zk {

inline float RoundToFloat(double v) {
  float f = static_cast<float>(v);
#if defined(__GNUC__) && defined(__SSE_MATH__)
  asm("" : "+x"(f));
#endif
  return f;
}

}  // namespace zk
