#include "curtain_render.h"

#include <cstring>

#include "curtain_folds.h"
#include "rect_fill.h"
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

// Draws both halves of the cloth; pixels it does not reach stay black.
void DrawHalves(const FrameView& v, const uint8_t* cloth, const FoldEntry* folds, int32_t n) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  const double middleRow = h * 0.5;
  for (int32_t i = 0; i < n; ++i) {
    // Left half: column i shows the cloth n - 1 - i columns from the middle.
    const FoldEntry& left = folds[n - 1 - i];
    // Right half: column w - n + i shows the cloth i columns from the middle.
    const FoldEntry& right = folds[i];
    const int32_t leftTexture = ClampColumn(w / 2 - static_cast<int32_t>(left.arc), w);
    const int32_t rightTexture = ClampColumn(w / 2 + static_cast<int32_t>(right.arc), w);
    const double leftFactor = 1 - left.shade * 0.75;
    const double rightFactor = 1 + right.shade * 0.75;
    for (int32_t y = 0; y < h; ++y) {
      const uint8_t* texture = cloth + y * v.stride;
      const int32_t leftRow = static_cast<int32_t>(middleRow + (y - middleRow) / left.scale);
      ShadePixel(OutRow(v, leftRow) + i * 3, texture + leftTexture * 3, leftFactor);
      const int32_t rightRow =
          static_cast<int32_t>(h / 2 + static_cast<double>(y - h / 2) / right.scale);
      ShadePixel(OutRow(v, rightRow) + (w - n + i) * 3, texture + rightTexture * 3, rightFactor);
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

// Every pixel still black shows the background.
void FillUncovered(const FrameView& v, const uint8_t* background) {
  for (int32_t r = 0; r < v.height; ++r) {
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

  FillRectColour(v, 0);
  DrawHalves(v, cloth, folds, n);
  const int32_t divisor = ShadowDivisor(v.extraFlags);
  if (divisor > 0) CastShadow(v, background, divisor);
  FillUncovered(v, background);
  return 1;
}

int32_t RenderCurtain(const FrameView& v) { return RenderCurtainWith(v, kHeapScratch); }

}  // namespace zk
