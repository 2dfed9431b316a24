#include "logo_params.h"

#include <cstring>

#include "logo_ids.h"
#include "logo_motion.h"

namespace zk {
namespace {

constexpr int32_t kPresetCount = 3;

struct Preset {
  LayerSettings layers[kLogoLayerCount];
  int32_t backgroundType;
};

// The floats are the single-precision values nearest the decimals.
const Preset kPresets[kPresetCount] = {
    // "massive motion": every layer swings out past a side or a corner.
    {{{1, 8, 0, 0, 0.0f, 0.4f, 0, {}},
      {1, 12, 0, 0, 0.5f, 0.9f, 0, {}},
      {1, 4, 0, 0, 0.1f, 0.5f, 0, {}},
      {1, 15, 0, 0, 0.6f, 1.0f, 0, {}}},
     kBackgroundColour},
    // "rotation": scene A's two layers spin away and show scene B on their backs.
    {{{1, 0, 2, 0, 0.0f, 0.6f, 1, {}}, {1, 0, 3, 0, 0.4f, 1.0f, 1, {}}, {}, {}}, kBackgroundColour},
    // "dissolve": scene A's background fades, then the lettering swings away over scene B.
    {{{1, 1, 6, 0, 0.27f, 1.0f, 0, {}}, {1, 0, 0, 1, 0.0f, 0.27f, 0, {}}, {}, {}},
     kBackgroundSceneB},
};

const char* const kPresetNames[kPresetCount] = {"massive motion", "rotation", "dissolve"};

// A share of the transition on a trackbar of hundredths, stored in steps of 0.01f.
constexpr ControlBinding Time(int32_t id, int32_t label) {
  return Trackbar(id, label, 0, 100, 10, 10, Conversion::PercentFloatStep, LabelShows::Value);
}

const RadioChoice kMaskSources[] = {{LOGO_MASK_INTERNAL, 0}, {LOGO_MASK_FILE, 1}};
const RadioChoice kBackgrounds[] = {{LOGO_BACKGROUND_COLOUR, kBackgroundColour},
                                    {LOGO_BACKGROUND_BITMAP, kBackgroundBitmap},
                                    {LOGO_BACKGROUND_SCENE_A, kBackgroundSceneA},
                                    {LOGO_BACKGROUND_SCENE_B, kBackgroundSceneB}};
constexpr const char* kBitmapFiles = "BMP-Files|*.bmp";

// clang-format off
// The first columns of a layer group's row: "<group>.<member>", its offset checked against
// the host's layout (40 bytes a group), its type and size.
#define LOGO_LAYER_FIELD(k, group, member, offsetInGroup, type)                              \
  group "." #member,                                                                         \
      CheckedOffset<offsetof(LogoParams, layers[k].member), 40 * k + offsetInGroup>(),       \
      SettingType::type, 4

// The rows of layer group k and its controls LOGO_<G>_USE, LOGO_<G>_MOTION, ...
#define LOGO_LAYER_ROWS(k, group, scene, G)                                                  \
  {LOGO_LAYER_FIELD(k, group, useLayer, 0, Int32), 0, 1, nullptr,                            \
   "1 moves and draws the " scene " layer", 0, CheckBox(G##_USE)},                           \
  {LOGO_LAYER_FIELD(k, group, motion, 4, Int32), 0, 16, nullptr,                             \
   "swing of the " scene " layer: 0 none, 1..8 front (top, top/right, right, bottom/right, " \
   "bottom, bottom/left, left, top/left), 9..16 back (the same order)", 0,                   \
   List(G##_MOTION, LOGO_FIRST_MOTION_STRING, kMotionCount)},                                \
  {LOGO_LAYER_FIELD(k, group, rotation, 8, Int32), 0, 6, nullptr,                            \
   "spin of the " scene " layer about the centre: 0 none, 1..6 pattern #1..#6", 0,           \
   List(G##_ROTATION, LOGO_FIRST_ROTATION_STRING, kPatternCount)},                           \
  {LOGO_LAYER_FIELD(k, group, dissolve, 12, Int32), 0, 1, nullptr,                           \
   "1 fades the " scene " layer while it moves", 0, CheckBox(G##_DISSOLVE)},                 \
  {LOGO_LAYER_FIELD(k, group, start, 16, Float32), 0, 1, nullptr,                            \
   "progress at which the " scene " layer starts to move", 0,                                \
   Time(G##_START, G##_START_LABEL)},                                                        \
  {LOGO_LAYER_FIELD(k, group, end, 20, Float32), 0, 1, nullptr,                              \
   "progress at which the " scene " layer has finished moving", 0,                           \
   Time(G##_END, G##_END_LABEL)},                                                            \
  {LOGO_LAYER_FIELD(k, group, alternateBack, 24, Int32), 0, 1, nullptr,                      \
   "1 shows the other scene on the back of the " scene " layer", 0, CheckBox(G##_ALTERNATE)}
// clang-format on

// The defaults are the first preset, so the rows carry none of their own.
const SettingField kLogoFields[] = {
    LOGO_LAYER_ROWS(0, "aFg", "scene A foreground", LOGO_AFG),
    LOGO_LAYER_ROWS(1, "aBg", "scene A background", LOGO_ABG),
    LOGO_LAYER_ROWS(2, "bFg", "scene B foreground", LOGO_BFG),
    LOGO_LAYER_ROWS(3, "bBg", "scene B background", LOGO_BBG),
    {ZK_FIELD(LogoParams, impact, 160, Float32), 0, 1, nullptr,
     "how strongly the light shades a turned layer", 0,
     Trackbar(LOGO_IMPACT, LOGO_IMPACT_LABEL, 0, 100, 1, 1, Conversion::PercentFloatStep)},
    {ZK_FIELD(LogoParams, shadeExponent, 164, Int32), 1, 5, nullptr,
     "exponent of the shading curve (no control sets it; every preset writes 1)"},
    {ZK_FIELD(LogoParams, maskSource, 168, Int32), 0, 1, nullptr,
     "0 the built-in YOUR / LOGO / HERE mask, 1 the picture in maskFile", 0,
     Radios(LOGO_MASK_INTERNAL, LOGO_MASK_FILE, kMaskSources, LOGO_MASK_INTERNAL)},
    {ZK_FIELD(LogoParams, maskFile, 172, Path), 0, 0, nullptr,
     "a .bmp file whose white parts are the foreground (grey covers partly)", 0,
     PathChooser(LOGO_MASK_PATH, LOGO_MASK_SELECT, kBitmapFiles)},
    {ZK_FIELD(LogoParams, backgroundType, 432, Int32), 0, 3, nullptr,
     "behind the layers: 0 backgroundColor, 1 the picture in backgroundFile, 2 scene A, "
     "3 scene B",
     0,
     Radios(LOGO_BACKGROUND_COLOUR, LOGO_BACKGROUND_BITMAP, kBackgrounds, LOGO_BACKGROUND_COLOUR)},
    {ZK_FIELD(LogoParams, backgroundColor, 436, Colour), 0, 0xFFFFFF, nullptr,
     "colour behind the layers", 0, ColourButtonOver(LOGO_COLOUR_SELECT, LOGO_SWATCH)},
    // The file chooser writes at most 260 bytes of the 300.
    {ZK_FIELD(LogoParams, backgroundFile, 440, Path), 0, 0, nullptr,
     "a .bmp file stretched behind the layers (the built-in mask picture when it cannot be read)",
     0, PathChooser(LOGO_BITMAP_PATH, LOGO_BITMAP_SELECT, kBitmapFiles, 260)},
};

#undef LOGO_LAYER_ROWS
#undef LOGO_LAYER_FIELD

const DialogLayout kLogoDialog = {LOGO_DIALOG,
                                  /*closesOnEscape=*/false,
                                  LOGO_RESET_DEFAULTS,
                                  /*defaultsAppliesFirstPreset=*/true,
                                  LOGO_PRESETS,
                                  LOGO_FIRST_PRESET_STRING,
                                  /*presetStrings=*/nullptr,
                                  LOGO_FIRST_PRESET_STRING};

}  // namespace

void ApplyLogoPreset(void* block, int32_t index) {
  LogoParams* p = static_cast<LogoParams*>(block);
  const Preset& s = kPresets[index == 1 || index == 2 ? index : 0];
  // Clearing the record empties both paths and the reserved bytes as well.
  std::memset(p, 0, sizeof *p);
  std::memcpy(p->layers, s.layers, sizeof p->layers);
  p->impact = 0.5f;
  p->shadeExponent = 1;
  p->backgroundType = s.backgroundType;
}

void WriteLogoDefaults(void* block) { ApplyLogoPreset(block, 0); }

extern constexpr SettingsSchema kLogoSchema = MakeSchema<LogoParams>(
    "logo", kLogoFields, WriteLogoDefaults, &kLogoDialog, kPresetNames, ApplyLogoPreset);

}  // namespace zk
