#include "marbles_params.h"

#include <cstring>

#include "marbles_ids.h"

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

// A turn in whole degrees about one axis: -360 to 360, a tic every 10.
#define MARBLE_TURN "degrees each marble turns about the centre"
#define LIGHT_TURN "degrees the light turns about the origin"
#define MARBLES_TURN(member, hostOffset, whose, axis, value, id)                           \
  {                                                                                        \
    ZK_FIELD(MarblesParams, member, hostOffset, Int32), -360, 360, nullptr,                \
        whose ", " axis " axis", value,                                                    \
        Trackbar(MARBLES_##id, MARBLES_##id##_LABEL, -360, 360, 10, 10, Conversion::Whole) \
  }

// A share from 0 to 1, shown and labelled in hundredths; position p stores
// float(p * double(0.01f)).
#define MARBLES_SHARE(member, hostOffset, help, value, id)                                       \
  {                                                                                              \
    ZK_FIELD(MarblesParams, member, hostOffset, Float32), 0, 1, nullptr, help, value,            \
        Trackbar(MARBLES_##id, MARBLES_##id##_LABEL, 0, 100, 1, 1, Conversion::PercentFloatStep) \
  }

const RadioChoice kDirections[] = {{MARBLES_SURFACE_TO_VIEWER, 0}, {MARBLES_VIEWER_TO_SURFACE, 1}};
const RadioChoice kLightModes[] = {{MARBLES_LIGHT_FIXED, kLightFixed},
                                   {MARBLES_LIGHT_LINEAR, kLightLinear},
                                   {MARBLES_LIGHT_ROTATING, kLightRotating}};

// The light positions, x, y and z each; the dialog's own rules show and read their boxes.
constexpr uint32_t kLightPos1 = CheckedOffset<offsetof(MarblesParams, lightPos1), 64>();
constexpr uint32_t kLightPos2 = CheckedOffset<offsetof(MarblesParams, lightPos2), 76>();
#define MARBLES_POSITION(number, axis, index, value)                                               \
  {                                                                                                \
    "lightPos" #number "." axis, kLightPos##number + 4 * (index), SettingType::Float32, 4, -10000, \
        10000, nullptr, "light position " #number ", " axis, value                                 \
  }

// The defaults are preset 0; the order buttons set order and farFirst together, so those
// two are the dialog's own rules too.
const SettingField kFields[] = {
    {ZK_FIELD(MarblesParams, size, 0, Float32), 0.01, 1, nullptr,
     "marble size as a share of the rectangle width", 0.03,
     Trackbar(MARBLES_SIZE, MARBLES_SIZE_LABEL, 1, 100, 1, 1, Conversion::PercentFloatStep)},
    {ZK_FIELD(MarblesParams, colorHue, 4, Float32), 0, 10, nullptr,
     "colour intensity: 0 grey, 1 as sampled, above 1 stronger", 2,
     Trackbar(MARBLES_COLOR_HUE, MARBLES_COLOR_HUE_LABEL, 0, 1000, 10, 10,
              Conversion::PercentFloatStep, LabelShows::Value)},
    MARBLES_SHARE(transpStart, 8, "transparency of a marble at the screen", 0, TRANSP_START),
    MARBLES_SHARE(transpEnd, 12, "transparency of a marble at the viewer", 0.65, TRANSP_END),
    MARBLES_SHARE(shadeImpact, 16, "strength of the lighting", 1, SHADE_IMPACT),
    {ZK_FIELD(MarblesParams, shadeGloss, 20, Int32), 1, 15, nullptr, "gloss: the lighting exponent",
     3, Trackbar(MARBLES_SHADE_GLOSS, MARBLES_SHADE_GLOSS_LABEL, 1, 15, 10, 10, Conversion::Whole)},
    // A byte followed by three reserved bytes the settings leave alone.
    {ZK_FIELD(MarblesParams, viewerToSurface, 24, UInt8), 0, 1, nullptr,
     "0 the marbles fly from scene A to the viewer, 1 they fall and settle into B", 0,
     Radios(MARBLES_SURFACE_TO_VIEWER, MARBLES_VIEWER_TO_SURFACE, kDirections,
            MARBLES_VIEWER_TO_SURFACE)},
    {ZK_FIELD(MarblesParams, order, 28, Int32), 0, 2, nullptr,
     "start order: 0 all together, 1 by distance from the centre, 2 random", kMarblesByDistance},
    {ZK_FIELD(MarblesParams, farFirst, 32, UInt8), 0, 1, nullptr,
     "with order 1: 1 the outermost marbles start first, 0 the innermost", 1},
    MARBLES_TURN(rotateX, 36, MARBLE_TURN, "X", 0, ROTATE_X),
    MARBLES_TURN(rotateY, 40, MARBLE_TURN, "Y", 0, ROTATE_Y),
    MARBLES_TURN(rotateZ, 44, MARBLE_TURN, "Z", 180, ROTATE_Z),
    MARBLES_SHARE(xFade, 48, "end of the opening cross-fade to the board of marbles", 0.14, XFADE),
    MARBLES_SHARE(staticTime, 52, "share of the transition before the marbles move", 0.2, STATIC),
    MARBLES_SHARE(moveTime, 56, "share of the motion time one marble needs for its flight", 0.4,
                  MOVE),
    {ZK_FIELD(MarblesParams, lightMode, 60, Int32), 0, 2, nullptr,
     "light: 0 fixed, 1 from position 1 to position 2, 2 rotating", kLightRotating,
     RefreshingDialog(
         Radios(MARBLES_LIGHT_FIXED, MARBLES_LIGHT_ROTATING, kLightModes, MARBLES_LIGHT_FIXED))},
    MARBLES_POSITION(1, "x", 0, 10),
    MARBLES_POSITION(1, "y", 1, 10),
    MARBLES_POSITION(1, "z", 2, 10),
    MARBLES_POSITION(2, "x", 0, 0),
    MARBLES_POSITION(2, "y", 1, 0),
    MARBLES_POSITION(2, "z", 2, 0),
    MARBLES_TURN(lightRotX, 88, LIGHT_TURN, "X", 0, LIGHT_ROT_X),
    MARBLES_TURN(lightRotY, 92, LIGHT_TURN, "Y", 0, LIGHT_ROT_Y),
    MARBLES_TURN(lightRotZ, 96, LIGHT_TURN, "Z", 360, LIGHT_ROT_Z),
    {ZK_FIELD(MarblesParams, lightColor, 100, Colour), 0, 0xFFFFFF, nullptr, "colour of the light",
     0xFFFFFF},
    {ZK_FIELD(MarblesParams, viewDistance, 104, Int32), 1, 30000, nullptr,
     "camera distance, also the depth the marbles fly", 3000},
};

#undef MARBLES_POSITION
#undef MARBLES_TURN
#undef MARBLES_SHARE
#undef LIGHT_TURN
#undef MARBLE_TURN

// The list shows the presets in preset order, which is not the order of their strings.
const int32_t kPresetStrings[kMarblesPresetCount] = {MARBLES_STRING_TUB, MARBLES_STRING_BOARD,
                                                     MARBLES_STRING_BUMP, MARBLES_STRING_RANDOM,
                                                     MARBLES_STRING_TUB2};

const DialogLayout kMarblesDialog = {MARBLES_DIALOG,
                                     /*closesOnEscape=*/true,
                                     MARBLES_DEFAULTS_BUTTON,
                                     /*defaultsAppliesFirstPreset=*/true,
                                     MARBLES_PRESET_LIST,
                                     MARBLES_STRING_TUB,
                                     kPresetStrings};

}  // namespace

const char* const kMarblesPresetNames[kMarblesPresetCount] = {
    "Tub Sample", "Board Sample", "Bump Sample", "Random Sample", "Tub Sample 2",
};

void ApplyMarblesPreset(void* block, int32_t index) {
  if (index < 0 || index >= kMarblesPresetCount) index = 0;
  const PresetRow& row = kPresetRows[index];
  WriteSchemaDefaults(kMarblesSchema, block);
  // Through a copy of the whole record, so the reserved bytes go back as they came.
  MarblesParams p;
  std::memcpy(&p, block, sizeof p);
  p.viewerToSurface = row.viewerToSurface;
  p.order = row.order;
  p.farFirst = row.farFirst;
  p.rotateX = row.rotateX;
  p.rotateY = row.rotateY;
  p.rotateZ = row.rotateZ;
  p.moveTime = row.moveTime;
  std::memcpy(block, &p, sizeof p);
}

void WriteMarblesDefaults(void* block) { ApplyMarblesPreset(block, 0); }

extern constexpr SettingsSchema kMarblesSchema =
    MakeSchema<MarblesParams>("marbles", kFields, WriteMarblesDefaults, &kMarblesDialog,
                              kMarblesPresetNames, ApplyMarblesPreset);

}  // namespace zk
