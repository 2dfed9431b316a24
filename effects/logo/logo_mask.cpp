#include "logo_mask.h"

#include <cstdint>
#include <cstring>

#include "bitmap_reader.h"
#include "float_to_int.h"

namespace zk {
namespace {

inline float F(double v) { return static_cast<float>(v); }

// One channel interpolated along a source row between column c and its right neighbour.
double AlongRow(const uint8_t* row, int32_t c, int32_t right, int32_t k, bool blend, double fu) {
  const double a = row[c * 3 + k];
  return blend ? a + (row[right * 3 + k] - a) * fu : a;
}

// Stretches `picture` into a fresh mask, or returns null when memory is short.
uint8_t* MaskFromPicture(const ImagePlane& picture, int32_t width, int32_t height, int32_t rowStep,
                         const ScratchSource& scratch) {
  const size_t bytes = MaskBytes(width, height);
  if (bytes == 0) return nullptr;
  uint8_t* mask = static_cast<uint8_t*>(scratch.allocate(bytes));
  if (mask == nullptr) return nullptr;
  std::memset(mask, 0, bytes);
  ResampleIntoMask(picture, mask, width, height, rowStep);
  return mask;
}

}  // namespace

size_t MaskBytes(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  const uint64_t bytes = static_cast<uint64_t>(width) * (static_cast<uint64_t>(height) + 1);
  return bytes <= SIZE_MAX ? static_cast<size_t>(bytes) : 0;
}

void ResampleIntoMask(const ImagePlane& picture, uint8_t* mask, int32_t width, int32_t height,
                      int32_t rowStep) {
  const int32_t bw = picture.width;
  const int32_t bh = picture.height;
  if (picture.data == nullptr || bw <= 0 || bh <= 0 || picture.bytesPerPixel != 3) return;
  const int32_t step = rowStep > 0 ? rowStep : 1;
  const float rowRatio = F(static_cast<double>(bh) / height);
  const float colRatio = F(static_cast<double>(bw) / width);
  for (int32_t l = 0; l < height; l += step) {
    const double o = l * double{rowRatio};
    const int32_t to = TruncToInt(o);
    const double fv = o - to;
    // Rows are stored bottom first: the top of the picture is its last stored row, and the
    // next row down the picture the stored row before it (the row itself at the bottom).
    int32_t r = bh - to - 1;
    r = r < 0 ? 0 : (r >= bh ? bh - 1 : r);
    const uint8_t* above = picture.data + static_cast<intptr_t>(r) * picture.stride;
    const uint8_t* below = r > 0 ? above - picture.stride : above;
    uint8_t* out = mask + static_cast<intptr_t>((height - l - 1) / step) * width;
    const bool lower = l < height - 1;
    for (int32_t i = 0; i < width; ++i) {
      const float t = F(i * double{colRatio});
      int32_t c = TruncToInt(t);
      c = c < 0 ? 0 : (c >= bw ? bw - 1 : c);
      const double fu = double{t} - c;
      const int32_t right = c + 1 < bw ? c + 1 : c;
      const bool across = i < width - 1;
      double sum = 0.0;
      for (int32_t k = 0; k < 3; ++k) {
        double a = AlongRow(above, c, right, k, across, fu);
        if (lower) a = a + (AlongRow(below, c, right, k, across, fu) - a) * fv;
        sum += a;
      }
      out[i] = static_cast<uint8_t>(TruncToInt(sum / 3));
    }
  }
}

void CopyRecordPath(const char* field, int32_t bytes, char* path) {
  std::memcpy(path, field, static_cast<size_t>(bytes));
  path[bytes] = '\0';
}

uint8_t* BuildLogoMask(const LogoParams& p, int32_t width, int32_t height, int32_t rowStep,
                       BitmapResourceLoader loadResource, const ScratchSource& scratch) {
  ImagePlane picture{};
  if (p.maskSource == 1 && p.maskFile[0] != '\0') {
    char path[kLogoMaskPathBytes + 1];
    CopyRecordPath(p.maskFile, kLogoMaskPathBytes, path);
    if (ReadBmpFile(&picture, path)) {
      uint8_t* mask = MaskFromPicture(picture, width, height, rowStep, scratch);
      ReleaseImage(&picture);
      if (mask != nullptr) return mask;
    }
  }
  if (loadResource == nullptr || !loadResource(&picture, kDefaultMaskResource)) return nullptr;
  uint8_t* mask = MaskFromPicture(picture, width, height, rowStep, scratch);
  ReleaseImage(&picture);
  return mask;
}

}  // namespace zk
