#include "logo_mask.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "bitmap_reader.h"
#include "float_rounding.h"
#include "float_to_int.h"
#include "kernel_choice.h"
#include "logo_mask_avx2.h"
#include "slice_runner.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

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

// Where column i of the mask samples the picture: the column, its right neighbour, the
// fraction between them and whether the row interpolation applies (not in the last column).
struct MaskColumn {
  int32_t c, right;
  double fu;
  bool across;
};

MaskColumn ColumnAt(int32_t i, float colRatio, int32_t bw, int32_t width) {
  const float t = F(i * double{colRatio});
  int32_t c = TruncToInt(t);
  c = c < 0 ? 0 : (c >= bw ? bw - 1 : c);
  return MaskColumn{c, c + 1 < bw ? c + 1 : c, double{t} - c, i < width - 1};
}

// Where mask line l samples the picture: the picture row above, the one below and the
// fraction between them.
struct MaskLine {
  int32_t above, below;
  double fv;
};

MaskLine LineAt(int32_t l, float rowRatio, int32_t bh) {
  const double o = l * double{rowRatio};
  const int32_t to = TruncToInt(o);
  // Rows are stored bottom first: the top of the picture is its last stored row, and the
  // next row down the picture the stored row before it (the row itself at the bottom).
  int32_t r = bh - to - 1;
  r = r < 0 ? 0 : (r >= bh ? bh - 1 : r);
  return MaskLine{r, r > 0 ? r - 1 : r, o - to};
}

// The picture's rows interpolated along the row for every mask column, one run of `width`
// values per channel. Mask rows that sample the same picture rows share them, so each
// picture row is interpolated along once instead of once per mask row (twice, as upper and
// lower row).
class AlongRows {
 public:
  AlongRows(const ImagePlane& picture, const MaskColumn* columns, int32_t width, double* store)
      : picture_(picture), columns_(columns), width_(width) {
    values_[0] = store;
    values_[1] = store + static_cast<size_t>(width) * 3;
  }

  // Picture row r along the mask's columns, keeping row `keep` if it is held.
  const double* Row(int32_t r, int32_t keep) {
    for (int k = 0; k < 2; ++k) {
      if (row_[k] == r) return values_[k];
    }
    const int k = row_[0] == keep ? 1 : 0;
    row_[k] = r;
    const uint8_t* row = picture_.data + static_cast<intptr_t>(r) * picture_.stride;
    double* out = values_[k];
    for (int32_t i = 0; i < width_; ++i) {
      const MaskColumn& m = columns_[i];
      for (int32_t ch = 0; ch < 3; ++ch) {
        out[ch * width_ + i] = AlongRow(row, m.c, m.right, ch, m.across, m.fu);
      }
    }
    return out;
  }

 private:
  const ImagePlane& picture_;
  const MaskColumn* columns_;
  int32_t width_;
  double* values_[2];
  int32_t row_[2] = {-1, -1};
};

// One mask row from the along-row values of the picture rows above and below (the run of
// each channel `width` long), from column `first` on: per column the three channels
// interpolated between the rows by fv (unless there is no row below) and their truncated
// mean. Two columns at a time in the lanes of SSE2 registers, with the same operations in
// the same order.
void MeanBetweenRows(const double* above, const double* below, bool lower, double fv, int32_t first,
                     int32_t width, uint8_t* out) {
  int32_t i = first;
#if defined(__SSE2__)
  const __m128d f = _mm_set1_pd(fv);
  const __m128d three = _mm_set1_pd(3.0);
  for (; i + 2 <= width; i += 2) {
    __m128d sum = _mm_setzero_pd();
    for (int32_t k = 0; k < 3; ++k) {
      __m128d a = _mm_loadu_pd(above + k * width + i);
      if (lower)
        a = _mm_add_pd(a, _mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(below + k * width + i), a), f));
      sum = _mm_add_pd(sum, a);
    }
    // The means lie within 0..255, where the conversion truncates as TruncToInt does.
    const __m128i whole = _mm_cvttpd_epi32(_mm_div_pd(sum, three));
    out[i] = static_cast<uint8_t>(_mm_cvtsi128_si32(whole));
    out[i + 1] = static_cast<uint8_t>(_mm_cvtsi128_si32(_mm_srli_si128(whole, 4)));
  }
#endif
  for (; i < width; ++i) {
    double sum = 0.0;
    for (int32_t k = 0; k < 3; ++k) {
      double a = above[k * width + i];
      if (lower) a = a + (below[k * width + i] - a) * fv;
      sum += a;
    }
    out[i] = static_cast<uint8_t>(TruncToInt(sum / 3));
  }
}

}  // namespace

void ResampleIntoMask(const ImagePlane& picture, uint8_t* mask, int32_t width, int32_t height,
                      int32_t rowStep) {
  const int32_t bw = picture.width;
  const int32_t bh = picture.height;
  if (picture.data == nullptr || bw <= 0 || bh <= 0 || picture.bytesPerPixel != 3) return;
  if (width <= 0 || height <= 0) return;
  const int32_t step = rowStep > 0 ? rowStep : 1;
  // Mask lines are independent: bands of them side by side, each band interpolating along
  // the picture rows it needs in its own store.
  const RowBands bands = PlanRowBands((height + step - 1) / step, 16);
  const size_t store = static_cast<size_t>(width) * 6;
  MaskColumn* columns =
      static_cast<MaskColumn*>(std::malloc(static_cast<size_t>(width) * sizeof(MaskColumn)));
  double* along = static_cast<double*>(std::malloc(store * bands.count * sizeof(double)));
  if (columns == nullptr || along == nullptr || PlainKernels()) {
    // Short of memory the plain walk gives the same bytes.
    std::free(columns);
    std::free(along);
    ResampleIntoMaskPlain(picture, mask, width, height, rowStep);
    return;
  }
  const float rowRatio = F(static_cast<double>(bh) / height);
  const float colRatio = F(static_cast<double>(bw) / width);
  for (int32_t i = 0; i < width; ++i) columns[i] = ColumnAt(i, colRatio, bw, width);
  const bool wide = WideKernels();
  RunRowBands(bands, [&](int32_t band, const RowRange& lines) {
    AlongRows rows(picture, columns, width, along + store * band);
    for (int32_t l = lines.first * step; l < lines.end * step && l < height; l += step) {
      const MaskLine line = LineAt(l, rowRatio, bh);
      const double fv = line.fv;
      const bool lower = l < height - 1;
      const double* above = rows.Row(line.above, line.below);
      const double* below = lower ? rows.Row(line.below, line.above) : above;
      uint8_t* out = mask + static_cast<intptr_t>((height - l - 1) / step) * width;
      const int32_t done = wide ? MeanBetweenRowsAvx2(above, below, lower, fv, width, out) : 0;
      MeanBetweenRows(above, below, lower, fv, done, width, out);
    }
  });
  std::free(columns);
  std::free(along);
}

size_t MaskBytes(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  const uint64_t bytes = static_cast<uint64_t>(width) * (static_cast<uint64_t>(height) + 1);
  return bytes <= SIZE_MAX ? static_cast<size_t>(bytes) : 0;
}

void ResampleIntoMaskPlain(const ImagePlane& picture, uint8_t* mask, int32_t width, int32_t height,
                           int32_t rowStep) {
  const int32_t bw = picture.width;
  const int32_t bh = picture.height;
  if (picture.data == nullptr || bw <= 0 || bh <= 0 || picture.bytesPerPixel != 3) return;
  const int32_t step = rowStep > 0 ? rowStep : 1;
  const float rowRatio = F(static_cast<double>(bh) / height);
  const float colRatio = F(static_cast<double>(bw) / width);
  for (int32_t l = 0; l < height; l += step) {
    const MaskLine line = LineAt(l, rowRatio, bh);
    const double fv = line.fv;
    const uint8_t* above = picture.data + static_cast<intptr_t>(line.above) * picture.stride;
    const uint8_t* below = picture.data + static_cast<intptr_t>(line.below) * picture.stride;
    uint8_t* out = mask + static_cast<intptr_t>((height - l - 1) / step) * width;
    const bool lower = l < height - 1;
    for (int32_t i = 0; i < width; ++i) {
      const MaskColumn m = ColumnAt(i, colRatio, bw, width);
      double sum = 0.0;
      for (int32_t k = 0; k < 3; ++k) {
        double a = AlongRow(above, m.c, m.right, k, m.across, m.fu);
        if (lower) a = a + (AlongRow(below, m.c, m.right, k, m.across, m.fu) - a) * fv;
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
