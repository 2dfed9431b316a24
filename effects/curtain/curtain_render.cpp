#include "curtain_render.h"

#include <cstring>
#include <memory>
#include <new>

#include "curtain_folds.h"
#include "rect_fill.h"
#include "slice_runner.h"
#include "unit_progress.h"

namespace zk {
namespace {

bool IsBlack(const uint8_t* pixel) { return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0; }

// Texture pixel times a shade factor, saturated at 255.
void ShadePixel(uint8_t* out, const uint8_t* texture, double factor) {
  for (int32_t c = 0; c < 3; ++c) {
    const int32_t level = static_cast<int32_t>(texture[c] * factor);
    out[c] = static_cast<uint8_t>(level < 255 ? level : 255);
  }
}

int32_t ClampColumn(int32_t c, int32_t width) { return c < 0 ? 0 : (c >= width ? width - 1 : c); }

// Output column i of each half: the left half's column i shows the cloth n - 1 - i columns
// from the middle, the right half's column w - n + i the cloth i columns from the middle.
struct ClothColumn {
  int32_t leftTexture, rightTexture;
  double leftFactor, rightFactor;
  float leftScale, rightScale;
};

ClothColumn ClothColumnAt(int32_t w, const FoldEntry* folds, int32_t n, int32_t i) {
  const FoldEntry& left = folds[n - 1 - i];
  const FoldEntry& right = folds[i];
  return ClothColumn{ClampColumn(w / 2 - static_cast<int32_t>(left.arc), w),
                     ClampColumn(w / 2 + static_cast<int32_t>(right.arc), w),
                     1 - left.shade * 0.75,
                     1 + right.shade * 0.75,
                     left.scale,
                     right.scale};
}

// The output rows cloth row y lands on in each half.
int32_t LeftRow(int32_t h, const ClothColumn& c, int32_t y) {
  const double middleRow = h * 0.5;
  return static_cast<int32_t>(middleRow + (y - middleRow) / c.leftScale);
}
int32_t RightRow(int32_t h, const ClothColumn& c, int32_t y) {
  return static_cast<int32_t>(h / 2 + static_cast<double>(y - h / 2) / c.rightScale);
}

// Draws both halves of the cloth; pixels it does not reach stay black.
void DrawHalves(const FrameView& v, const uint8_t* cloth, const FoldEntry* folds, int32_t n) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  for (int32_t i = 0; i < n; ++i) {
    const ClothColumn c = ClothColumnAt(w, folds, n, i);
    for (int32_t y = 0; y < h; ++y) {
      const uint8_t* texture = cloth + y * v.stride;
      ShadePixel(OutRow(v, LeftRow(h, c, y)) + i * 3, texture + c.leftTexture * 3, c.leftFactor);
      ShadePixel(OutRow(v, RightRow(h, c, y)) + (w - n + i) * 3, texture + c.rightTexture * 3,
                 c.rightFactor);
    }
  }
}

// DrawHalves for output rows first..end-1 alone, the same pixels written in the same order.
// A column's output row grows with the cloth row (the scales are positive), so the cloth
// rows landing in the band are one run, found by bisection with the very same arithmetic.
void DrawHalvesInRows(const FrameView& v, const uint8_t* cloth, const FoldEntry* folds, int32_t n,
                      int32_t first, int32_t end) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  // The first y in [0, h] whose row reaches `row` (h: none).
  auto firstReaching = [h](int32_t row, auto rowOf) {
    int32_t lo = 0, hi = h;
    while (lo < hi) {
      const int32_t mid = lo + (hi - lo) / 2;
      if (rowOf(mid) >= row) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    return lo;
  };
  for (int32_t i = 0; i < n; ++i) {
    const ClothColumn c = ClothColumnAt(w, folds, n, i);
    auto leftRowOf = [&](int32_t y) { return LeftRow(h, c, y); };
    auto rightRowOf = [&](int32_t y) { return RightRow(h, c, y); };
    const int32_t leftFrom = firstReaching(first, leftRowOf);
    const int32_t leftTo = firstReaching(end, leftRowOf);
    const int32_t rightFrom = firstReaching(first, rightRowOf);
    const int32_t rightTo = firstReaching(end, rightRowOf);
    const int32_t from = leftFrom < rightFrom ? leftFrom : rightFrom;
    const int32_t to = leftTo > rightTo ? leftTo : rightTo;
    for (int32_t y = from; y < to; ++y) {
      const uint8_t* texture = cloth + y * v.stride;
      if (y >= leftFrom && y < leftTo) {
        ShadePixel(OutRow(v, LeftRow(h, c, y)) + i * 3, texture + c.leftTexture * 3, c.leftFactor);
      }
      if (y >= rightFrom && y < rightTo) {
        ShadePixel(OutRow(v, RightRow(h, c, y)) + (w - n + i) * 3, texture + c.rightTexture * 3,
                   c.rightFactor);
      }
    }
  }
}

// Black pixels whose neighbour up-and-left by (dx, dy) is cloth get the halved background.
// Rows are visited downward and columns right to left, so every pixel looked at is still
// as the cloth left it.
void CastShadow(const FrameView& v, const uint8_t* background, int32_t divisor) {
  const int32_t dx = v.width / divisor;
  const int32_t dy = v.height / divisor;
  for (int32_t r = 0; r < v.height; ++r) {
    uint8_t* out = OutRow(v, r);
    const uint8_t* back = background + r * v.stride;
    for (int32_t x = v.width - 1; x >= 0; --x) {
      if (!IsBlack(out + x * 3)) continue;
      const int32_t sr = r + dy;
      const int32_t sx = x - dx;
      if (sr < 0 || sr >= v.height || sx < 0 || sx >= v.width) continue;
      if (IsBlack(OutRow(v, sr) + sx * 3)) continue;
      for (int32_t c = 0; c < 3; ++c) out[x * 3 + c] = back[x * 3 + c] >> 1;
    }
  }
}

// CastShadow for rows first..end-1, with `black` telling which pixels the cloth left black
// (W bytes a row): the rows no longer depend on the order they are visited in.
void CastShadowInRows(const FrameView& v, const uint8_t* background, int32_t divisor,
                      const uint8_t* black, int32_t first, int32_t end) {
  const int32_t dx = v.width / divisor;
  const int32_t dy = v.height / divisor;
  const size_t w = static_cast<size_t>(v.width);
  for (int32_t r = first; r < end; ++r) {
    uint8_t* out = OutRow(v, r);
    const uint8_t* back = background + r * v.stride;
    const int32_t sr = r + dy;
    if (sr < 0 || sr >= v.height) continue;
    const uint8_t* here = black + r * w;
    const uint8_t* there = black + sr * w;
    for (int32_t x = v.width - 1; x >= 0; --x) {
      const int32_t sx = x - dx;
      if (!here[x] || sx < 0 || sx >= v.width || there[sx]) continue;
      for (int32_t c = 0; c < 3; ++c) out[x * 3 + c] = back[x * 3 + c] >> 1;
    }
  }
}

// Every pixel still black shows the background.
void FillUncovered(const FrameView& v, const uint8_t* background, int32_t first, int32_t end) {
  for (int32_t r = first; r < end; ++r) {
    uint8_t* out = OutRow(v, r);
    const uint8_t* back = background + r * v.stride;
    for (int32_t x = 0; x < v.width; ++x) {
      if (IsBlack(out + x * 3)) std::memcpy(out + x * 3, back + x * 3, 3);
    }
  }
}

int32_t ShadowDivisor(uint32_t extraFlags) {
  if (extraFlags & kCurtainShadowNarrow) return 60;
  if (extraFlags & kCurtainShadowWide) return 20;
  if (extraFlags & kCurtainShadowMedium) return 35;
  return 0;
}

}  // namespace

int32_t RenderCurtainWith(const FrameView& v, const ScratchSource& scratch) {
  const bool opens = (v.variantFlags & kCurtainOpens) != 0;
  // Progress outside 0..1 (or not a number) would widen the halves past the rectangle.
  const float p = UnitProgress(v.progress);
  const float t = opens ? p : 1 - p;
  const uint8_t* cloth = opens ? v.sceneA : v.sceneB;
  const uint8_t* background = opens ? v.sceneB : v.sceneA;

  const int32_t n = v.width > 0 ? CurtainHalfColumns(v.width, t) : 0;
  ScopedScratch table(scratch, static_cast<size_t>(n) * sizeof(FoldEntry));
  if (!table.ok()) return 0;
  FoldEntry* folds = static_cast<FoldEntry*>(table.data());
  BuildFoldTable(v.width, t, folds, n);

  const int32_t divisor = ShadowDivisor(v.extraFlags);
  bool rising = true;  // every scale positive: output rows grow with cloth rows
  for (int32_t i = 0; i < n; ++i) rising = rising && folds[i].scale > 0;
  const size_t pixels = static_cast<size_t>(v.width > 0 ? v.width : 0) * v.height;
  // The shadow's mask is the render's own memory, not the host's scratch (which holds the
  // fold table alone); short of it the frame is drawn on this thread.
  std::unique_ptr<uint8_t[]> mask(rising && divisor > 0 ? new (std::nothrow) uint8_t[pixels]
                                                        : nullptr);
  if (!rising || (divisor > 0 && mask == nullptr)) {
    FillRectColour(v, 0);
    DrawHalves(v, cloth, folds, n);
    if (divisor > 0) CastShadow(v, background, divisor);
    FillUncovered(v, background, 0, v.height);
    return 1;
  }
  // Bands of output rows side by side: the cloth first, noting which pixels it leaves
  // black; then, once every band has its cloth, the shadow (which looks at rows below) and
  // the background.
  uint8_t* black = mask.get();
  const RowBands bands = PlanRowBands(v.height, 16);
  RunRowBands(bands, [&](int32_t, const RowRange& rows) {
    FillRectColourRows(v, 0, rows.first, rows.end);
    DrawHalvesInRows(v, cloth, folds, n, rows.first, rows.end);
    if (black == nullptr) {
      FillUncovered(v, background, rows.first, rows.end);
      return;
    }
    for (int32_t r = rows.first; r < rows.end; ++r) {
      const uint8_t* out = OutRow(v, r);
      uint8_t* b = black + static_cast<size_t>(r) * v.width;
      for (int32_t x = 0; x < v.width; ++x) b[x] = IsBlack(out + x * 3) ? 1 : 0;
    }
  });
  if (black == nullptr) return 1;
  RunRowBands(bands, [&](int32_t, const RowRange& rows) {
    CastShadowInRows(v, background, divisor, black, rows.first, rows.end);
    FillUncovered(v, background, rows.first, rows.end);
  });
  return 1;
}

int32_t RenderCurtain(const FrameView& v) { return RenderCurtainWith(v, kHeapScratch); }

}  // namespace zk
