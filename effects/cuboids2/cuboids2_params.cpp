#include "cuboids2_params.h"

namespace zk {
namespace {

struct Preset {
  int32_t direction, columns, rows, fixedRotation, rotationPattern;
  float duration, zMove;
  int32_t inverseZ;
  float deep;
  uint32_t backgroundColor;
};

// The floats are the single-precision values nearest the decimals.
const Preset kPresets[kCuboidsPresetCount] = {
    {1, 1, 1, 1, 2, 1.0f, 0.0f, 0, 0.5f, 0},
    {3, 1, 21, 1, 5, 0.7f, 0.0f, 0, 0.5f, 0},
    {1, 21, 1, 1, 2, 0.7f, 0.0f, 0, 0.5f, 0},
    {6, 12, 12, 0, 0, 0.3f, 0.2f, 0, 0.5f, 0},
    {3, 21, 21, 0, 0, 0.7f, 1.0f, 0, 0.5f, 0},
    {3, 1, 21, 1, 0, 0.6f, 0.0f, 0, 0.5f, 0},
    {5, 21, 1, 1, 2, 0.7f, 0.0f, 0, 0.5f, 0},
    {1, 1, 1, 1, 1, 1.0f, 1.0f, 1, 0.01f, 0x8000FF},
    {1, 1, 1, 1, 5, 1.0f, 1.0f, 1, 0.75f, 0xFF0080},
};

}  // namespace

const char* const kCuboidsPresetNames[kCuboidsPresetCount] = {
    "big block",      "weird slices 1", "weird slices 2", "wave",    "high fly",
    "twisted slices", "weird slices 3", "Brisel 1",       "Brisel 2"};

void ApplyCuboidsPreset(void* block, int32_t index) {
  CuboidsParams* p = static_cast<CuboidsParams*>(block);
  const Preset& s = kPresets[index >= 0 && index < kCuboidsPresetCount ? index : 0];
  // Every preset resets shading and background; the path is cleared by its first byte.
  p->impact = 0.5f;
  p->gloss = 1;
  p->outline = 0;
  p->backgroundType = 0;
  p->backgroundFile[0] = '\0';
  p->direction = s.direction;
  p->columns = s.columns;
  p->rows = s.rows;
  p->fixedRotation = s.fixedRotation;
  p->rotationPattern = s.rotationPattern;
  p->duration = s.duration;
  p->zMove = s.zMove;
  p->inverseZ = s.inverseZ;
  p->deep = s.deep;
  p->backgroundColor = s.backgroundColor;
}

void WriteCuboidsDefaults(void* block) { ApplyCuboidsPreset(block, kCuboidsDefaultPreset); }

namespace {

const SettingField kCuboidsFields[] = {
    {"impact", offsetof(CuboidsParams, impact), SettingType::Float32, 4, 0, 1, nullptr,
     "how strongly the light shades every face"},
    {"gloss", offsetof(CuboidsParams, gloss), SettingType::Int32, 4, 1, 5, nullptr,
     "exponent of the lighting curve"},
    {"columns", offsetof(CuboidsParams, columns), SettingType::Int32, 4, 1, 100, nullptr,
     "blocks across"},
    {"rows", offsetof(CuboidsParams, rows), SettingType::Int32, 4, 1, 100, nullptr, "blocks down"},
    {"duration", offsetof(CuboidsParams, duration), SettingType::Float32, 4, 0, 1, nullptr,
     "share of the transition one block takes to turn over"},
    {"zMove", offsetof(CuboidsParams, zMove), SettingType::Float32, 4, 0, 1, nullptr,
     "how far a block lifts towards the viewer while it turns"},
    {"direction", offsetof(CuboidsParams, direction), SettingType::Int32, 4, 1, 20, nullptr,
     "order in which the blocks start: 1 right to left ... 20 (see the dialog's buttons)"},
    {"fixedRotation", offsetof(CuboidsParams, fixedRotation), SettingType::Int32, 4, 0, 1, nullptr,
     "0 a random turn per block, 1 rotationPattern for every block"},
    {"rotationPattern", offsetof(CuboidsParams, rotationPattern), SettingType::Int32, 4, 0, 5,
     nullptr, "the turn every block makes when fixedRotation is 1"},
    {"outline", offsetof(CuboidsParams, outline), SettingType::Int32, 4, 0, 1, nullptr,
     "1 draws the edges of every face white"},
    {"inverseZ", offsetof(CuboidsParams, inverseZ), SettingType::Int32, 4, 0, 1, nullptr,
     "1 lets the blocks sink away instead of lifting"},
    {"backgroundType", offsetof(CuboidsParams, backgroundType), SettingType::Int32, 4, 0, 1,
     nullptr, "0 backgroundColor behind the blocks, 1 the picture in backgroundFile"},
    {"backgroundColor", offsetof(CuboidsParams, backgroundColor), SettingType::Colour, 4, 0,
     0xFFFFFF, nullptr, "colour behind the blocks"},
    {"backgroundFile", offsetof(CuboidsParams, backgroundFile), SettingType::Path,
     kCuboidsPathBytes, 0, 0, nullptr, "a .bmp file stretched behind the blocks"},
    {"deep", offsetof(CuboidsParams, deep), SettingType::Float32, 4, 0.01, 2, nullptr,
     "block depth as a multiple of the block width"},
};

}  // namespace

const SettingsSchema kCuboidsSchema = {
    "cuboids2",           sizeof(CuboidsParams),
    kCuboidsFields,       static_cast<int32_t>(sizeof kCuboidsFields / sizeof kCuboidsFields[0]),
    WriteCuboidsDefaults, kCuboidsPresetNames,
    kCuboidsPresetCount,  ApplyCuboidsPreset,
};

}  // namespace zk
