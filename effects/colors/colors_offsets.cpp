#include "colors_offsets.h"

#include <cmath>

#include "saturating_trunc.h"
#include "zmath.h"

namespace zk {
namespace {

constexpr double kRadiansPerDegree = 0.017453294444444444;

// Whole degrees, one turn taken off past 360. Wide so that a wild progress cannot overflow.
int64_t WrapDegrees(int64_t degrees) { return degrees > 360 ? degrees - 360 : degrees; }

ChannelOffset OffsetAlong(int64_t degrees, int32_t distance) {
  const double radians = static_cast<double>(degrees) * kRadiansPerDegree;
  const double s = Sin(radians);
  const double c = Cos(radians);
  ChannelOffset o;
  o.x = SaturatingTrunc(-s * distance);
  o.line = SaturatingTrunc(c * distance + o.x * s);
  return o;
}

}  // namespace

ColorsLayout LayOutColorChannels(uint32_t variantFlags, float p, int32_t width, int32_t lines) {
  ColorsLayout layout;
  layout.movingIsB = variantFlags == kColorsVariantFlyIn;
  const double diagonal =
      std::sqrt(static_cast<double>(lines) * lines + static_cast<double>(width) * width);
  const double travel = layout.movingIsB ? 1.0 - p : static_cast<double>(p);
  const int32_t distance = SaturatingTrunc(-(travel * diagonal));
  // At the end of its travel the moving scene has left the rectangle. The truncated
  // offsets fall a line or two short of that on tall narrow or tiny rectangles (a whole
  // turn of the first channel leaves its cosine a hair under 1), so the end is taken as
  // it is meant: background only.
  layout.movingHasLeft = travel >= 1.0;
  const int64_t first = SaturatingTrunc(p * 360.0);
  const int64_t degrees[3] = {first, WrapDegrees(first + 120), WrapDegrees(first + 240)};
  for (int k = 0; k < 3; ++k) layout.channel[k] = OffsetAlong(degrees[k], distance);
  return layout;
}

}  // namespace zk
