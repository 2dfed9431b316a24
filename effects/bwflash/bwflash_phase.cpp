#include "bwflash_phase.h"

#include "unit_progress.h"

namespace zk {
namespace {

// Phase ends and slopes are single-precision constants; the arithmetic on them is double.
constexpr float kDarkEnd = 0.25f;         // scene A reaches black
constexpr float kRiseEnd = 0.435f;        // scene B has risen out of black
constexpr float kFlashPeak = 0.62f;       // the flash is at its strongest
constexpr float kRiseSlope = 5.4054055f;  // 1 / 0.185
constexpr float kFadeSlope = 2.6315789f;  // 1 / 0.38

}  // namespace

float FlashStrength(uint32_t extraFlags) {
  if (extraFlags & kFlashStrength09) return 0.9f;
  if (extraFlags & kFlashStrength08) return 0.8f;
  if (extraFlags & kFlashStrength06) return 0.6f;
  return 1.0f;
}

FlashPhase ChooseFlashPhase(float hostProgress, uint32_t extraFlags) {
  // Outside [0, 1] the weights would leave every byte range; the ends hold there instead.
  const float progress = UnitProgress(hostProgress);
  const double p = progress;
  const double g = FlashStrength(extraFlags);
  if (progress <= kDarkEnd) return FlashPhase{false, 0.0, 4.0 * p};
  if (progress <= kRiseEnd) return FlashPhase{true, 0.0, 1.0 - (p - kDarkEnd) * kRiseSlope};
  if (progress <= kFlashPeak) return FlashPhase{true, 255.0, g * (p - kRiseEnd) * kRiseSlope};
  return FlashPhase{true, 255.0, g * (1.0 - (p - kFlashPeak) * kFadeSlope)};
}

}  // namespace zk
