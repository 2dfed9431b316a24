// The settings record of the character rain, as the host stores it (52 bytes).
#pragma once

#include <cstddef>
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
static_assert(offsetof(CharsParams, foregroundColor) == 4, "chars settings layout");
static_assert(offsetof(CharsParams, charMap) == 8, "chars settings layout");
static_assert(offsetof(CharsParams, randomizeChars) == 12, "chars settings layout");
static_assert(offsetof(CharsParams, slowDown) == 13, "chars settings layout");
static_assert(offsetof(CharsParams, applyGlow) == 14, "chars settings layout");
static_assert(offsetof(CharsParams, dimOutEnd) == 16, "chars settings layout");
static_assert(offsetof(CharsParams, blendBrightnessStart) == 20, "chars settings layout");
static_assert(offsetof(CharsParams, blendSceneBStart) == 24, "chars settings layout");
static_assert(offsetof(CharsParams, buildUpShare) == 28, "chars settings layout");
static_assert(offsetof(CharsParams, decreaseFactor) == 32, "chars settings layout");
static_assert(offsetof(CharsParams, minBrightness) == 36, "chars settings layout");
static_assert(offsetof(CharsParams, recreationRatio) == 40, "chars settings layout");
static_assert(offsetof(CharsParams, columnSize) == 44, "chars settings layout");
static_assert(offsetof(CharsParams, rowSize) == 46, "chars settings layout");
static_assert(offsetof(CharsParams, fixedRatio) == 48, "chars settings layout");

// Writes every field of the record; the padding bytes keep what the host put there.
void WriteCharsDefaults(void* block);
CharsParams CharsDefaults();

// The timing values the dialog keeps in order, each at least this far from its neighbours.
constexpr float kCharsTimingStep = 0.01f;

// The dialog's timing rule after one of the three timing values was moved; returns true
// when the moved value had to be corrected.
enum class CharsTiming { DimOutEnd, BlendBrightnessStart, BlendSceneBStart };
bool KeepCharsTimingOrder(CharsParams* params, CharsTiming moved);

extern const SettingsSchema kCharsSchema;

}  // namespace zk
