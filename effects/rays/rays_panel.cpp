#include "rays_panel.h"

#include "rays_frame.h"
#include "threshold_curve.h"

namespace zk {
namespace {

// Truncates a pixel coordinate held to lowest..highest; NaN (from settings no curve can
// be made of) goes to `highest`, the plot's bottom. Coordinates a valid curve gives lie
// inside, up to rounding hairs that truncate the same either way.
int32_t HeldPixel(double v, int32_t lowest, int32_t highest) {
  if (v != v || v >= highest) return highest;
  if (v <= lowest) return lowest;
  return static_cast<int32_t>(v);
}

// Plot row of a curve point: the top for 1, the bottom for 0.
int32_t CurveRow(double curve) {
  return kPlotTop + HeldPixel((1.0 - curve) * kPlotHeight, 0, kPlotHeight);
}

// x along a curve of `width` pixels, 0 at its second pixel and 1 at its last but one.
double AlongCurve(int32_t x, int32_t first, int32_t width) {
  const int32_t span = width - 2;
  return span != 0 ? static_cast<double>(x - first) / span : 0.0;
}

}  // namespace

GraphLayout LayoutRaysGraph(const RaysParams& p) {
  GraphLayout g{};
  const double s = p.switchPoint;
  const int32_t rise = p.riseOnly != 0 ? kPlotWidth : static_cast<int32_t>(kPlotWidth * s);
  g.parts[0] = {{kPlotLeft, kPlotTop, kPlotLeft + rise, kPlotTop + kPlotHeight},
                kPlotLeft + 1,
                kPlotLeft + rise - 1,
                false};
  g.partCount = 1;
  if (p.riseOnly == 0) {
    const int32_t fall = static_cast<int32_t>(kPlotWidth * (1.0 - s));
    const int32_t left = kPlotLeft + rise - 1;
    g.parts[1] = {
        {left, kPlotTop, left + fall, kPlotTop + kPlotHeight}, left + 1, left + fall - 1, true};
    g.partCount = 2;
  }
  return g;
}

int32_t GraphCurveY(const RaysParams& p, const GraphPart& part, int32_t x) {
  const int32_t width = part.box.right - part.box.left;
  const double u = AlongCurve(x, part.firstX, width);
  if (part.falling) return CurveRow(ThresholdCurve(1.0 - u, p.fallExponent, p.fallLevel));
  return CurveRow(ThresholdCurve(u, p.riseExponent, p.riseLevel));
}

int32_t GraphBarsToDraw(int32_t graphBarCount) {
  if (graphBarCount <= 0) return 0;
  return graphBarCount < kMostGraphBars ? graphBarCount : kMostGraphBars;
}

PanelRect GraphBar(const RaysParams& p, int32_t i, int32_t n) {
  const double s = p.switchPoint;
  double u = static_cast<double>(i) / n;
  double r;
  if (s <= u) {
    u = 1.0 - (u - s) / (1.0 - s);
    r = ThresholdCurve(u, p.fallExponent, p.fallLevel);
  } else {
    u = u / s;
    r = ThresholdCurve(u, p.riseExponent, p.riseLevel);
  }
  const int64_t left = kPlotLeft + static_cast<int64_t>(i) * kPlotWidth / n;
  const int64_t right = kPlotLeft + (static_cast<int64_t>(i) + 1) * kPlotWidth / n;
  // Truncated as a whole: a curve value a hair above 1 puts the top one pixel above the plot.
  const int32_t top = HeldPixel((1.0 - r) * kPlotHeight + kPlotTop, 0, kPlotTop + kPlotHeight);
  return {static_cast<int32_t>(left), top, static_cast<int32_t>(right), kPlotTop + kPlotHeight};
}

int32_t LightBoxCrossX(const RaysParams& p) {
  return kLightBox.left + LightSourceCell(kLightBox.right - kLightBox.left, p.lightX);
}

int32_t LightBoxCrossY(const RaysParams& p) {
  float fromTop = 100.0f - p.lightY;
  return kLightBox.top + LightSourceCell(kLightBox.bottom - kLightBox.top, fromTop);
}

bool PlaceLightSource(int32_t clientX, int32_t clientY, RaysParams* p) {
  const int32_t x = clientX + kClientOffsetX;
  const int32_t y = clientY + kClientOffsetY;
  if (x < kLightBox.left || x > kLightBox.right || y < kLightBox.top || y > kLightBox.bottom)
    return false;
  p->lightX = static_cast<float>(x - kLightBox.left);
  p->lightY = static_cast<float>(100 + (kLightBox.top - y) * 100 / 80);
  return true;
}

}  // namespace zk
