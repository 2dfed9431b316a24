#include "arctan_degrees.h"

#include <cstring>
#include <limits>

#include "zmath.h"

namespace zk {
namespace {

uint64_t BitsOf(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

double FromBits(uint64_t u) {
  double x;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// The smallest t >= 0 with ArctanDegreesDirect(k, t) >= n, searched over the bit patterns
// of non-negative doubles (ordered like the numbers) between a guess's neighbours.
double FindStart(double k, int32_t n) {
  const double guess = Tan(n / k);
  uint64_t lo = BitsOf(guess * (1 - 1e-6));
  uint64_t hi = BitsOf(guess * (1 + 1e-6));
  if (!(guess > 0) || ArctanDegreesDirect(k, FromBits(lo)) >= n ||
      ArctanDegreesDirect(k, FromBits(hi)) < n) {
    lo = 0;
    hi = BitsOf(std::numeric_limits<double>::max());
  }
  // Invariant: value(lo) < n <= value(hi).
  while (hi - lo > 1) {
    const uint64_t mid = lo + (hi - lo) / 2;
    if (ArctanDegreesDirect(k, FromBits(mid)) >= n) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return FromBits(hi);
}

}  // namespace

int32_t ArctanDegreesDirect(double degreesPerRadian, double t) {
  return static_cast<int32_t>(Atan(t) * degreesPerRadian);
}

void MakeArctanDegreeSteps(double degreesPerRadian, ArctanDegreeSteps* steps) {
  steps->degreesPerRadian = degreesPerRadian;
  const double k = degreesPerRadian;
  steps->top = ArctanDegreesDirect(k, std::numeric_limits<double>::infinity());
  steps->start[0] = 0.0;
  for (int32_t n = 1; n <= steps->top; ++n) steps->start[n] = FindStart(k, n);
  steps->start[steps->top + 1] = std::numeric_limits<double>::infinity();
}

}  // namespace zk
