#include "coverage.h"

#include "float_to_int.h"

namespace zk {
namespace {

// One mask row interpolated between column iu and its right neighbour, when there is one.
int32_t MaskRowValue(const uint8_t* row, int32_t iu, int32_t width, double fu) {
  const int32_t left = row[iu];
  if (iu + 1 >= width) return left;
  return TruncToInt(left + (row[iu + 1] - left) * fu);
}

}  // namespace

float MaskCoverage(const ImagePlane& texture, double u, double v) {
  if (texture.mask == nullptr) return 1.0f;
  const int32_t iu = TruncToInt(u);
  const int32_t iv = TruncToInt(v);
  // NaN and huge coordinates truncate to INT32_MIN and fall outside here as well.
  if (iu < 0 || iu >= texture.width || iv < 0 || iv >= texture.height) return 0.0f;
  const double fu = u - iu;
  const double fv = v - iv;
  const int32_t step = EffectiveRowStep(texture);
  const uint8_t* row = texture.mask + static_cast<intptr_t>(iv / step) * texture.width;
  const int32_t top = MaskRowValue(row, iu, texture.width, fu);
  int32_t m = top;
  if (iv + step < texture.height) {
    const int32_t bottom = MaskRowValue(row + texture.width, iu, texture.width, fu);
    m = TruncToInt(top + (bottom - top) * fv);
  }
  const float coverage = static_cast<float>(m * double{kCoverageScale});
  return texture.invertMask == 1 ? static_cast<float>(1.0 - coverage) : coverage;
}

}  // namespace zk
