#include "chars_params.h"

#include "chars_ids.h"

namespace zk {
namespace {

const RadioChoice kMaps[] = {
    {CHARS_MAP_TYPEWRITER_10X16, 2}, {CHARS_MAP_TYPEWRITER_14X20, 3}, {CHARS_MAP_SIGNS_10X14, 4},
    {CHARS_MAP_BOLD_10X14, 0},       {CHARS_MAP_BOLD_18X26, 1},       {CHARS_MAP_SIGNS_16X20, 5},
};
const RadioChoice kSizing[] = {{CHARS_USE_CHAR_SIZE, 0}, {CHARS_FIXED_RATIO, 1}};

// The 0..1 values shown as the value x 100, truncated; a notification at the position shown
// stores nothing, so a value between two positions (0.7f shown as 69) or one the timing
// rule corrected (0.39000002 shown as 39) is not rounded to the trackbar's step.
constexpr ControlBinding Percent(int32_t id, int32_t label) {
  return KeepingUnmovedValue(Trackbar(id, label, 0, 100, 10, 10, Conversion::PercentFloatDivide));
}

// Cell sizes in hundredths of a percent, shown as percent with two decimals.
constexpr ControlBinding CellSize(int32_t id, int32_t label) {
  return Trackbar(id, label, 100, 3333, 1, 1, Conversion::Whole, LabelShows::Hundredths);
}

// Defaults: green characters on black, the 10 x 16 typewriter digits in fixed-size cells.
const SettingField kCharsFields[] = {
    {ZK_FIELD(CharsParams, backgroundColor, 0, Colour), 0, 0xFFFFFF, nullptr,
     "background of the rain; the colour scene A dims to", 0x000000,
     ColourButton(CHARS_BACKGROUND_BUTTON, {102, 57, 122, 77})},
    {ZK_FIELD(CharsParams, foregroundColor, 4, Colour), 0, 0xFFFFFF, nullptr,
     "colour of a character at full brightness", 0x0088FF88,
     ColourButton(CHARS_FOREGROUND_BUTTON, {102, 82, 122, 102})},
    // Any other map renders as the 10 x 16 typewriter digits, whose button it checks.
    {ZK_FIELD(CharsParams, charMap, 8, Int32), 0, 5, nullptr,
     "character map: 0/1 bold digits 10x14/18x26, 2/3 typewriter digits 10x16/14x20, "
     "4/5 angular signs 10x14/16x20",
     2,
     Radios(CHARS_MAP_TYPEWRITER_10X16, CHARS_MAP_SIGNS_16X20, kMaps, CHARS_MAP_TYPEWRITER_10X16)},
    {ZK_FIELD(CharsParams, randomizeChars, 12, UInt8), 0, 1, nullptr,
     "1: glyphs drawn from the running generator instead of the pool", 0,
     CheckBox(CHARS_RANDOMIZE)},
    {ZK_FIELD(CharsParams, slowDown, 13, UInt8), 0, 1, nullptr,
     "1: long transitions move half a cell row per frame", 0, CheckBox(CHARS_SLOW_DOWN)},
    {ZK_FIELD(CharsParams, applyGlow, 14, UInt8), 0, 1, nullptr, "1: the characters glow", 0,
     CheckBox(CHARS_GLOW)},
    {ZK_FIELD(CharsParams, dimOutEnd, 16, Float32), 0, 1, nullptr,
     "progress at which scene A has dimmed out and the rain starts", 0.12,
     Percent(CHARS_DIM_OUT, CHARS_DIM_OUT_LABEL)},
    {ZK_FIELD(CharsParams, blendBrightnessStart, 20, Float32), 0, 1, nullptr,
     "progress from which the characters take scene B's brightness", 0.4,
     Percent(CHARS_BLEND_BRIGHTNESS, CHARS_BLEND_BRIGHTNESS_LABEL)},
    {ZK_FIELD(CharsParams, blendSceneBStart, 24, Float32), 0, 1, nullptr,
     "progress from which the picture crossfades to scene B", 0.85,
     Percent(CHARS_BLEND_SCENE_B, CHARS_BLEND_SCENE_B_LABEL)},
    {ZK_FIELD(CharsParams, buildUpShare, 28, Float32), 0, 1, nullptr,
     "share of the late tape that fills the screen row by row", 0.5},
    {ZK_FIELD(CharsParams, decreaseFactor, 32, Float32), 0, 1, nullptr,
     "brightness factor from one trail row to the next", 0.86,
     Percent(CHARS_DECREASE, CHARS_DECREASE_LABEL)},
    {ZK_FIELD(CharsParams, minBrightness, 36, Float32), 0, 255, nullptr,
     "floor of a trail's brightness", 50,
     KeepingUnmovedValue(Trackbar(CHARS_MIN_BRIGHTNESS, CHARS_MIN_BRIGHTNESS_LABEL, 0, 255, 10, 10,
                                  Conversion::WholeFloat))},
    {ZK_FIELD(CharsParams, recreationRatio, 40, Float32), 0, 1, nullptr,
     "share of the columns that get a new head per tape row", 0.15,
     Percent(CHARS_RECREATION, CHARS_RECREATION_LABEL)},
    {ZK_FIELD(CharsParams, columnSize, 44, UInt16), 100, 3333, nullptr,
     "cell width in hundredths of a percent of the width (with fixedRatio)", 200,
     CellSize(CHARS_COLUMN_SIZE, CHARS_COLUMN_SIZE_LABEL)},
    {ZK_FIELD(CharsParams, rowSize, 46, UInt16), 100, 3333, nullptr,
     "cell height in hundredths of a percent of the height (with fixedRatio)", 400,
     CellSize(CHARS_ROW_SIZE, CHARS_ROW_SIZE_LABEL)},
    {ZK_FIELD(CharsParams, fixedRatio, 48, UInt8), 0, 1, nullptr,
     "1: cell size from columnSize and rowSize; 0: the glyph size", 1,
     Radios(CHARS_USE_CHAR_SIZE, CHARS_FIXED_RATIO, kSizing, CHARS_FIXED_RATIO)},
};

const DialogLayout kCharsDialog = {CHARS_DIALOG, /*closesOnEscape=*/true, CHARS_DEFAULTS_BUTTON};

}  // namespace

void WriteCharsDefaults(void* block) { WriteSchemaDefaults(kCharsSchema, block); }

CharsParams CharsDefaults() {
  CharsParams p{};
  WriteCharsDefaults(&p);
  return p;
}

extern constexpr SettingsSchema kCharsSchema =
    MakeSchema<CharsParams>("chars", kCharsFields, WriteCharsDefaults, &kCharsDialog);

}  // namespace zk
