// MaskCoverage inlined into the renderer's pixel loop: the same arithmetic, without the
// division by a row step of 1, without range checks on values that cannot leave the int
// range (interpolations between two mask bytes by a fraction below 1 in magnitude), and
// without interpolating inside areas of one mask value.
#pragma once

#include "coverage.h"
#include "float_to_int.h"
#include "isa_namespace.h"

namespace zk {
inline namespace ZK_ISA_NAMESPACE {

inline int32_t MaskRowValueFast(const uint8_t* row, int32_t iu, bool right, double fu) {
  const int32_t left = row[iu];
  if (!right) return left;
  return static_cast<int32_t>(left + (row[iu + 1] - left) * fu);
}

inline float MaskCoverageFast(const ImagePlane& texture, double u, double v) {
  if (texture.mask == nullptr) return 1.0f;
  const int32_t iu = TruncToInt(u);
  const int32_t iv = TruncToInt(v);
  if (iu < 0 || iu >= texture.width || iv < 0 || iv >= texture.height) return 0.0f;
  const double fu = u - iu;
  const double fv = v - iv;
  const int32_t step = texture.rowStep > 1 ? texture.rowStep : 1;
  const int32_t storedRow = step == 1 ? iv : iv / step;
  const uint8_t* row = texture.mask + static_cast<intptr_t>(storedRow) * texture.width;
  const bool right = iu + 1 < texture.width;
  const bool lower = iv + step < texture.height;
  int32_t m;
  const uint8_t* next = row + texture.width;
  if (right && lower && row[iu] == row[iu + 1] && next[iu] == next[iu + 1] && row[iu] == next[iu]) {
    // Four equal mask bytes: x + (x - x) * f is x for the finite fractions of a position
    // inside the mask, along both rows and between them.
    m = row[iu];
  } else if (lower) {
    const int32_t top = MaskRowValueFast(row, iu, right, fu);
    const int32_t bottom = MaskRowValueFast(next, iu, right, fu);
    m = static_cast<int32_t>(top + (bottom - top) * fv);
  } else {
    m = MaskRowValueFast(row, iu, right, fu);
  }
  const float coverage = static_cast<float>(m * double{kCoverageScale});
  return texture.invertMask == 1 ? static_cast<float>(1.0 - coverage) : coverage;
}

}  // namespace ZK_ISA_NAMESPACE
}  // namespace zk
