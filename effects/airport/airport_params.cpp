#include "airport_params.h"

#include <cstring>

#include "airport_ids.h"

namespace zk {
namespace {

// Each value edit is followed by its trackbar; the position is the value.
constexpr ControlBinding Bar(int32_t label, int32_t minimum, int32_t maximum,
                             LabelShows shows = LabelShows::Position) {
  return Trackbar(label + 1, label, minimum, maximum, 10, 10, Conversion::Whole, shows);
}

const SettingField kAirportFields[] = {
    {ZK_FIELD(AirportParams, borderVertical, 0, UInt8), 0, 40, nullptr,
     "top and bottom margin, percent of the height", 5, Bar(AIRPORT_BORDER_VERTICAL_LABEL, 0, 40)},
    {ZK_FIELD(AirportParams, borderHorizontal, 1, UInt8), 0, 40, nullptr,
     "left and right margin, percent of the width", 5, Bar(AIRPORT_BORDER_HORIZONTAL_LABEL, 0, 40)},
    {ZK_FIELD(AirportParams, gapVertical, 2, UInt8), 0, 100, nullptr,
     "gap between tile rows, tenths of a percent of the height", 20,
     Bar(AIRPORT_GAP_VERTICAL_LABEL, 0, 100, LabelShows::Tenths)},
    {ZK_FIELD(AirportParams, gapHorizontal, 3, UInt8), 0, 100, nullptr,
     "gap between tile columns, tenths of a percent of the width", 10,
     Bar(AIRPORT_GAP_HORIZONTAL_LABEL, 0, 100, LabelShows::Tenths)},
    {ZK_FIELD(AirportParams, tilesDown, 4, UInt8), 1, 25, nullptr, "tile rows", 4,
     Bar(AIRPORT_TILES_DOWN_LABEL, 1, 25)},
    {ZK_FIELD(AirportParams, tilesAcross, 5, UInt8), 1, 25, nullptr, "tiles in a row", 6,
     Bar(AIRPORT_TILES_ACROSS_LABEL, 1, 25)},
    {ZK_FIELD(AirportParams, framesPerFlip, 6, UInt8), 1, 50, nullptr, "frames one flip lasts", 8,
     Bar(AIRPORT_FRAMES_PER_FLIP_LABEL, 1, 50)},
    {ZK_FIELD(AirportParams, angleSpread, 7, UInt8), 0, 40, nullptr,
     "random spread of the flap angle, degrees", 30, Bar(AIRPORT_ANGLE_SPREAD_LABEL, 0, 40)},
    {ZK_FIELD(AirportParams, flapShading, 8, UInt8), 0, 100, nullptr,
     "strength of the flap shading, percent", 35, Bar(AIRPORT_FLAP_SHADING_LABEL, 0, 100)},
    {ZK_FIELD(AirportParams, viewerDistance, 12, Int32), 250, 1000, nullptr,
     "perspective distance of the flaps in pixels", 340,
     Bar(AIRPORT_VIEWER_DISTANCE_LABEL, 250, 1000)},
};

const DialogLayout kAirportDialog = {AIRPORT_DIALOG, /*closesOnEscape=*/true,
                                     AIRPORT_DEFAULTS_BUTTON};

}  // namespace

void WriteAirportDefaults(void* block) {
  std::memset(block, 0, sizeof(AirportParams));
  WriteSchemaDefaults(kAirportSchema, block);
}

AirportParams AirportDefaults() {
  AirportParams p;
  WriteAirportDefaults(&p);
  return p;
}

extern constexpr SettingsSchema kAirportSchema =
    MakeSchema<AirportParams>("airport", kAirportFields, WriteAirportDefaults, &kAirportDialog);

}  // namespace zk
