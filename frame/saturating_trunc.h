// Truncation toward zero for values that come from host numbers (progress and the sizes
// derived from it). A value out of the int32 range, or NaN, would make the plain cast
// undefined; here it saturates (NaN gives 0), so a wild progress never turns into a wild
// address. Inside the range the result is the plain cast.
#pragma once

#include <cstdint>

namespace zk {

inline int32_t SaturatingTrunc(double v) {
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  if (v != v) return 0;
  return static_cast<int32_t>(v);
}

}  // namespace zk
