// The rays settings record as the host stores it (40 bytes, little-endian).
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

struct RaysParams {
  float switchPoint;     // progress at which the source picture changes from A to B
  int32_t riseExponent;  // odd exponent of the threshold curve before the switch
  float riseLevel;       // height of its flat turning point
  int32_t fallExponent;  // after the switch
  float fallLevel;
  uint8_t riseOnly;  // the dialog's graph draws one curve over its whole width
  uint8_t padding21[3];
  uint32_t rayColor;  // colour word of the light
  float lightX;       // light source column, percent of the width from the left
  float lightY;       // light source row, percent of the height from rectangle row 0
  int32_t density;    // light added per lit pixel along a ray
};

static_assert(sizeof(RaysParams) == 40, "rays record layout");

// Writes every field; the padding bytes keep what the host put there.
void WriteRaysDefaults(void* block);

// The record of a render call: the host's, or the defaults when it passed none.
RaysParams ReadRaysParams(const void* block);

extern const SettingsSchema kRaysSchema;

}  // namespace zk
