#include "airport_params.h"

#include <cstring>

namespace zk {

AirportParams AirportDefaults() {
  AirportParams p{};
  p.borderVertical = 5;
  p.borderHorizontal = 5;
  p.gapVertical = 20;
  p.gapHorizontal = 10;
  p.tilesDown = 4;
  p.tilesAcross = 6;
  p.framesPerFlip = 8;
  p.angleSpread = 30;
  p.flapShading = 35;
  p.viewerDistance = 340;
  return p;
}

void WriteAirportDefaults(void* block) {
  const AirportParams d = AirportDefaults();
  std::memcpy(block, &d, sizeof d);
}

namespace {

const SettingField kAirportFields[] = {
    {"borderVertical", offsetof(AirportParams, borderVertical), SettingType::UInt8, 1, 0, 40,
     nullptr, "top and bottom margin, percent of the height"},
    {"borderHorizontal", offsetof(AirportParams, borderHorizontal), SettingType::UInt8, 1, 0, 40,
     nullptr, "left and right margin, percent of the width"},
    {"gapVertical", offsetof(AirportParams, gapVertical), SettingType::UInt8, 1, 0, 100, nullptr,
     "gap between tile rows, tenths of a percent of the height"},
    {"gapHorizontal", offsetof(AirportParams, gapHorizontal), SettingType::UInt8, 1, 0, 100,
     nullptr, "gap between tile columns, tenths of a percent of the width"},
    {"tilesDown", offsetof(AirportParams, tilesDown), SettingType::UInt8, 1, 1, 25, nullptr,
     "tile rows"},
    {"tilesAcross", offsetof(AirportParams, tilesAcross), SettingType::UInt8, 1, 1, 25, nullptr,
     "tiles in a row"},
    {"framesPerFlip", offsetof(AirportParams, framesPerFlip), SettingType::UInt8, 1, 1, 50, nullptr,
     "frames one flip lasts"},
    {"angleSpread", offsetof(AirportParams, angleSpread), SettingType::UInt8, 1, 0, 40, nullptr,
     "random spread of the flap angle, degrees"},
    {"flapShading", offsetof(AirportParams, flapShading), SettingType::UInt8, 1, 0, 100, nullptr,
     "strength of the flap shading, percent"},
    {"viewerDistance", offsetof(AirportParams, viewerDistance), SettingType::Int32, 4, 250, 1000,
     nullptr, "perspective distance of the flaps in pixels"},
};

}  // namespace

const SettingsSchema kAirportSchema = {
    "airport",
    sizeof(AirportParams),
    kAirportFields,
    static_cast<int32_t>(sizeof kAirportFields / sizeof kAirportFields[0]),
    WriteAirportDefaults,
    nullptr,
    0,
    nullptr,
};

}  // namespace zk
