// A quick arctangent for code that checks its own results: close to the true value (within
// about 1e-15 radians) but not bit for bit Atan. Effects use it where a quantity derived
// from the angle is truncated to an integer, and call Atan itself for the rare pixels whose
// value lies too close to an integer step for the estimate to decide it.
#pragma once

namespace zk {

// The angle whose tangent is y / x, for x != 0: -pi/2 .. pi/2.
double ArctanEstimate(double y, double x);

// Bound on |ArctanEstimate(y, x) - atan(y / x)| in radians that callers may rely on (the
// tests check it with a wide margin).
constexpr double kArctanEstimateError = 1e-13;

}  // namespace zk
