// The marble transition's settings record as the host stores it (148 bytes), its five
// presets (the first is the default) and the schema that names and binds every field.
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

// How the marbles are timed against each other.
enum MarbleOrder : int32_t {
  kMarblesTogether = 0,    // one board, every marble on the frame's motion time
  kMarblesByDistance = 1,  // rings about the centre: outermost first with farFirst, else innermost
  kMarblesRandomly = 2,    // start times drawn from Rand15, the same on every frame
};

// Where the light stands while the marbles fly.
enum MarbleLightMode : int32_t {
  kLightFixed = 0,     // lightPos1 throughout
  kLightLinear = 1,    // from lightPos1 straight to lightPos2
  kLightRotating = 2,  // lightPos1 turned about the origin by lightRot* times the motion time
};

struct MarblesParams {
  float size;               // cell edge as a share of the rectangle width
  float colorHue;           // 0 grey, 1 as sampled, above 1 stronger colour
  float transpStart;        // transparency of a marble at the image plane
  float transpEnd;          // transparency of a marble at the eye
  float shadeImpact;        // strength of the lighting
  int32_t shadeGloss;       // lighting exponent
  uint8_t viewerToSurface;  // 0: the marbles leave scene A; else they settle into scene A
  uint8_t reserved25[3];
  int32_t order;     // MarbleOrder
  uint8_t farFirst;  // with kMarblesByDistance: the outermost marbles leave first
  uint8_t reserved33[3];
  int32_t rotateX;  // whole degrees each marble has turned about the centre by the end
  int32_t rotateY;
  int32_t rotateZ;
  float xFade;         // end of the opening cross-fade, share of the transition
  float staticTime;    // share of the transition before any marble moves
  float moveTime;      // share of the motion time one marble's flight takes
  int32_t lightMode;   // MarbleLightMode; other values hold the light still
  float lightPos1[3];  // x, y, z
  float lightPos2[3];
  int32_t lightRotX;  // whole degrees the light has turned by the end of the motion
  int32_t lightRotY;
  int32_t lightRotZ;
  uint32_t lightColor;   // colour word 0x00BBGGRR
  int32_t viewDistance;  // camera distance and flight depth
  uint8_t reserved108[40];
};

static_assert(sizeof(MarblesParams) == 148, "the host's record size");

constexpr int32_t kMarblesPresetCount = 5;

// Writes preset `index` over the record's fields; the reserved bytes keep whatever they
// held. An index outside 0..4 applies preset 0.
void ApplyMarblesPreset(void* block, int32_t index);
// The host's defaults: preset 0, "Tub Sample".
void WriteMarblesDefaults(void* block);

// Names in preset order.
extern const char* const kMarblesPresetNames[kMarblesPresetCount];
extern const SettingsSchema kMarblesSchema;

}  // namespace zk
