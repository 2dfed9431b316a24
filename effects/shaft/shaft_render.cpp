#include "shaft_render.h"

#include "picture_lines.h"
#include "shaft_bars.h"
#include "slice_runner.h"
#include "unit_progress.h"

namespace zk {
namespace {

constexpr float kPerLevel = 0.003921568859f;  // 1 / 255

// Byte-wise blend by the mask: a mask of 255 gives a weight of exactly 1 in single
// precision, so covered pixels are scene B's bytes and uncovered ones scene A's.
void ComposeRow(uint8_t* out, const uint8_t* a, const uint8_t* b, const uint8_t* mask,
                int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    const double f = static_cast<float>(mask[x] * kPerLevel);
    for (int32_t c = x * 3; c < x * 3 + 3; ++c) {
      out[c] = static_cast<uint8_t>(static_cast<int32_t>(a[c] * (1 - f) + b[c] * f));
    }
  }
}

}  // namespace

int32_t RenderShaftWith(const FrameView& v, const ScratchSource& scratch) {
  const int32_t lines = PictureLineCount(v);
  const size_t maskBytes =
      v.width > 0 && lines > 0 ? static_cast<size_t>(v.width) * static_cast<size_t>(lines) : 0;
  ScopedScratch mask(scratch, maskBytes);
  if (!mask.ok()) return 0;
  if (maskBytes == 0) return 1;
  uint8_t* coverage = static_cast<uint8_t*>(mask.data());

  const ShaftLayout layout = MakeShaftLayout(v.width, lines, v.variantFlags);
  for (int32_t k = 0; k < kShaftBarCount; ++k) {
    DrawShaftBar(layout, k, ShaftSlot(v.variantFlags, k), UnitProgress(v.progress), coverage);
  }
  // Rows compose by their own line's coverage: bands of rows side by side.
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    ForEachPictureLineIn(
        v, first, end,
        [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t, int32_t line) {
          ComposeRow(out, a, b, coverage + static_cast<size_t>(line) * v.width, v.width);
        });
  });
  return 1;
}

int32_t RenderShaft(const FrameView& v) { return RenderShaftWith(v, kHeapScratch); }

}  // namespace zk
