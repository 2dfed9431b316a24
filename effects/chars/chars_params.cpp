#include "chars_params.h"

#include <cstring>

namespace zk {

CharsParams CharsDefaults() {
  CharsParams p{};
  p.backgroundColor = 0x000000;
  p.foregroundColor = 0x0088FF88;
  p.charMap = 2;
  p.randomizeChars = 0;
  p.slowDown = 0;
  p.applyGlow = 0;
  p.dimOutEnd = 0.12f;
  p.blendBrightnessStart = 0.4f;
  p.blendSceneBStart = 0.85f;
  p.buildUpShare = 0.5f;
  p.decreaseFactor = 0.86f;
  p.minBrightness = 50.0f;
  p.recreationRatio = 0.15f;
  p.columnSize = 200;
  p.rowSize = 400;
  p.fixedRatio = 1;
  return p;
}

void WriteCharsDefaults(void* block) {
  // Field by field, so the padding bytes 15 and 49..51 stay as the host left them.
  const CharsParams d = CharsDefaults();
  auto* p = static_cast<CharsParams*>(block);
  p->backgroundColor = d.backgroundColor;
  p->foregroundColor = d.foregroundColor;
  p->charMap = d.charMap;
  p->randomizeChars = d.randomizeChars;
  p->slowDown = d.slowDown;
  p->applyGlow = d.applyGlow;
  p->dimOutEnd = d.dimOutEnd;
  p->blendBrightnessStart = d.blendBrightnessStart;
  p->blendSceneBStart = d.blendSceneBStart;
  p->buildUpShare = d.buildUpShare;
  p->decreaseFactor = d.decreaseFactor;
  p->minBrightness = d.minBrightness;
  p->recreationRatio = d.recreationRatio;
  p->columnSize = d.columnSize;
  p->rowSize = d.rowSize;
  p->fixedRatio = d.fixedRatio;
}

bool KeepCharsTimingOrder(CharsParams* p, CharsTiming moved) {
  // Single-precision steps, as the stored fields are floats.
  bool corrected = false;
  float* value = nullptr;
  switch (moved) {
    case CharsTiming::DimOutEnd:
      value = &p->dimOutEnd;
      if (*value >= p->blendBrightnessStart) {
        *value = p->blendBrightnessStart - kCharsTimingStep;
        corrected = true;
      }
      if (*value >= p->blendSceneBStart) {
        *value = p->blendSceneBStart - kCharsTimingStep;
        corrected = true;
      }
      break;
    case CharsTiming::BlendBrightnessStart:
      value = &p->blendBrightnessStart;
      if (!(*value > p->dimOutEnd)) {
        *value = p->dimOutEnd + kCharsTimingStep;
        corrected = true;
      }
      if (*value >= p->blendSceneBStart) {
        *value = p->blendSceneBStart - kCharsTimingStep;
        corrected = true;
      }
      break;
    case CharsTiming::BlendSceneBStart:
      value = &p->blendSceneBStart;
      if (!(*value > p->dimOutEnd)) {
        *value = p->dimOutEnd + kCharsTimingStep;
        corrected = true;
      }
      if (!(*value > p->blendBrightnessStart)) {
        *value = p->blendBrightnessStart + kCharsTimingStep;
        corrected = true;
      }
      break;
  }
  return corrected;
}

namespace {

const SettingField kCharsFields[] = {
    {"backgroundColor", offsetof(CharsParams, backgroundColor), SettingType::Colour, 4, 0, 0xFFFFFF,
     nullptr, "background of the rain; the colour scene A dims to"},
    {"foregroundColor", offsetof(CharsParams, foregroundColor), SettingType::Colour, 4, 0, 0xFFFFFF,
     nullptr, "colour of a character at full brightness"},
    {"charMap", offsetof(CharsParams, charMap), SettingType::Int32, 4, 0, 5, nullptr,
     "character map: 0/1 bold digits 10x14/18x26, 2/3 typewriter digits 10x16/14x20, "
     "4/5 angular signs 10x14/16x20"},
    {"randomizeChars", offsetof(CharsParams, randomizeChars), SettingType::UInt8, 1, 0, 1, nullptr,
     "1: glyphs drawn from the running generator instead of the pool"},
    {"slowDown", offsetof(CharsParams, slowDown), SettingType::UInt8, 1, 0, 1, nullptr,
     "1: long transitions move half a cell row per frame"},
    {"applyGlow", offsetof(CharsParams, applyGlow), SettingType::UInt8, 1, 0, 1, nullptr,
     "1: the characters glow"},
    {"dimOutEnd", offsetof(CharsParams, dimOutEnd), SettingType::Float32, 4, 0, 1, nullptr,
     "progress at which scene A has dimmed out and the rain starts"},
    {"blendBrightnessStart", offsetof(CharsParams, blendBrightnessStart), SettingType::Float32, 4,
     0, 1, nullptr, "progress from which the characters take scene B's brightness"},
    {"blendSceneBStart", offsetof(CharsParams, blendSceneBStart), SettingType::Float32, 4, 0, 1,
     nullptr, "progress from which the picture crossfades to scene B"},
    {"buildUpShare", offsetof(CharsParams, buildUpShare), SettingType::Float32, 4, 0, 1, nullptr,
     "share of the late tape that fills the screen row by row"},
    {"decreaseFactor", offsetof(CharsParams, decreaseFactor), SettingType::Float32, 4, 0, 1,
     nullptr, "brightness factor from one trail row to the next"},
    {"minBrightness", offsetof(CharsParams, minBrightness), SettingType::Float32, 4, 0, 255,
     nullptr, "floor of a trail's brightness"},
    {"recreationRatio", offsetof(CharsParams, recreationRatio), SettingType::Float32, 4, 0, 1,
     nullptr, "share of the columns that get a new head per tape row"},
    {"columnSize", offsetof(CharsParams, columnSize), SettingType::UInt16, 2, 100, 3333, nullptr,
     "cell width in hundredths of a percent of the width (with fixedRatio)"},
    {"rowSize", offsetof(CharsParams, rowSize), SettingType::UInt16, 2, 100, 3333, nullptr,
     "cell height in hundredths of a percent of the height (with fixedRatio)"},
    {"fixedRatio", offsetof(CharsParams, fixedRatio), SettingType::UInt8, 1, 0, 1, nullptr,
     "1: cell size from columnSize and rowSize; 0: the glyph size"},
};

}  // namespace

const SettingsSchema kCharsSchema = {
    "chars",
    sizeof(CharsParams),
    kCharsFields,
    static_cast<int32_t>(sizeof kCharsFields / sizeof kCharsFields[0]),
    WriteCharsDefaults,
    nullptr,
    0,
    nullptr,
};

}  // namespace zk
