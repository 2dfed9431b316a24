// Where in the flash a frame lies: which scene is shown, the level it is pulled toward
// (black or white) and how far.
#pragma once

#include <cstdint>

namespace zk {

// extraFlags bits of the flash strength, strongest test first.
constexpr uint32_t kFlashStrength09 = 0x40;
constexpr uint32_t kFlashStrength08 = 0x20;
constexpr uint32_t kFlashStrength06 = 0x10;

struct FlashPhase {
  bool showsSceneB;
  double target;  // 0 (black) or 255 (white)
  double weight;  // out = trunc((target - s) * weight + s)
};

// Flash strength from the host's extra word: 0.9, 0.8, 0.6 or (no bit) 1.
float FlashStrength(uint32_t extraFlags);

FlashPhase ChooseFlashPhase(float progress, uint32_t extraFlags);

}  // namespace zk
