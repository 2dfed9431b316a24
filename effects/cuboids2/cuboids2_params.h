// The settings record of the block transition as the host stores it (356 bytes), its
// defaults, the nine presets and the schema that names every field.
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

constexpr int32_t kCuboidsPathBytes = 260;

struct CuboidsParams {
  float impact;              // lighting scale of every face
  int32_t gloss;             // lighting exponent
  int32_t columns;           // blocks across
  int32_t rows;              // blocks down
  float duration;            // share of the transition one block moves
  float zMove;               // lift factor
  int32_t direction;         // direction code 1..20
  int32_t fixedRotation;     // 0: random pattern per block, 1: rotationPattern for all
  int32_t rotationPattern;   // 0..5
  int32_t outline;           // camera outline bit; no control sets it
  int32_t inverseZ;          // sink away instead of lifting
  int32_t backgroundType;    // 0 colour, 1 bitmap
  uint32_t backgroundColor;  // colour word 0x00BBGGRR
  char backgroundFile[kCuboidsPathBytes];
  float deep;  // block depth as a multiple of the cell width
  uint8_t unused[40];
};

static_assert(sizeof(CuboidsParams) == 356, "the host's record size");

// Applies preset `index`; an index outside 0..8 applies preset 0.
void ApplyCuboidsPreset(void* block, int32_t index);
// The host's defaults: preset 3, "wave".
void WriteCuboidsDefaults(void* block);

extern const SettingsSchema kCuboidsSchema;

}  // namespace zk
