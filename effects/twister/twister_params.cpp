#include "twister_params.h"

namespace zk {

void WriteTwisterDefaults(void* block) {
  TwisterParams* p = static_cast<TwisterParams*>(block);
  p->backgroundColour = 0x000000;
  p->bendDegrees = 180;
  p->shadingMode = kTwisterShadeToBackground;
  p->specialColour = 0x000000;
  p->turnTime = 0.7f;  // the float 0x3F333333, a hair below 0.7
}

namespace {

const SettingField kTwisterFields[] = {
    {"backgroundColour", offsetof(TwisterParams, backgroundColour), SettingType::Colour, 4, 0,
     0xFFFFFF, nullptr, "colour around the ribbon; the shade in shading mode 1"},
    {"bendDegrees", offsetof(TwisterParams, bendDegrees), SettingType::Int32, 4, 180, 540,
     "180,540", "total turn of every row in degrees"},
    {"shadingMode", offsetof(TwisterParams, shadingMode), SettingType::Int32, 4, 0, 2, nullptr,
     "0 no shading, 1 shade toward backgroundColour, 2 toward specialColour"},
    {"specialColour", offsetof(TwisterParams, specialColour), SettingType::Colour, 4, 0, 0xFFFFFF,
     nullptr, "the shade in shading mode 2"},
    {"turnTime", offsetof(TwisterParams, turnTime), SettingType::Float32, 4, 0, 1, nullptr,
     "share of the transition one row needs for its turn"},
};

}  // namespace

const SettingsSchema kTwisterSchema = {
    "twister",
    sizeof(TwisterParams),
    kTwisterFields,
    static_cast<int32_t>(sizeof kTwisterFields / sizeof kTwisterFields[0]),
    WriteTwisterDefaults,
    /*presetNames=*/nullptr,
    /*presetCount=*/0,
    /*applyPreset=*/nullptr,
};

}  // namespace zk
