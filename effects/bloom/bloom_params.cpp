#include "bloom_params.h"

#include <cstring>

#include "bloom_ids.h"

namespace zk {
namespace {

struct PresetRow {
  int32_t mode;
  int32_t direction;
  float duration;
};

// Durations are the floats nearest 0.5, 0.25, 1 and 0.01 (0x3C23D70A).
constexpr PresetRow kPresetRows[kBloomPresetCount] = {
    {kBloomWhite, 6, 0.5f},      {kBloomWhite, 10, 0.25f},     {kBloomCrossfade, 5, 0.25f},
    {kBloomCrossfade, 0, 1.0f},  {kBloomWhite, 0, 1.0f},       {kBloomBlack, 0, 1.0f},
    {kBloomCrossfade, 1, 0.01f}, {kBloomCrossfade, 2, 0.01f},  {kBloomCrossfade, 3, 0.01f},
    {kBloomCrossfade, 4, 0.01f}, {kBloomCrossfade, 11, 0.01f}, {kBloomCrossfade, 12, 0.01f},
};

// The mode buttons are not numbered in one run; modes past them check the last one,
// although they render as a crossfade.
const RadioChoice kModes[] = {{BLOOM_MODE_CROSSFADE, kBloomCrossfade},
                              {BLOOM_MODE_WHITE, kBloomWhite},
                              {BLOOM_MODE_BLACK, kBloomBlack},
                              {BLOOM_MODE_NOISE_GREY, kBloomNoiseGrey},
                              {BLOOM_MODE_NOISE_COLOUR, kBloomNoiseColour}};

// Direction 0 orders like "leftright" but shows "circleout", as do unknown directions.
const RadioChoice kDirections[] = {
    {BLOOM_DIR_LEFTRIGHT, 1},    {BLOOM_DIR_RIGHTLEFT, 2}, {BLOOM_DIR_TOPBOTTOM, 3},
    {BLOOM_DIR_BOTTOMTOP, 4},    {BLOOM_DIR_CIRCLEIN, 5},  {BLOOM_DIR_CIRCLEOUT, 6},
    {BLOOM_DIR_HORZIN, 7},       {BLOOM_DIR_HORZOUT, 8},   {BLOOM_DIR_VERTIN, 9},
    {BLOOM_DIR_VERTOUT, 10},     {BLOOM_DIR_ROTRIGHT, 11}, {BLOOM_DIR_ROTLEFT, 12},
    {BLOOM_DIR_BOTTOMLEFT, 13},  {BLOOM_DIR_TOPRIGHT, 14}, {BLOOM_DIR_TOPLEFT, 15},
    {BLOOM_DIR_BOTTOMRIGHT, 16}, {BLOOM_DIR_LEFTOUT, 17},  {BLOOM_DIR_RIGHTIN, 18},
    {BLOOM_DIR_RIGHTOUT, 19},    {BLOOM_DIR_LEFTIN, 20},
};

// The defaults are preset 0.
const SettingField kFields[] = {
    {ZK_FIELD(BloomParams, bloomMode, 0, Int32), 0, 4, nullptr,
     "0 crossfade, 1 bloom white, 2 bloom black, 3 noise black and white, 4 noise colour",
     kBloomWhite, ScatteredRadios(kModes, BLOOM_MODE_NOISE_COLOUR)},
    {ZK_FIELD(BloomParams, bloomDirection, 4, Int32), 0, 20, nullptr,
     "order of the pixels: 0-20 (1 left to right, 6 circle outwards, 11 clockwise ...)", 6,
     RefreshingDialog(Radios(BLOOM_FIRST_DIRECTION_BUTTON, BLOOM_LAST_DIRECTION_BUTTON, kDirections,
                             BLOOM_DIR_CIRCLEOUT))},
    {ZK_FIELD(BloomParams, bloomDuration, 8, Float32), 0.01, 1.0, nullptr,
     "share of the transition one pixel needs: 0.01 a hard wipe, 1 all at once", 0.5,
     Trackbar(BLOOM_DURATION, BLOOM_DURATION_LABEL, 1, 100, 10, 10, Conversion::PercentTimesFloat,
              LabelShows::Value)},
};

const DialogLayout kBloomDialog = {BLOOM_DIALOG,
                                   /*closesOnEscape=*/true,
                                   BLOOM_DEFAULTS_BUTTON,
                                   /*defaultsAppliesFirstPreset=*/true,
                                   BLOOM_PRESET_LIST,
                                   BLOOM_FIRST_PRESET_STRING,
                                   /*presetStrings=*/nullptr,
                                   BLOOM_FIRST_PRESET_STRING};

}  // namespace

const char* const kBloomPresetNames[kBloomPresetCount] = {
    "preset #0",          "preset #1",          "preset #2",          "Crossfade",
    "White Flash",        "Black Flash",        "Wipe left to right", "Wipe right to left",
    "Wipe top to bottom", "Wipe bottom to top", "Wipe clockwise",     "Wipe counter clockwise",
};

void ApplyBloomPreset(void* block, int32_t index) {
  if (index < 1 || index >= kBloomPresetCount) index = 0;
  BloomParams params;
  std::memset(&params, 0, sizeof params);
  params.bloomMode = kPresetRows[index].mode;
  params.bloomDirection = kPresetRows[index].direction;
  params.bloomDuration = kPresetRows[index].duration;
  std::memcpy(block, &params, sizeof params);
}

void WriteBloomDefaults(void* block) { ApplyBloomPreset(block, 0); }

extern constexpr SettingsSchema kBloomSchema = MakeSchema<BloomParams>(
    "bloom", kFields, WriteBloomDefaults, &kBloomDialog, kBloomPresetNames, ApplyBloomPreset);

}  // namespace zk
