// The controls of each layer group of the "Options for Logo" dialog, in record order
// (Scene A - Foreground, Scene A - Background, Scene B - Foreground, Scene B - Background).
#pragma once

#include <cstdint>

#include "logo_ids.h"

namespace zk {

struct LayerControls {
  int32_t use, dissolve, alternate, motion, rotation;
  int32_t start, startLabel, end, endLabel;
};

constexpr LayerControls kLayerControls[4] = {
    {LOGO_AFG_USE, LOGO_AFG_DISSOLVE, LOGO_AFG_ALTERNATE, LOGO_AFG_MOTION, LOGO_AFG_ROTATION,
     LOGO_AFG_START, LOGO_AFG_START_LABEL, LOGO_AFG_END, LOGO_AFG_END_LABEL},
    {LOGO_ABG_USE, LOGO_ABG_DISSOLVE, LOGO_ABG_ALTERNATE, LOGO_ABG_MOTION, LOGO_ABG_ROTATION,
     LOGO_ABG_START, LOGO_ABG_START_LABEL, LOGO_ABG_END, LOGO_ABG_END_LABEL},
    {LOGO_BFG_USE, LOGO_BFG_DISSOLVE, LOGO_BFG_ALTERNATE, LOGO_BFG_MOTION, LOGO_BFG_ROTATION,
     LOGO_BFG_START, LOGO_BFG_START_LABEL, LOGO_BFG_END, LOGO_BFG_END_LABEL},
    {LOGO_BBG_USE, LOGO_BBG_DISSOLVE, LOGO_BBG_ALTERNATE, LOGO_BBG_MOTION, LOGO_BBG_ROTATION,
     LOGO_BBG_START, LOGO_BBG_START_LABEL, LOGO_BBG_END, LOGO_BBG_END_LABEL},
};

// The captions "Motion", "Rotation", "Start" and "End" of a group.
constexpr int32_t kCaptionsPerLayer = 4;
constexpr int32_t CaptionId(int32_t layer, int32_t caption) {
  return LOGO_CAPTION_FIRST + kCaptionsPerLayer * layer + caption;
}

}  // namespace zk
