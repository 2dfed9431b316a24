#include "marbles_shading.h"

#include "saturating_trunc.h"

namespace zk::marbles {

MarbleDisc ProjectMarble(const ImagePlane* out, const MarbleLight* light, Point3 centre,
                         float radius, const MarbleLook* look, float opacity) {
  MarbleDisc disc{};
  if (out == nullptr || light == nullptr || look == nullptr || out->data == nullptr) return disc;
  const double D = static_cast<float>(light->distance);
  const double d = D + centre.z;
  if (!(d > 0)) return disc;
  if (out->bytesPerPixel < 1 || out->bytesPerPixel > 4) return disc;
  if (opacity == 0 || std::isnan(opacity)) return disc;
  const int32_t W = out->width;
  const int32_t H = out->height;
  if (W <= 0 || H <= 0) return disc;

  const double f = D / d;
  const double cx = W * 0.5;
  const double cy = H * 0.5;
  disc.R = F((radius + 0.5) * f);
  disc.R2 = F(double{disc.R} * disc.R);
  disc.sx = F((centre.x - cx) * f + cx);
  disc.sy = F((centre.y - cy) * f + cy);
  disc.y0 = Clamp(SaturatingTrunc(double{disc.sy} - disc.R - 0.5), 0, H - 1);
  disc.y1 = Clamp(SaturatingTrunc(double{disc.sy} + disc.R + 0.5), 0, H - 1);
  disc.x0 = Clamp(SaturatingTrunc(double{disc.sx} - disc.R - 0.5), 0, W - 1);
  disc.x1 = Clamp(SaturatingTrunc(double{disc.sx} + disc.R + 0.5), 0, W - 1);
  disc.visible = disc.x1 != disc.x0 && disc.y1 != disc.y0;
  return disc;
}

bool ClipDiscRows(MarbleDisc* disc, int32_t step, const RowRange& rows) {
  // The k-th visited row y0 + k step lies on stored row y0 / step + k.
  const int32_t top = disc->y0 / step;
  const int32_t last = (disc->y1 - disc->y0) / step;
  const int32_t from = rows.first - top > 0 ? rows.first - top : 0;
  const int32_t to = rows.end - 1 - top < last ? rows.end - 1 - top : last;
  if (from > to) return false;
  const int32_t y0 = disc->y0;
  disc->y0 = y0 + from * step;
  disc->y1 = y0 + to * step;
  return true;
}

}  // namespace zk::marbles
