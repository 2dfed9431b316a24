#include "shaft_bars.h"

#include <cstring>

#include "zmath.h"

namespace zk {
namespace {

constexpr double kLeanRadians = 0.3490655555555556;  // 20 degrees
constexpr float kBarDelay = 0.06f;                   // start of one bar after the previous
constexpr float kBarRate = 2.5f;                     // a bar takes 0.4 to reach full width
constexpr float kHeightRate = 2.857142925f;          // full height after 0.35 of its time
constexpr int32_t kCentreOutSlots[kShaftBarCount] = {4, 5, 3, 6, 2, 7, 1, 8, 0, 9};

}  // namespace

ShaftLayout MakeShaftLayout(int32_t width, int32_t lines, uint32_t variant) {
  ShaftLayout s;
  s.width = width;
  s.lines = lines;
  s.fromCentre = variant == kShaftFromCentre;
  s.lean = static_cast<int32_t>(-lines * Sin(kLeanRadians));
  const int32_t leanLines = static_cast<int32_t>(lines * Cos(kLeanRadians));
  // A single line has no height to lean over.
  s.slope = leanLines != 0 ? static_cast<float>(s.lean) / static_cast<float>(leanLines) : 0.0f;
  const double stretch = s.fromCentre ? 1.7 : 1.2;
  s.slotWidth = static_cast<int32_t>((width - s.lean * stretch) * 0.1);
  return s;
}

int32_t ShaftSlot(uint32_t variant, int32_t k) {
  switch (variant) {
    case kShaftRightToLeft:
      return kShaftBarCount - 1 - k;
    case kShaftFromSides:
      return k % 2 == 0 ? k / 2 : kShaftBarCount - 1 - k / 2;
    case kShaftFromCentre:
      return kCentreOutSlots[k];
    default:  // left to right, also for values the host does not send
      return k;
  }
}

void DrawShaftBar(const ShaftLayout& s, int32_t k, int32_t slot, float p, uint8_t* mask) {
  // Local progress in single precision: the last bar then reaches 1 at p = 0.94 exactly.
  float lp = (p - static_cast<float>(k) * kBarDelay) * kBarRate;
  if (lp > 1) lp = 1;
  const int32_t bw = s.slotWidth;
  const int32_t w = static_cast<int32_t>(0.25 * bw + (0.75 * bw) * lp);
  int32_t height = static_cast<int32_t>(s.lines * static_cast<double>(lp) * kHeightRate);
  if (height > s.lines) height = s.lines;
  for (int32_t r = 0; r < height; ++r) {
    int32_t xs =
        static_cast<int32_t>(r * static_cast<double>(s.slope)) - w / 2 + bw / 2 + slot * bw;
    if (s.fromCentre) xs = static_cast<int32_t>(s.lean * 0.55 + xs);
    int32_t x1 = xs + w;
    const int32_t x0 = xs < 0 ? 0 : xs;
    if (x1 >= s.width) x1 = s.width - 1;
    if (x0 <= x1) std::memset(mask + static_cast<size_t>(r) * s.width + x0, 255, x1 - x0 + 1);
  }
}

}  // namespace zk
