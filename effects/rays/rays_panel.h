// The drawings of the rays settings dialog as plain geometry: the threshold-function
// graph with its bars, the light-source box, and where a click in the box puts the light
// source. Coordinates are pixels from the dialog window's outer corner (clicks arrive in
// client pixels). The dialog procedure only draws what these give.
#pragma once

#include <cstdint>

#include "rays_params.h"

namespace zk {

struct PanelRect {
  int32_t left, top, right, bottom;
};

// The graph area, 320 x 130 at (77, 80); the plot inside it starts 16 pixels in and is
// 288 x 117.
constexpr PanelRect kGraphArea = {77, 80, 77 + 320, 80 + 130};
constexpr int32_t kPlotLeft = 77 + 16;
constexpr int32_t kPlotWidth = 288;
constexpr int32_t kPlotHeight = 117;
constexpr int32_t kPlotTop = 80;

// The light-source box, 100 x 80 at (230, 284).
constexpr PanelRect kLightBox = {230, 284, 330, 364};
// Client pixels lie this far right of and below window pixels (frame and caption).
constexpr int32_t kClientOffsetX = 2;
constexpr int32_t kClientOffsetY = 22;

// More bars than this are not drawn: a host announcing millions would stall the dialog.
constexpr int32_t kMostGraphBars = 100000;

struct GraphPart {
  PanelRect box;   // black outline
  int32_t firstX;  // the curve runs over x = firstX .. lastX (none when lastX < firstX)
  int32_t lastX;
  bool falling;  // the fall curve, drawn mirrored
};

struct GraphLayout {
  GraphPart parts[2];
  int32_t partCount;  // 1 with riseOnly, else 2
};

GraphLayout LayoutRaysGraph(const RaysParams& p);

// Height of a part's curve at column x of that part.
int32_t GraphCurveY(const RaysParams& p, const GraphPart& part, int32_t x);

// The number of bars drawn for the host's graphBarCount (0 when it is 0 or less).
int32_t GraphBarsToDraw(int32_t graphBarCount);
// Bar i of n: the threshold curve at the progress i / n, from its top to the plot bottom.
PanelRect GraphBar(const RaysParams& p, int32_t i, int32_t n);

// The cross in the light-source box: the column of its vertical line and the row of its
// horizontal one. The box is read like a 100 x 80 picture, with the same rounding the
// frames use, so the cross sits where a click puts the light source.
int32_t LightBoxCrossX(const RaysParams& p);
int32_t LightBoxCrossY(const RaysParams& p);

// A left-button release at client pixel (x, y): inside the box it places the light source
// and returns true; elsewhere it changes nothing.
bool PlaceLightSource(int32_t clientX, int32_t clientY, RaysParams* p);

}  // namespace zk
