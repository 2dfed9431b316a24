#include "logo_params.h"

#include <cstring>

namespace zk {
namespace {

// Fields of a layer that a preset sets; the reserved bytes stay zero.
struct PresetLayer {
  int32_t useLayer, motion, rotation, dissolve;
  float start, end;
  int32_t alternateBack;
};

struct Preset {
  PresetLayer layers[kLogoLayerCount];
  int32_t backgroundType;
};

// The floats are the single-precision values nearest the decimals.
const Preset kPresets[kLogoPresetCount] = {
    // "massive motion": every layer swings out past a side or a corner.
    {{{1, 8, 0, 0, 0.0f, 0.4f, 0},
      {1, 12, 0, 0, 0.5f, 0.9f, 0},
      {1, 4, 0, 0, 0.1f, 0.5f, 0},
      {1, 15, 0, 0, 0.6f, 1.0f, 0}},
     kBackgroundColour},
    // "rotation": scene A's two layers spin away and show scene B on their backs.
    {{{1, 0, 2, 0, 0.0f, 0.6f, 1}, {1, 0, 3, 0, 0.4f, 1.0f, 1}, {}, {}}, kBackgroundColour},
    // "dissolve": scene A's background fades, then the lettering swings away over scene B.
    {{{1, 1, 6, 0, 0.27f, 1.0f, 0}, {1, 0, 0, 1, 0.0f, 0.27f, 0}, {}, {}}, kBackgroundSceneB},
};

}  // namespace

const char* const kLogoPresetNames[kLogoPresetCount] = {"massive motion", "rotation", "dissolve"};

void ApplyLogoPreset(void* block, int32_t index) {
  LogoParams* p = static_cast<LogoParams*>(block);
  const Preset& s = kPresets[index == 1 || index == 2 ? index : 0];
  // Clearing the record empties both paths and the reserved bytes as well.
  std::memset(p, 0, sizeof *p);
  for (int32_t k = 0; k < kLogoLayerCount; ++k) {
    const PresetLayer& from = s.layers[k];
    LayerSettings& to = p->layers[k];
    to.useLayer = from.useLayer;
    to.motion = from.motion;
    to.rotation = from.rotation;
    to.dissolve = from.dissolve;
    to.start = from.start;
    to.end = from.end;
    to.alternateBack = from.alternateBack;
  }
  p->impact = 0.5f;
  p->shadeExponent = 1;
  p->maskSource = 0;
  p->backgroundType = s.backgroundType;
  p->backgroundColor = 0;
}

void WriteLogoDefaults(void* block) { ApplyLogoPreset(block, 0); }

namespace {

#define LOGO_LAYER_FIELDS(prefix, k, scene)                                                        \
  {prefix ".useLayer",                                                                             \
   offsetof(LogoParams, layers[k].useLayer),                                                       \
   SettingType::Int32,                                                                             \
   4,                                                                                              \
   0,                                                                                              \
   1,                                                                                              \
   nullptr,                                                                                        \
   "1 moves and draws the " scene " layer"},                                                       \
      {prefix ".motion",                                                                           \
       offsetof(LogoParams, layers[k].motion),                                                     \
       SettingType::Int32,                                                                         \
       4,                                                                                          \
       0,                                                                                          \
       16,                                                                                         \
       nullptr,                                                                                    \
       "swing of the " scene                                                                       \
       " layer: 0 none, 1..8 front (top, top/right, right, bottom/right, "                         \
       "bottom, bottom/left, left, top/left), 9..16 back (the same order)"},                       \
      {prefix ".rotation",                                                                         \
       offsetof(LogoParams, layers[k].rotation),                                                   \
       SettingType::Int32,                                                                         \
       4,                                                                                          \
       0,                                                                                          \
       6,                                                                                          \
       nullptr,                                                                                    \
       "spin of the " scene " layer about the centre: 0 none, 1..6 pattern #1..#6"},               \
      {prefix ".dissolve",                                                                         \
       offsetof(LogoParams, layers[k].dissolve),                                                   \
       SettingType::Int32,                                                                         \
       4,                                                                                          \
       0,                                                                                          \
       1,                                                                                          \
       nullptr,                                                                                    \
       "1 fades the " scene " layer while it moves"},                                              \
      {prefix ".start",                                                                            \
       offsetof(LogoParams, layers[k].start),                                                      \
       SettingType::Float32,                                                                       \
       4,                                                                                          \
       0,                                                                                          \
       1,                                                                                          \
       nullptr,                                                                                    \
       "progress at which the " scene " layer starts to move"},                                    \
      {prefix ".end",                                                                              \
       offsetof(LogoParams, layers[k].end),                                                        \
       SettingType::Float32,                                                                       \
       4,                                                                                          \
       0,                                                                                          \
       1,                                                                                          \
       nullptr,                                                                                    \
       "progress at which the " scene " layer has finished moving"},                               \
  {                                                                                                \
    prefix ".alternateBack", offsetof(LogoParams, layers[k].alternateBack), SettingType::Int32, 4, \
        0, 1, nullptr, "1 shows the other scene on the back of the " scene " layer"                \
  }

const SettingField kLogoFields[] = {
    LOGO_LAYER_FIELDS("aFg", 0, "scene A foreground"),
    LOGO_LAYER_FIELDS("aBg", 1, "scene A background"),
    LOGO_LAYER_FIELDS("bFg", 2, "scene B foreground"),
    LOGO_LAYER_FIELDS("bBg", 3, "scene B background"),
    {"impact", offsetof(LogoParams, impact), SettingType::Float32, 4, 0, 1, nullptr,
     "how strongly the light shades a turned layer"},
    {"shadeExponent", offsetof(LogoParams, shadeExponent), SettingType::Int32, 4, 1, 5, nullptr,
     "exponent of the shading curve (no control sets it; every preset writes 1)"},
    {"maskSource", offsetof(LogoParams, maskSource), SettingType::Int32, 4, 0, 1, nullptr,
     "0 the built-in YOUR / LOGO / HERE mask, 1 the picture in maskFile"},
    {"maskFile", offsetof(LogoParams, maskFile), SettingType::Path, kLogoMaskPathBytes, 0, 0,
     nullptr, "a .bmp file whose white parts are the foreground (grey covers partly)"},
    {"backgroundType", offsetof(LogoParams, backgroundType), SettingType::Int32, 4, 0, 3, nullptr,
     "behind the layers: 0 backgroundColor, 1 the picture in backgroundFile, 2 scene A, "
     "3 scene B"},
    {"backgroundColor", offsetof(LogoParams, backgroundColor), SettingType::Colour, 4, 0, 0xFFFFFF,
     nullptr, "colour behind the layers"},
    {"backgroundFile", offsetof(LogoParams, backgroundFile), SettingType::Path,
     kLogoBackgroundPathBytes, 0, 0, nullptr,
     "a .bmp file stretched behind the layers (the built-in mask picture when it cannot be read)"},
};

#undef LOGO_LAYER_FIELDS

}  // namespace

const SettingsSchema kLogoSchema = {
    "logo",
    sizeof(LogoParams),
    kLogoFields,
    static_cast<int32_t>(sizeof kLogoFields / sizeof kLogoFields[0]),
    WriteLogoDefaults,
    kLogoPresetNames,
    kLogoPresetCount,
    ApplyLogoPreset,
};

}  // namespace zk
