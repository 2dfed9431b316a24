// The firestorm settings record as the host stores it (140 bytes, little-endian).
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

struct FirestormParams {
  uint8_t edgeSensitivity;  // edge threshold for hot spots, 0..255
  uint8_t flameSpeed;       // rows the fire rises per frame, 1..3
  uint8_t padding2[2];
  int32_t allEdgeDetection;  // nonzero: every pixel is tested for a hot spot
  int32_t visibleHotSpots;   // nonzero: hot spots are set after the fire step
  float hotSpotShare;        // chance that a pixel is tested when not testing all
  float flameVariation;      // overlay gain is (1 - flameVariation) * 3
  float hotSpotRampEnd;      // progress until which the test chance grows to hotSpotShare
  float crossfadeStart;
  float crossfadeEnd;
  float hotSpotEnd;       // no new hot spots after this progress
  float flameFadeStart;   // the overlay fades out from here to progress 1
  uint8_t reserved[100];  // never read
};

static_assert(sizeof(FirestormParams) == 140, "firestorm record layout");

// Zeroes all 140 bytes, then writes the defaults.
void WriteFirestormDefaults(void* block);

extern const SettingsSchema kFirestormSchema;

}  // namespace zk
