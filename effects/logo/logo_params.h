// The settings record of the logo transition as the host stores it (740 bytes): four
// layer groups, shading, the mask source and the background; its three presets, the
// defaults (the first preset) and the schema that names every field.
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

constexpr int32_t kLogoMaskPathBytes = 260;
constexpr int32_t kLogoBackgroundPathBytes = 300;

// One of the four layers: a scene's foreground or background cut out by the mask.
struct LayerSettings {
  int32_t useLayer;       // 1: the layer is moved and drawn
  int32_t motion;         // 0..16, the swing about a pivot beside the frame
  int32_t rotation;       // 0..6, the spin about the frame centre
  int32_t dissolve;       // 1: the layer fades as it moves
  float start;            // the layer's time span within the transition, 0..1
  float end;              //
  int32_t alternateBack;  // 1: the layer's back shows the other scene
  uint8_t reserved[12];
};

static_assert(sizeof(LayerSettings) == 40, "the host's layer group");

// Layer groups in record order.
enum LogoLayer : int32_t {
  kSceneAForeground = 0,
  kSceneABackground = 1,
  kSceneBForeground = 2,
  kSceneBBackground = 3,
  kLogoLayerCount = 4,
};

inline bool IsSceneALayer(int32_t layer) { return layer <= kSceneABackground; }
inline bool IsBackgroundLayer(int32_t layer) { return (layer & 1) != 0; }

enum LogoBackground : int32_t {
  kBackgroundColour = 0,
  kBackgroundBitmap = 1,
  kBackgroundSceneA = 2,
  kBackgroundSceneB = 3,
};

struct LogoParams {
  LayerSettings layers[kLogoLayerCount];
  float impact;           // shading strength, 0..1
  int32_t shadeExponent;  // exponent of the shading curve; always 1
  int32_t maskSource;     // 0 the built-in mask, 1 the picture in maskFile
  char maskFile[kLogoMaskPathBytes];
  int32_t backgroundType;    // LogoBackground
  uint32_t backgroundColor;  // colour word 0x00BBGGRR
  char backgroundFile[kLogoBackgroundPathBytes];
};

static_assert(sizeof(LogoParams) == 740, "the host's record size");

// The settings table begins with the layer groups' rows, this many a group in group
// order, "useLayer" first.
constexpr int32_t kLogoRowsPerLayer = 7;

// Clears the whole record and applies preset `index`; any index but 1 and 2 gives 0.
void ApplyLogoPreset(void* block, int32_t index);
// The host's defaults: preset 0, "massive motion".
void WriteLogoDefaults(void* block);

extern const SettingsSchema kLogoSchema;

}  // namespace zk
