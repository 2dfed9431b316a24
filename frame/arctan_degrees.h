// Whole-degree arctangents without an arctangent per pixel: trunc(Atan(t) * degreesPerRadian)
// takes only the values -90 .. 90, so one frame finds the argument where each whole degree
// begins (a search on Atan itself) and a pixel's value follows from comparisons with those.
// Arguments within a millionth of such a start are worked out with Atan as before, so the
// result is that of the direct formula for every argument, not just nearly all.
#pragma once

#include <cstdint>

namespace zk {

struct ArctanDegreeSteps {
  double degreesPerRadian;
  int32_t top;  // the largest whole degree any argument reaches
  // start[n] (1 <= n <= top): the smallest t >= 0 whose value is at least n; start[0] = 0
  // and start[top + 1] = infinity close the table.
  double start[184];
};

// degreesPerRadian must lie between 1 and 114 (whole degrees up to 180).
void MakeArctanDegreeSteps(double degreesPerRadian, ArctanDegreeSteps* steps);

// static_cast<int32_t>(Atan(t) * degreesPerRadian) computed directly: the reference.
int32_t ArctanDegreesDirect(double degreesPerRadian, double t);

// Arguments this close to the start of a degree (relative) are worked out directly. Atan is
// good to an ulp, so its truncated value can only disagree with the exact arctangent's
// where t lies within about 3e-9 (relative, near 90 degrees; far less elsewhere) of the
// exact start; the table's starts are found on Atan itself and lie in that band too.
constexpr double kArctanDegreeBand = 1e-6;

// The same value through the table. `hint` carries the last magnitude found between calls
// (start it at 0); neighbouring pixels then need only a comparison or two.
inline int32_t ArctanDegrees(const ArctanDegreeSteps& steps, double t, int32_t* hint) {
  const bool negative = t < 0;
  const double m = negative ? -t : t;
  // NaN and infinities are left to Atan.
  if (!(m <= 1.7976931348623157e308)) return ArctanDegreesDirect(steps.degreesPerRadian, t);
  int32_t n = *hint;
  while (m >= steps.start[n + 1]) ++n;
  while (m < steps.start[n]) --n;
  *hint = n;
  if (m < steps.start[n] * (1 + kArctanDegreeBand) ||
      m >= steps.start[n + 1] * (1 - kArctanDegreeBand)) {
    return ArctanDegreesDirect(steps.degreesPerRadian, t);
  }
  // Atan is odd to the bit, so a negative argument has the negated value.
  return negative ? -n : n;
}

}  // namespace zk
