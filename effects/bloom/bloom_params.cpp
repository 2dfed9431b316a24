#include "bloom_params.h"

#include <cstring>

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

const SettingField kFields[] = {
    {"bloomMode", offsetof(BloomParams, bloomMode), SettingType::Int32, 4, 0, 4, nullptr,
     "0 crossfade, 1 bloom white, 2 bloom black, 3 noise black and white, 4 noise colour"},
    {"bloomDirection", offsetof(BloomParams, bloomDirection), SettingType::Int32, 4, 0, 20, nullptr,
     "order of the pixels: 0-20 (1 left to right, 6 circle outwards, 11 clockwise ...)"},
    {"bloomDuration", offsetof(BloomParams, bloomDuration), SettingType::Float32, 4, 0.01, 1.0,
     nullptr, "share of the transition one pixel needs: 0.01 a hard wipe, 1 all at once"},
};

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

const SettingsSchema kBloomSchema = {
    "bloom",
    sizeof(BloomParams),
    kFields,
    static_cast<int32_t>(sizeof kFields / sizeof kFields[0]),
    WriteBloomDefaults,
    kBloomPresetNames,
    kBloomPresetCount,
    ApplyBloomPreset,
};

}  // namespace zk
