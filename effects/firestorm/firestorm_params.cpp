#include "firestorm_params.h"

#include <cstring>

#include "firestorm_ids.h"

namespace zk {
namespace {

// A share of the transition on a trackbar of hundredths; stored as position x 0.01f.
constexpr ControlBinding Hundredths(int32_t valueId) {
  return Trackbar(valueId + 1, valueId, 0, 100, 10, 10, Conversion::PercentFloatStep,
                  LabelShows::Value);
}

const SettingField kFields[] = {
    {ZK_FIELD(FirestormParams, edgeSensitivity, 0, UInt8), 0, 255, nullptr,
     "edge threshold for hot spots: larger needs a stronger edge", 20,
     Trackbar(FIRESTORM_EDGE, FIRESTORM_EDGE_VALUE, 0, 255, 10, 10, Conversion::Whole)},
    {ZK_FIELD(FirestormParams, flameSpeed, 1, UInt8), 1, 3, nullptr,
     "rows the fire rises per frame", 2,
     Trackbar(FIRESTORM_SPEED, FIRESTORM_SPEED_VALUE, 1, 3, 10, 10, Conversion::Whole)},
    {ZK_FIELD(FirestormParams, allEdgeDetection, 4, Int32), 0, 1, nullptr,
     "1: test every pixel for a hot spot; 0: test a random share", 0,
     CheckBox(FIRESTORM_ALL_EDGES)},
    {ZK_FIELD(FirestormParams, visibleHotSpots, 8, Int32), 0, 1, nullptr,
     "1: hot spots show at once at full heat", 0, CheckBox(FIRESTORM_VISIBLE_HOT_SPOTS)},
    {ZK_FIELD(FirestormParams, hotSpotShare, 12, Float32), 0, 1, nullptr,
     "chance that a pixel is tested for a hot spot", 0.4, Hundredths(FIRESTORM_SHARE_VALUE)},
    {ZK_FIELD(FirestormParams, flameVariation, 16, Float32), 0, 1, nullptr,
     "weakens the flames: 1 switches them off", 0, Hundredths(FIRESTORM_VARIATION_VALUE)},
    {ZK_FIELD(FirestormParams, hotSpotRampEnd, 20, Float32), 0, 1, nullptr,
     "progress until which the hot-spot chance grows", 0.01, Hundredths(FIRESTORM_RAMP_END_VALUE)},
    {ZK_FIELD(FirestormParams, crossfadeStart, 24, Float32), 0, 1, nullptr,
     "progress at which the crossfade starts", 0.13, Hundredths(FIRESTORM_CROSSFADE_START_VALUE)},
    {ZK_FIELD(FirestormParams, crossfadeEnd, 28, Float32), 0, 1, nullptr,
     "progress at which the crossfade ends", 0.23, Hundredths(FIRESTORM_CROSSFADE_END_VALUE)},
    {ZK_FIELD(FirestormParams, hotSpotEnd, 32, Float32), 0, 1, nullptr,
     "no new hot spots after this progress", 0.32, Hundredths(FIRESTORM_HOT_SPOT_END_VALUE)},
    {ZK_FIELD(FirestormParams, flameFadeStart, 36, Float32), 0, 1, nullptr,
     "progress from which the flames fade out", 0.93, Hundredths(FIRESTORM_FADE_START_VALUE)},
};

const DialogLayout kDialog = {FIRESTORM_DIALOG, /*closesOnEscape=*/false,
                              FIRESTORM_DEFAULTS_BUTTON};

}  // namespace

void WriteFirestormDefaults(void* block) {
  std::memset(block, 0, sizeof(FirestormParams));
  WriteSchemaDefaults(kFirestormSchema, block);
}

extern constexpr SettingsSchema kFirestormSchema =
    MakeSchema<FirestormParams>("firestorm", kFields, WriteFirestormDefaults, &kDialog);

}  // namespace zk
