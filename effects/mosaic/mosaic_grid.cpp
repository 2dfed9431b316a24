#include "mosaic_grid.h"

#include "saturating_trunc.h"
#include "unit_progress.h"

namespace zk {

float MosaicBlockSide(int32_t size, double coarseness) {
  const int32_t half = size / 2;
  if (half < 1) return 1.0f;
  int32_t steps = 0;  // halvings of `half` that stay at least 1: n - 1
  for (float v = half * 0.5f; v >= 1.0f; v *= 0.5f) ++steps;
  const int32_t halvings = SaturatingTrunc(coarseness * steps);
  float side = static_cast<float>(half);
  for (int32_t i = 0; i < halvings; ++i) side *= 0.5f;
  return side;
}

double MosaicCoarseness(float progress) {
  const double p = UnitProgress(progress);
  return p < 0.5 ? 1.0 - 2.0 * p : 2.0 * p - 1.0;
}

MosaicGrid MakeMosaicGrid(int32_t width, int32_t height, float progress) {
  const double e = MosaicCoarseness(progress);
  MosaicGrid g;
  g.blockHeight = MosaicBlockSide(height, e);
  g.blockWidth = MosaicBlockSide(width, e);
  g.rows = SaturatingTrunc(height / static_cast<double>(g.blockHeight));
  g.columns = SaturatingTrunc(width / static_cast<double>(g.blockWidth));
  return g;
}

}  // namespace zk
