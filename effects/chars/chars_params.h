// The settings record of the character rain, as the host stores it (52 bytes).
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

struct CharsParams {
  uint32_t backgroundColor;  // colour word: background of the rain, what scene A dims to
  uint32_t foregroundColor;  // colour word of a character at full brightness
  int32_t charMap;           // 0..5; any other value shows the 10 x 16 typewriter digits
  uint8_t randomizeChars;    // glyphs from the running generator instead of the pool
  uint8_t slowDown;          // long transitions: half a cell row per frame
  uint8_t applyGlow;
  uint8_t padding15;
  float dimOutEnd;             // progress at which scene A has dimmed out and the rain starts
  float blendBrightnessStart;  // progress from which cells follow scene B's brightness
  float blendSceneBStart;      // progress from which the picture crossfades to scene B
  float buildUpShare;          // share of the tape after the brightness row that builds up
  float decreaseFactor;        // brightness factor from one trail row to the next
  float minBrightness;         // floor of a trail's brightness, 0..255
  float recreationRatio;       // share of the columns that get a new head per tape row
  uint16_t columnSize;         // cell width in hundredths of a percent of the width
  uint16_t rowSize;            // cell height in hundredths of a percent of the height
  uint8_t fixedRatio;          // 1: cell size from columnSize/rowSize; 0: the glyph size
  uint8_t padding49[3];
};

static_assert(sizeof(CharsParams) == 52, "chars settings record size");

// Writes every field of the record; the padding bytes keep what the host put there.
void WriteCharsDefaults(void* block);
CharsParams CharsDefaults();

extern const SettingsSchema kCharsSchema;

}  // namespace zk
