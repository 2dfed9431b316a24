// The bloom settings record (52 bytes, persisted by the host), its presets and its schema.
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

// How one pixel passes from scene A to scene B.
enum BloomMode : int32_t {
  kBloomCrossfade = 0,
  kBloomWhite = 1,
  kBloomBlack = 2,
  kBloomNoiseGrey = 3,
  kBloomNoiseColour = 4,
};

struct BloomParams {
  int32_t bloomMode;       // BloomMode; any other value renders as a crossfade
  int32_t bloomDirection;  // 0 to 20: the order in which pixels start
  float bloomDuration;     // share of the transition one pixel needs, 0.01 to 1
  uint8_t unused12[40];    // written as zero, never read
};
static_assert(sizeof(BloomParams) == 52, "BloomParams layout");

constexpr int32_t kBloomPresetCount = 12;

// Clears the record and writes preset `index`; indexes outside 1..11 (-1 included) give 0.
void ApplyBloomPreset(void* block, int32_t index);
// The defaults are preset 0.
void WriteBloomDefaults(void* block);

extern const char* const kBloomPresetNames[kBloomPresetCount];
extern const SettingsSchema kBloomSchema;

}  // namespace zk
