#include "cuboids2_params.h"

#include "cuboids2_ids.h"

namespace zk {
namespace {

constexpr int32_t kPresetCount = 9;
constexpr int32_t kDefaultPreset = 3;  // "wave"
constexpr int32_t kFirstPresetString = 104;

struct Preset {
  int32_t direction, columns, rows, fixedRotation, rotationPattern;
  float duration, zMove;
  int32_t inverseZ;
  float deep;
  uint32_t backgroundColor;
};

// The floats are the single-precision values nearest the decimals.
const Preset kPresets[kPresetCount] = {
    {1, 1, 1, 1, 2, 1.0f, 0.0f, 0, 0.5f, 0},
    {3, 1, 21, 1, 5, 0.7f, 0.0f, 0, 0.5f, 0},
    {1, 21, 1, 1, 2, 0.7f, 0.0f, 0, 0.5f, 0},
    {6, 12, 12, 0, 0, 0.3f, 0.2f, 0, 0.5f, 0},
    {3, 21, 21, 0, 0, 0.7f, 1.0f, 0, 0.5f, 0},
    {3, 1, 21, 1, 0, 0.6f, 0.0f, 0, 0.5f, 0},
    {5, 21, 1, 1, 2, 0.7f, 0.0f, 0, 0.5f, 0},
    {1, 1, 1, 1, 1, 1.0f, 1.0f, 1, 0.01f, 0x8000FF},
    {1, 1, 1, 1, 5, 1.0f, 1.0f, 1, 0.75f, 0xFF0080},
};

const char* const kPresetNames[kPresetCount] = {
    "big block",      "weird slices 1", "weird slices 2", "wave",    "high fly",
    "twisted slices", "weird slices 3", "Brisel 1",       "Brisel 2"};

// The direction buttons in id order and the code each stands for; a code without a button
// shows the "centre out" button.
const RadioChoice kDirections[] = {{1032, 1},  {1033, 2},  {1034, 3},  {1035, 4},  {1036, 5},
                                   {1037, 6},  {1038, 10}, {1039, 9},  {1040, 8},  {1041, 7},
                                   {1042, 11}, {1043, 12}, {1044, 13}, {1045, 14}, {1046, 15},
                                   {1047, 16}, {1048, 17}, {1049, 18}, {1050, 19}, {1051, 20}};
constexpr int32_t kCentreOutButton = 1037;

const RadioChoice kRotations[] = {{CUBOIDS_RANDOM_ROTATION, 0}, {CUBOIDS_FIXED_ROTATION, 1}};
const RadioChoice kPatterns[] = {{1024, 0}, {1025, 1}, {1026, 2}, {1027, 3}, {1028, 4}, {1029, 5}};
const RadioChoice kBackgrounds[] = {{CUBOIDS_BACKGROUND_COLOUR, 0}, {CUBOIDS_BACKGROUND_BITMAP, 1}};

// A 0..1 float on a trackbar of hundredths, stored in steps of 0.01f.
constexpr ControlBinding Hundredths(int32_t id, int32_t label) {
  return Trackbar(id, label, 0, 100, 1, 1, Conversion::PercentFloatStep);
}

// The defaults are a preset, so the rows carry none of their own.
const SettingField kCuboidsFields[] = {
    {ZK_FIELD(CuboidsParams, impact, 0, Float32), 0, 1, nullptr,
     "how strongly the light shades every face", 0,
     Hundredths(CUBOIDS_IMPACT, CUBOIDS_IMPACT_LABEL)},
    {ZK_FIELD(CuboidsParams, gloss, 4, Int32), 1, 5, nullptr, "exponent of the lighting curve", 0,
     Trackbar(CUBOIDS_GLOSS, CUBOIDS_GLOSS_LABEL, 1, 5, 10, 10, Conversion::Whole)},
    {ZK_FIELD(CuboidsParams, columns, 8, Int32), 1, 100, nullptr, "blocks across", 0,
     Trackbar(CUBOIDS_COLUMNS, CUBOIDS_COLUMNS_LABEL, 1, 100, 10, 10, Conversion::Whole)},
    {ZK_FIELD(CuboidsParams, rows, 12, Int32), 1, 100, nullptr, "blocks down", 0,
     Trackbar(CUBOIDS_ROWS, CUBOIDS_ROWS_LABEL, 1, 100, 10, 10, Conversion::Whole)},
    {ZK_FIELD(CuboidsParams, duration, 16, Float32), 0, 1, nullptr,
     "share of the transition one block takes to turn over", 0,
     Hundredths(CUBOIDS_DURATION, CUBOIDS_DURATION_LABEL)},
    {ZK_FIELD(CuboidsParams, zMove, 20, Float32), 0, 1, nullptr,
     "how far a block lifts towards the viewer while it turns", 0,
     Hundredths(CUBOIDS_ZMOVE, CUBOIDS_ZMOVE_LABEL)},
    {ZK_FIELD(CuboidsParams, direction, 24, Int32), 1, 20, nullptr,
     "order in which the blocks start: 1 right to left ... 20 (see the dialog's buttons)", 0,
     Radios(CUBOIDS_DIRECTION_FIRST, CUBOIDS_DIRECTION_LAST, kDirections, kCentreOutButton)},
    {ZK_FIELD(CuboidsParams, fixedRotation, 28, Int32), 0, 1, nullptr,
     "0 a random turn per block, 1 rotationPattern for every block", 0,
     Radios(CUBOIDS_RANDOM_ROTATION, CUBOIDS_FIXED_ROTATION, kRotations, CUBOIDS_FIXED_ROTATION)},
    {ZK_FIELD(CuboidsParams, rotationPattern, 32, Int32), 0, 5, nullptr,
     "the turn every block makes when fixedRotation is 1", 0,
     Radios(CUBOIDS_PATTERN_FIRST, CUBOIDS_PATTERN_LAST, kPatterns, CUBOIDS_PATTERN_FIRST)},
    {ZK_FIELD(CuboidsParams, outline, 36, Int32), 0, 1, nullptr,
     "1 draws the edges of every face white"},
    {ZK_FIELD(CuboidsParams, inverseZ, 40, Int32), 0, 1, nullptr,
     "1 lets the blocks sink away instead of lifting", 0, CheckBox(CUBOIDS_INVERSE_Z)},
    {ZK_FIELD(CuboidsParams, backgroundType, 44, Int32), 0, 1, nullptr,
     "0 backgroundColor behind the blocks, 1 the picture in backgroundFile", 0,
     Radios(CUBOIDS_BACKGROUND_COLOUR, CUBOIDS_BACKGROUND_BITMAP, kBackgrounds,
            CUBOIDS_BACKGROUND_COLOUR)},
    {ZK_FIELD(CuboidsParams, backgroundColor, 48, Colour), 0, 0xFFFFFF, nullptr,
     "colour behind the blocks", 0, ColourButton(CUBOIDS_COLOUR_SELECT, {147, 470, 167, 490})},
    {ZK_FIELD(CuboidsParams, backgroundFile, 52, Path), 0, 0, nullptr,
     "a .bmp file stretched behind the blocks", 0,
     PathChooser(CUBOIDS_BITMAP_PATH, CUBOIDS_BITMAP_SELECT, "BMP-Files|*.bmp")},
    {ZK_FIELD(CuboidsParams, deep, 312, Float32), 0.01, 2, nullptr,
     "block depth as a multiple of the block width", 0,
     Trackbar(CUBOIDS_DEEP, CUBOIDS_DEEP_LABEL, 1, 200, 10, 10, Conversion::PercentFloatStep,
              LabelShows::Value)},
};

// "Reset Defaults" gives the first preset, not the host's defaults.
const DialogLayout kCuboidsDialog = {CUBOIDS_DIALOG,
                                     /*closesOnEscape=*/false,
                                     CUBOIDS_RESET_DEFAULTS,
                                     /*defaultsAppliesFirstPreset=*/true,
                                     CUBOIDS_PRESETS,
                                     kFirstPresetString + kDefaultPreset,
                                     /*presetStrings=*/nullptr,
                                     kFirstPresetString};

}  // namespace

void ApplyCuboidsPreset(void* block, int32_t index) {
  CuboidsParams* p = static_cast<CuboidsParams*>(block);
  const Preset& s = kPresets[index >= 0 && index < kPresetCount ? index : 0];
  // Every preset resets shading and background; the path is cleared by its first byte.
  p->impact = 0.5f;
  p->gloss = 1;
  p->outline = 0;
  p->backgroundType = 0;
  p->backgroundFile[0] = '\0';
  p->direction = s.direction;
  p->columns = s.columns;
  p->rows = s.rows;
  p->fixedRotation = s.fixedRotation;
  p->rotationPattern = s.rotationPattern;
  p->duration = s.duration;
  p->zMove = s.zMove;
  p->inverseZ = s.inverseZ;
  p->deep = s.deep;
  p->backgroundColor = s.backgroundColor;
}

void WriteCuboidsDefaults(void* block) { ApplyCuboidsPreset(block, kDefaultPreset); }

extern constexpr SettingsSchema kCuboidsSchema =
    MakeSchema<CuboidsParams>("cuboids2", kCuboidsFields, WriteCuboidsDefaults, &kCuboidsDialog,
                              kPresetNames, ApplyCuboidsPreset);

}  // namespace zk
