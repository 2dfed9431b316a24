#include "image_fill.h"

#include <algorithm>
#include <cstring>

#include "float_rounding.h"
#include "float_to_int.h"

namespace zk {
namespace {
inline float F(double v) { return RoundToFloat(v); }
}  // namespace

bool FillRect(ImagePlane* plane, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t colour) {
  if (plane == nullptr || plane->bytesPerPixel >= 5) return false;
  if (plane->data == nullptr || plane->bytesPerPixel < 1) return false;
  const uint8_t bytes[4] = {static_cast<uint8_t>((colour >> 16) & 0xFF),
                            static_cast<uint8_t>((colour >> 8) & 0xFF),
                            static_cast<uint8_t>(colour & 0xFF), 0};
  const int32_t step = EffectiveRowStep(*plane);
  const int64_t left = std::max<int64_t>(0, x0);
  const int64_t right = std::min<int64_t>(int64_t{x0} + w, plane->width);
  const int64_t top = std::max<int64_t>(0, y0);
  const int64_t bottom = std::min<int64_t>(int64_t{y0} + h, plane->height);
  const uint8_t* filled = nullptr;  // the first row written, copied into the others
  const int64_t span = (right - left) * plane->bytesPerPixel;
  // Rows that do not overlap (the stride covers a row's pixels) can take a copy of the first.
  const bool copyRows = plane->stride >= int64_t{plane->width} * plane->bytesPerPixel;
  for (int64_t y = top; y < bottom; y += step) {
    uint8_t* row = plane->data + (y / step) * plane->stride;
    if (filled != nullptr) {
      std::memcpy(row + left * plane->bytesPerPixel, filled, static_cast<size_t>(span));
      continue;
    }
    for (int64_t x = left; x < right; ++x) {
      uint8_t* px = row + x * plane->bytesPerPixel;
      for (int32_t c = 0; c < plane->bytesPerPixel; ++c) px[c] = bytes[c];
    }
    if (copyRows && span > 0) filled = row + left * plane->bytesPerPixel;
  }
  return true;
}

bool StretchBilinear(ImagePlane* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                     const ImagePlane* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
  if (dst == nullptr || src == nullptr) return false;
  if (dst->data == nullptr || src->data == nullptr || dw <= 0 || dh <= 0) return true;
  const int32_t channels = dst->bytesPerPixel;
  if (channels < 1 || src->bytesPerPixel < channels) return true;
  const int32_t dstStep = EffectiveRowStep(*dst);
  const int32_t srcStep = EffectiveRowStep(*src);
  const int32_t srcRows = StoredRows(*src);
  const int32_t dstRows = StoredRows(*dst);
  const float rowRatio = F(static_cast<double>(sh) / dh);
  const float colRatio = F(static_cast<double>(sw) / dw);
  for (int32_t l = 0; l < dh; l += dstStep) {
    const double r = l * double{rowRatio};
    const int32_t tr = TruncToInt(r);
    const int64_t srcLine = int64_t{src->height} - tr - sy - 1;
    const int64_t dstLine = int64_t{dst->height} - l - dy - 1;
    if (srcLine < 0 || dstLine < 0) continue;
    const int64_t srcRow = srcLine / srcStep;
    const int64_t dstRow = dstLine / dstStep;
    const float fv = F(r - tr);
    if (srcRow >= srcRows || dstRow >= dstRows) continue;
    // The next row down the picture is one stored row lower in memory.
    const int64_t belowRow = srcRow > 0 ? srcRow - 1 : srcRow;
    const uint8_t* above = src->data + srcRow * src->stride;
    const uint8_t* below = src->data + belowRow * src->stride;
    uint8_t* out = dst->data + dstRow * dst->stride;
    for (int32_t i = 0; i < dw; ++i) {
      const float c = F(i * double{colRatio});
      const int32_t tc = TruncToInt(c);
      const int64_t srcCol = int64_t{sx} + tc;
      const int64_t dstCol = int64_t{dx} + i;
      if (srcCol < 0 || srcCol >= src->width || dstCol < 0 || dstCol >= dst->width) continue;
      const float fu = F(c - tc);
      const int64_t rightCol = srcCol + 1 < src->width ? srcCol + 1 : srcCol;
      const int64_t a0 = srcCol * src->bytesPerPixel;
      const int64_t a1 = rightCol * src->bytesPerPixel;
      uint8_t* px = out + dstCol * dst->bytesPerPixel;
      for (int32_t j = 0; j < channels; ++j) {
        double a = above[a0 + j];
        if (i < dw - 1) a = a + (above[a1 + j] - a) * fu;
        if (l < dh - 1) {
          double b = below[a0 + j];
          if (i < dw - 1) b = b + (below[a1 + j] - b) * fu;
          a = a + (b - a) * fv;
        }
        px[j] = static_cast<uint8_t>(TruncToInt(a));
      }
    }
  }
  return true;
}

}  // namespace zk
