// Twister: every row of the rectangle turns about the vertical centre line like a twisted
// ribbon, scene A on its back and scene B on its front, the last row in memory first.
#pragma once

#include <cstdint>

#include "colour_word.h"
#include "frame_view.h"
#include "twister_params.h"

namespace zk {

// How one row stands at the current progress.
struct TwisterRowPose {
  int32_t angle;     // whole degrees after the single 360 reduction
  float theta;       // the angle in radians, as a float
  double shade;      // weight of the source pixel: 1 unshaded, 0.5 edge-on
  bool showsSceneA;  // back of the ribbon: scene A, mirrored
};

// The pose of a row that starts turning at rowStart (1 - p running down from
// rowStart + turnTime to rowStart) with the given settings.
TwisterRowPose TwisterPoseForRow(float rowStart, float reversedProgress,
                                 const TwisterParams& params);

// Output column (before truncation) where source column w of a row turned by theta lands.
float TwisterColumnPosition(int32_t w, int32_t width, double cosTheta, double sinTheta);

// One output byte: the source channel weighted by the shade, the rest from the shading
// colour channel.
inline uint8_t TwisterShadeByte(double channel, double shade, uint8_t shadeChannel) {
  const int32_t kept = static_cast<int32_t>(channel * shade) % 256;
  return static_cast<uint8_t>(static_cast<int32_t>(kept + shadeChannel * (1.0 - shade)));
}

// Draws one turning row over an output row already filled with the background.
void TwistRow(uint8_t* out, const uint8_t* source, int32_t width, const TwisterRowPose& pose,
              PixelBgr shadeColour);

// What the rows of one pose share: the landing column of every source column and the
// shaded value of every byte level in each channel. Neighbouring rows mostly stand in the
// same whole-degree pose, so a frame works these out once per pose it meets.
struct TwistRowTables {
  int32_t angle;   // the pose they were made for; -1 before the first
  float* columns;  // `width` landing columns
  uint8_t shaded[3][256];
};

// Makes the tables for a pose unless they already hold it.
void PrepareTwistRowTables(int32_t width, const TwisterRowPose& pose, PixelBgr shadeColour,
                           TwistRowTables* tables);

// TwistRow through tables prepared for the same pose and shading colour: the same bytes.
void TwistRowWithTables(uint8_t* out, const uint8_t* source, int32_t width,
                        const TwisterRowPose& pose, const TwistRowTables& tables);

// Render entry: background fill, then every row in its pose. A missing settings record
// renders with the defaults.
int32_t RenderTwister(const FrameView& view);

}  // namespace zk
