// The host's progress is meant to lie in [0, 1]. Effects whose sizes, counts or weights
// would run wild (or whose float-to-integer conversions would be undefined) for values
// outside it read it through this: a value inside is returned unchanged, one outside is
// held at the nearer end, and NaN counts as 0.
#pragma once

namespace zk {

inline float UnitProgress(float p) {
  if (p > 1.0f) return 1.0f;
  return p >= 0.0f ? p : 0.0f;
}

}  // namespace zk
