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

// The byte fields have no type in the settings table; they are set through a whole block
// (--params-hex/--params-file).
const SettingField kAirportFields[] = {
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
