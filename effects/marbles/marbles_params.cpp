#include "marbles_params.h"

#include <cstring>

namespace zk {
namespace {

// What sets the five presets apart; every other field is the same in all of them.
struct PresetRow {
  uint8_t viewerToSurface;
  int32_t order;
  uint8_t farFirst;
  int32_t rotateX, rotateY, rotateZ;
  float moveTime;
};

constexpr PresetRow kPresetRows[kMarblesPresetCount] = {
    {0, kMarblesByDistance, 1, 0, 0, 180, 0.4f},       // Tub Sample
    {0, kMarblesTogether, 1, 180, 0, -180, 0.4f},      // Board Sample
    {0, kMarblesByDistance, 0, 0, 0, 0, 0.4f},         // Bump Sample
    {0, kMarblesRandomly, 0, 0, 0, 0, 0.25f},          // Random Sample
    {1, kMarblesByDistance, 1, -180, 180, 180, 0.4f},  // Tub Sample 2
};

// Trackbar-style fields: the dialog's range in the field's own units.
#define MARBLES_FLOAT(name, lo, hi, help) \
  { #name, offsetof(MarblesParams, name), SettingType::Float32, 4, lo, hi, nullptr, help }
#define MARBLES_INT(name, lo, hi, help) \
  { #name, offsetof(MarblesParams, name), SettingType::Int32, 4, lo, hi, nullptr, help }
#define MARBLES_BYTE(name, lo, hi, help) \
  { #name, offsetof(MarblesParams, name), SettingType::UInt8, 1, lo, hi, nullptr, help }
#define MARBLES_POSITION(name, axis, index, help)                                                 \
  {                                                                                               \
#name "." axis, offsetof(MarblesParams, name) + 4 * (index), SettingType::Float32, 4, -10000, \
        10000, nullptr, help                                                                      \
  }

const SettingField kFields[] = {
    MARBLES_FLOAT(size, 0.01, 1, "marble size as a share of the rectangle width"),
    MARBLES_FLOAT(colorHue, 0, 10, "colour intensity: 0 grey, 1 as sampled, above 1 stronger"),
    MARBLES_FLOAT(transpStart, 0, 1, "transparency of a marble at the screen"),
    MARBLES_FLOAT(transpEnd, 0, 1, "transparency of a marble at the viewer"),
    MARBLES_FLOAT(shadeImpact, 0, 1, "strength of the lighting"),
    MARBLES_INT(shadeGloss, 1, 15, "gloss: the lighting exponent"),
    // A byte followed by three reserved bytes the settings leave alone.
    MARBLES_BYTE(viewerToSurface, 0, 1,
                 "0 the marbles fly from scene A to the viewer, 1 they fall and settle into B"),
    MARBLES_INT(order, 0, 2,
                "start order: 0 all together, 1 by distance from the centre, 2 random"),
    MARBLES_BYTE(farFirst, 0, 1,
                 "with order 1: 1 the outermost marbles start first, 0 the innermost"),
    MARBLES_INT(rotateX, -360, 360, "degrees each marble turns about the centre, X axis"),
    MARBLES_INT(rotateY, -360, 360, "degrees each marble turns about the centre, Y axis"),
    MARBLES_INT(rotateZ, -360, 360, "degrees each marble turns about the centre, Z axis"),
    MARBLES_FLOAT(xFade, 0, 1, "end of the opening cross-fade to the board of marbles"),
    MARBLES_FLOAT(staticTime, 0, 1, "share of the transition before the marbles move"),
    MARBLES_FLOAT(moveTime, 0, 1, "share of the motion time one marble needs for its flight"),
    MARBLES_INT(lightMode, 0, 2, "light: 0 fixed, 1 from position 1 to position 2, 2 rotating"),
    MARBLES_POSITION(lightPos1, "x", 0, "light position 1, x"),
    MARBLES_POSITION(lightPos1, "y", 1, "light position 1, y"),
    MARBLES_POSITION(lightPos1, "z", 2, "light position 1, z"),
    MARBLES_POSITION(lightPos2, "x", 0, "light position 2, x"),
    MARBLES_POSITION(lightPos2, "y", 1, "light position 2, y"),
    MARBLES_POSITION(lightPos2, "z", 2, "light position 2, z"),
    MARBLES_INT(lightRotX, -360, 360, "degrees the light turns about the origin, X axis"),
    MARBLES_INT(lightRotY, -360, 360, "degrees the light turns about the origin, Y axis"),
    MARBLES_INT(lightRotZ, -360, 360, "degrees the light turns about the origin, Z axis"),
    {"lightColor", offsetof(MarblesParams, lightColor), SettingType::Colour, 4, 0, 0xFFFFFF,
     nullptr, "colour of the light"},
    MARBLES_INT(viewDistance, 1, 30000, "camera distance, also the depth the marbles fly"),
};

#undef MARBLES_FLOAT
#undef MARBLES_INT
#undef MARBLES_POSITION

}  // namespace

const char* const kMarblesPresetNames[kMarblesPresetCount] = {
    "Tub Sample", "Board Sample", "Bump Sample", "Random Sample", "Tub Sample 2",
};

void ApplyMarblesPreset(void* block, int32_t index) {
  if (index < 0 || index >= kMarblesPresetCount) index = 0;
  const PresetRow& row = kPresetRows[index];
  // Through a copy of the whole record, so the reserved bytes go back as they came.
  MarblesParams p;
  std::memcpy(&p, block, sizeof p);
  p.size = 0.03f;
  p.colorHue = 2.0f;
  p.transpStart = 0.0f;
  p.transpEnd = 0.65f;
  p.shadeImpact = 1.0f;
  p.shadeGloss = 3;
  p.viewerToSurface = row.viewerToSurface;
  p.order = row.order;
  p.farFirst = row.farFirst;
  p.rotateX = row.rotateX;
  p.rotateY = row.rotateY;
  p.rotateZ = row.rotateZ;
  p.xFade = 0.14f;
  p.staticTime = 0.2f;
  p.moveTime = row.moveTime;
  p.lightMode = kLightRotating;
  p.lightPos1[0] = p.lightPos1[1] = p.lightPos1[2] = 10.0f;
  p.lightPos2[0] = p.lightPos2[1] = p.lightPos2[2] = 0.0f;
  p.lightRotX = 0;
  p.lightRotY = 0;
  p.lightRotZ = 360;
  p.lightColor = 0xFFFFFF;
  p.viewDistance = 3000;
  std::memcpy(block, &p, sizeof p);
}

void WriteMarblesDefaults(void* block) { ApplyMarblesPreset(block, 0); }

const SettingsSchema kMarblesSchema = {
    "marbles",
    sizeof(MarblesParams),
    kFields,
    static_cast<int32_t>(sizeof kFields / sizeof kFields[0]),
    WriteMarblesDefaults,
    kMarblesPresetNames,
    kMarblesPresetCount,
    ApplyMarblesPreset,
};

}  // namespace zk
