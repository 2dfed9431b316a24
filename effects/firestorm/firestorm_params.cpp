#include "firestorm_params.h"

#include <cstring>

namespace zk {

void WriteFirestormDefaults(void* block) {
  FirestormParams p;
  std::memset(&p, 0, sizeof p);
  p.edgeSensitivity = 20;
  p.flameSpeed = 2;
  p.allEdgeDetection = 0;
  p.visibleHotSpots = 0;
  p.hotSpotShare = 0.4f;
  p.flameVariation = 0.0f;
  p.hotSpotRampEnd = 0.01f;
  p.crossfadeStart = 0.13f;
  p.crossfadeEnd = 0.23f;
  p.hotSpotEnd = 0.32f;
  p.flameFadeStart = 0.93f;
  std::memcpy(block, &p, sizeof p);
}

namespace {

const SettingField kFields[] = {
    {"edgeSensitivity", 0, SettingType::UInt8, 1, 0, 255, nullptr,
     "edge threshold for hot spots: larger needs a stronger edge"},
    {"flameSpeed", 1, SettingType::UInt8, 1, 1, 3, nullptr, "rows the fire rises per frame"},
    {"allEdgeDetection", 4, SettingType::Int32, 4, 0, 1, nullptr,
     "1: test every pixel for a hot spot; 0: test a random share"},
    {"visibleHotSpots", 8, SettingType::Int32, 4, 0, 1, nullptr,
     "1: hot spots show at once at full heat"},
    {"hotSpotShare", 12, SettingType::Float32, 4, 0, 1, nullptr,
     "chance that a pixel is tested for a hot spot"},
    {"flameVariation", 16, SettingType::Float32, 4, 0, 1, nullptr,
     "weakens the flames: 1 switches them off"},
    {"hotSpotRampEnd", 20, SettingType::Float32, 4, 0, 1, nullptr,
     "progress until which the hot-spot chance grows"},
    {"crossfadeStart", 24, SettingType::Float32, 4, 0, 1, nullptr,
     "progress at which the crossfade starts"},
    {"crossfadeEnd", 28, SettingType::Float32, 4, 0, 1, nullptr,
     "progress at which the crossfade ends"},
    {"hotSpotEnd", 32, SettingType::Float32, 4, 0, 1, nullptr,
     "no new hot spots after this progress"},
    {"flameFadeStart", 36, SettingType::Float32, 4, 0, 1, nullptr,
     "progress from which the flames fade out"},
};

}  // namespace

const SettingsSchema kFirestormSchema = {
    "firestorm",
    sizeof(FirestormParams),
    kFields,
    static_cast<int32_t>(sizeof kFields / sizeof kFields[0]),
    WriteFirestormDefaults,
    nullptr,
    0,
    nullptr,
};

}  // namespace zk
