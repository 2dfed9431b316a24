#include "rays_params.h"

#include <cstring>

#include "rays_ids.h"

namespace zk {
namespace {

// The trackbars count hundredths, the levels from the top (the top is 1).
constexpr ControlBinding Hundredths(int32_t id, int32_t label, Conversion conversion) {
  return Trackbar(id, label, 0, 100, 10, 10, conversion);
}

const SettingField kFields[] = {
    {ZK_FIELD(RaysParams, switchPoint, 0, Float32), 0, 1, nullptr,
     "progress at which the picture changes from scene A to scene B", 0.5,
     Hundredths(RAYS_SWITCH, RAYS_SWITCH_VALUE, Conversion::PercentTimesDouble)},
    {ZK_FIELD(RaysParams, riseExponent, 4, Int32), 1, 201, nullptr,
     "odd exponent of the threshold curve before the switch: larger is flatter in the middle", 5,
     Hundredths(RAYS_RISE_EXPONENT, RAYS_RISE_EXPONENT_VALUE, Conversion::OddSteps)},
    {ZK_FIELD(RaysParams, riseLevel, 8, Float32), 0, 1, nullptr,
     "height of the threshold curve's turning point before the switch", 0.333,
     Hundredths(RAYS_RISE_LEVEL, RAYS_RISE_LEVEL_VALUE, Conversion::PercentFromTop)},
    {ZK_FIELD(RaysParams, fallExponent, 12, Int32), 1, 201, nullptr,
     "odd exponent of the threshold curve after the switch", 5,
     Hundredths(RAYS_FALL_EXPONENT, RAYS_FALL_EXPONENT_VALUE, Conversion::OddSteps)},
    {ZK_FIELD(RaysParams, fallLevel, 16, Float32), 0, 1, nullptr,
     "height of the threshold curve's turning point after the switch", 0.333,
     Hundredths(RAYS_FALL_LEVEL, RAYS_FALL_LEVEL_VALUE, Conversion::PercentFromTop)},
    {ZK_FIELD(RaysParams, riseOnly, 20, UInt8), 0, 1, nullptr,
     "1: the dialog's graph draws one curve over its whole width (no effect on the picture)", 0},
    {ZK_FIELD(RaysParams, rayColor, 24, Colour), 0, 0, nullptr, "colour of the light", 0xFFFFFF,
     ColourButton(RAYS_COLOUR_BUTTON, {75, 284, 95, 304})},
    {ZK_FIELD(RaysParams, lightX, 28, Float32), 0, 100, nullptr,
     "light source column, percent of the width from the left", 50},
    {ZK_FIELD(RaysParams, lightY, 32, Float32), 0, 100, nullptr,
     "light source row, percent of the height from the bottom", 50},
    // The density's spinner is the dialog's own rule.
    {ZK_FIELD(RaysParams, density, 36, Int32), 0, 255, nullptr,
     "light added per lit pixel along a ray", 10},
};

const DialogLayout kDialog = {RAYS_DIALOG, /*closesOnEscape=*/true};

}  // namespace

void WriteRaysDefaults(void* block) { WriteSchemaDefaults(kRaysSchema, block); }

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

extern constexpr SettingsSchema kRaysSchema =
    MakeSchema<RaysParams>("rays", kFields, WriteRaysDefaults, &kDialog);

}  // namespace zk
