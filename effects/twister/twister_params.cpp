#include "twister_params.h"

#include "twister_ids.h"

namespace zk {
namespace {

const RadioChoice kBends[] = {{TWISTER_BEND_180, 180}, {TWISTER_BEND_540, 540}};
const RadioChoice kShadings[] = {{TWISTER_SHADE_BACKGROUND, kTwisterShadeToBackground},
                                 {TWISTER_SHADE_SPECIAL, kTwisterShadeToSpecial},
                                 {TWISTER_SHADE_NONE, kTwisterNoShading}};

// Defaults: black background and shade, a half turn, shading toward the background, and a
// turn time of 0.7f (the float 0x3F333333, a hair below 0.7).
const SettingField kTwisterFields[] = {
    {ZK_FIELD(TwisterParams, backgroundColour, 0, Colour), 0, 0xFFFFFF, nullptr,
     "colour around the ribbon; the shade in shading mode 1", 0x000000,
     ColourButton(TWISTER_BACKGROUND_BUTTON, {93, 32, 113, 52})},
    {ZK_FIELD(TwisterParams, bendDegrees, 4, Int32), 180, 540, "180,540",
     "total turn of every row in degrees", 180,
     Radios(TWISTER_BEND_180, TWISTER_BEND_540, kBends, TWISTER_BEND_540)},
    {ZK_FIELD(TwisterParams, shadingMode, 8, Int32), 0, 2, nullptr,
     "0 no shading, 1 shade toward backgroundColour, 2 toward specialColour",
     kTwisterShadeToBackground,
     Radios(TWISTER_SHADE_BACKGROUND, TWISTER_SHADE_NONE, kShadings, TWISTER_SHADE_NONE)},
    {ZK_FIELD(TwisterParams, specialColour, 12, Colour), 0, 0xFFFFFF, nullptr,
     "the shade in shading mode 2", 0x000000,
     ColourButton(TWISTER_SPECIAL_BUTTON, {222, 100, 242, 120})},
    {ZK_FIELD(TwisterParams, turnTime, 16, Float32), 0, 1, nullptr,
     "share of the transition one row needs for its turn", 0.7,
     Trackbar(TWISTER_TURN_TIME, TWISTER_TURN_TIME_LABEL, 0, 100, 10, 10,
              Conversion::PercentDivide)},
};

const DialogLayout kTwisterDialog = {TWISTER_DIALOG, /*closesOnEscape=*/true,
                                     TWISTER_DEFAULTS_BUTTON};

}  // namespace

void WriteTwisterDefaults(void* block) { WriteSchemaDefaults(kTwisterSchema, block); }

extern constexpr SettingsSchema kTwisterSchema =
    MakeSchema<TwisterParams>("twister", kTwisterFields, WriteTwisterDefaults, &kTwisterDialog);

}  // namespace zk
