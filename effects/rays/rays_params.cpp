#include "rays_params.h"

#include <cstring>

namespace zk {

void WriteRaysDefaults(void* block) {
  auto* p = static_cast<RaysParams*>(block);
  p->switchPoint = 0.5f;
  p->riseExponent = 5;
  p->riseLevel = 0.333f;
  p->fallExponent = 5;
  p->fallLevel = 0.333f;
  p->riseOnly = 0;
  p->rayColor = 0x00FFFFFF;
  p->lightX = 50.0f;
  p->lightY = 50.0f;
  p->density = 10;
}

RaysParams ReadRaysParams(const void* block) {
  RaysParams p;
  std::memset(&p, 0, sizeof p);
  if (block == nullptr) {
    WriteRaysDefaults(&p);
  } else {
    std::memcpy(&p, block, sizeof p);
  }
  return p;
}

namespace {

const SettingField kFields[] = {
    {"switchPoint", 0, SettingType::Float32, 4, 0, 1, nullptr,
     "progress at which the picture changes from scene A to scene B"},
    {"riseExponent", 4, SettingType::Int32, 4, 1, 201, nullptr,
     "odd exponent of the threshold curve before the switch: larger is flatter in the middle"},
    {"riseLevel", 8, SettingType::Float32, 4, 0, 1, nullptr,
     "height of the threshold curve's turning point before the switch"},
    {"fallExponent", 12, SettingType::Int32, 4, 1, 201, nullptr,
     "odd exponent of the threshold curve after the switch"},
    {"fallLevel", 16, SettingType::Float32, 4, 0, 1, nullptr,
     "height of the threshold curve's turning point after the switch"},
    {"riseOnly", 20, SettingType::UInt8, 1, 0, 1, nullptr,
     "1: the dialog's graph draws one curve over its whole width (no effect on the picture)"},
    {"rayColor", 24, SettingType::Colour, 4, 0, 0, nullptr, "colour of the light"},
    {"lightX", 28, SettingType::Float32, 4, 0, 100, nullptr,
     "light source column, percent of the width from the left"},
    {"lightY", 32, SettingType::Float32, 4, 0, 100, nullptr,
     "light source row, percent of the height from the bottom"},
    {"density", 36, SettingType::Int32, 4, 0, 255, nullptr,
     "light added per lit pixel along a ray"},
};

}  // namespace

const SettingsSchema kRaysSchema = {
    "rays",
    sizeof(RaysParams),
    kFields,
    static_cast<int32_t>(sizeof kFields / sizeof kFields[0]),
    WriteRaysDefaults,
    nullptr,
    0,
    nullptr,
};

}  // namespace zk
