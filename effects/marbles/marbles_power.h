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

}  // namespace zk
