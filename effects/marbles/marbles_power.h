// x to a small whole power, bit for bit what zk::Pow returns, several times faster: the
// lighting raises one value per pixel to the gloss.
#pragma once

#include <cstdint>

namespace zk {

// zk::Pow(x, n). For 1 <= n <= 16 and x between 2^-30 and 2^30 the power is formed in
// double-double; where that value lies so close to a rounding boundary that zk::Pow's own
// error (under 2^-90 of the result) could put it on the other side, and for every other
// argument, zk::Pow itself is called.
double WholePower(double x, int32_t n);

// Plain double products give x^n to within n * 2^-53 of its value, and WholePower is the
// power rounded once; so WholePower lies within 2^-45 of the product, relatively. Where
// everything the lighting makes of the power is the same at both ends of that interval,
// the products settle the result without WholePower. Both answer false outside
// 1 <= n <= 16, 2^-30 <= x <= 2^30 (NaN included).
inline bool PowerInterval(double x, int32_t n, double* lo, double* hi) {
  if (n < 1 || n > 16 || !(x >= 0x1p-30 && x <= 0x1p30)) return false;
  double y = x;
  for (int32_t k = 1; k < n; ++k) y *= x;
  const double margin = y * 0x1p-45;
  *lo = y - margin;
  *hi = y + margin;
  return true;
}

// static_cast<float>(WholePower(x, n)) when the whole interval rounds to one float.
inline bool WholePowerAsFloat(double x, int32_t n, float* v) {
  double lo, hi;
  if (!PowerInterval(x, n, &lo, &hi)) return false;
  const float a = static_cast<float>(lo);
  if (a != static_cast<float>(hi)) return false;
  *v = a;
  return true;
}

}  // namespace zk
