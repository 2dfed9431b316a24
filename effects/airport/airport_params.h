// The settings record of the split-flap board, as the host stores it (56 bytes).
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

struct AirportParams {
  uint8_t borderVertical;    // top and bottom margin, percent of the height
  uint8_t borderHorizontal;  // left and right margin, percent of the width
  uint8_t gapVertical;       // gap between tile rows, tenths of a percent of the height
  uint8_t gapHorizontal;     // gap between tile columns, tenths of a percent of the width
  uint8_t tilesDown;         // tile rows
  uint8_t tilesAcross;       // tiles in a row
  uint8_t framesPerFlip;     // frames one flip lasts
  uint8_t angleSpread;       // random spread of the flap angle, degrees
  uint8_t flapShading;       // strength of the flap shading, percent
  uint8_t padding9[3];
  int32_t viewerDistance;  // perspective distance in pixels
  uint8_t reserved[40];    // never read
};

static_assert(sizeof(AirportParams) == 56, "airport settings record size");

// Zeroes the whole record, then writes the defaults.
void WriteAirportDefaults(void* block);
AirportParams AirportDefaults();

extern const SettingsSchema kAirportSchema;

}  // namespace zk
