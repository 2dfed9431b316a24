// Crossfade while every row sways sideways along a sine that runs down the picture.
#pragma once

#include <cstdint>

#include "frame_view.h"

namespace zk {

// Rectangles narrower than this have no taper zone (5 % of the width truncates to 0) or
// no sine period (width / 17 is 0); they are crossfaded without any sway.
constexpr int32_t kDreamMinSwayWidth = 20;

// Renders one frame; frameCount moves the sine down by height / 70 rows per frame.
void RenderDreamFrame(const FrameView& v, uint32_t frameCount);

// Sideways displacement of rectangle row i (before the edge taper).
int32_t DreamRowSway(int32_t row, uint32_t phase, int32_t sinePeriodHalf, int32_t amplitude,
                     float strength);

// Weight of the sway in column j: 0 at the edges, rising linearly to 1 over `edge` columns.
float DreamTaper(int32_t column, int32_t width, int32_t edge);

}  // namespace zk
