#include "mosaic_render.h"

#include "mosaic_grid.h"
#include "saturating_trunc.h"
#include "slice_runner.h"
#include "unit_progress.h"

namespace zk {
namespace {

// Mean colour of every block. Block j, k averages the source pixels at rows
// trunc(a + m j) for integers a < m and columns trunc(b + u k) for integers b < u; with
// fractional sides neighbouring blocks share a row or column.
void AverageBlocks(const FrameView& v, const uint8_t* source, const MosaicGrid& g,
                   const RowRange& blockRows, uint8_t* colours) {
  const double m = g.blockHeight;
  const double u = g.blockWidth;
  for (int32_t j = blockRows.first; j < blockRows.end; ++j) {
    for (int32_t k = 0; k < g.columns; ++k) {
      uint64_t sum[3] = {0, 0, 0};
      uint64_t count = 0;
      for (int32_t a = 0; a < m; ++a) {
        const int32_t y = static_cast<int32_t>(a + m * j);
        if (y >= v.height) continue;
        const uint8_t* row = source + static_cast<int64_t>(y) * v.stride;
        for (int32_t b = 0; b < u; ++b) {
          const int32_t x = static_cast<int32_t>(b + u * k);
          if (x >= v.width) continue;
          const uint8_t* px = row + 3 * x;
          sum[0] += px[0];
          sum[1] += px[1];
          sum[2] += px[2];
          ++count;
        }
      }
      uint8_t* c = colours + 3 * (static_cast<size_t>(j) * g.columns + k);
      for (int i = 0; i < 3; ++i) c[i] = count ? static_cast<uint8_t>(sum[i] / count) : 0;
    }
  }
}

// Block row or column of a pixel. On sizes the blocks do not divide, the last pixels
// would fall one past the grid (into the next row of blocks, or past the buffer); they
// take the colour of the last block instead.
int32_t BlockOf(int32_t pixel, double side, int32_t count) {
  const int32_t i = SaturatingTrunc(pixel / side);
  return i < count ? i : count - 1;
}

}  // namespace

int32_t RenderMosaicWith(const FrameView& v, const ScratchSource& scratch) {
  if (v.width <= 0 || v.height <= 0) return 1;
  const MosaicGrid g = MakeMosaicGrid(v.width, v.height, v.progress);
  if (g.rows < 1 || g.columns < 1) return 1;  // blocks are at most half the extent: never
  const size_t blocks = static_cast<size_t>(g.rows) * static_cast<size_t>(g.columns);
  ScopedScratch buffer(scratch, blocks * 3);
  if (!buffer.ok()) return 0;
  uint8_t* colours = static_cast<uint8_t*>(buffer.data());
  // The switch to scene B happens at 0.5 exactly: the coarsest frame already shows B.
  const uint8_t* source = UnitProgress(v.progress) < 0.5f ? v.sceneA : v.sceneB;
  // Every block averages its own pixels, and every row shows its own blocks: bands of
  // block rows, then bands of rows, side by side.
  ForEachRowBand(g.rows, 1, [&](int32_t first, int32_t end) {
    AverageBlocks(v, source, g, RowRange{first, end}, colours);
  });
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    uint8_t* out = v.out + static_cast<intptr_t>(first) * v.stride;
    for (int32_t y = first; y < end; ++y, out += v.stride) {
      const uint8_t* blockRow =
          colours + 3 * static_cast<size_t>(BlockOf(y, g.blockHeight, g.rows)) * g.columns;
      for (int32_t x = 0; x < v.width; ++x) {
        const uint8_t* c = blockRow + 3 * BlockOf(x, g.blockWidth, g.columns);
        out[3 * x] = c[0];
        out[3 * x + 1] = c[1];
        out[3 * x + 2] = c[2];
      }
    }
  });
  return 1;
}

int32_t RenderMosaic(const FrameView& v) { return RenderMosaicWith(v, kHeapScratch); }

}  // namespace zk
