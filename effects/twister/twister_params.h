// Twister's settings record: 20 bytes owned by the host, edited in place by the dialog.
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

enum TwisterShading : int32_t {
  kTwisterNoShading = 0,
  kTwisterShadeToBackground = 1,
  kTwisterShadeToSpecial = 2,
};

struct TwisterParams {
  uint32_t backgroundColour;  // 0x00BBGGRR: uncovered area, and the shade in mode 1
  int32_t bendDegrees;        // total turn of a row: 180 or 540
  int32_t shadingMode;        // TwisterShading
  uint32_t specialColour;     // the shade in mode 2
  float turnTime;             // share of the transition one row needs for its turn
};

static_assert(sizeof(TwisterParams) == 20, "Twister settings record size");

// Black background and shade, a half turn, shading toward the background, 0.7 turn time.
void WriteTwisterDefaults(void* block);

extern const SettingsSchema kTwisterSchema;

}  // namespace zk
