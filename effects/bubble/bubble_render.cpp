#include "bubble_render.h"

#include <cstring>

#include "bubble_geometry.h"
#include "kernel_choice.h"
#include "picture_lines.h"
#include "scratch_source.h"
#include "slice_runner.h"
#include "tile_walk.h"
#include "unit_progress.h"

namespace zk {
namespace {

// The centre line has no well-defined ray direction, so it is smoothed over from its two
// neighbours: byte-wise mean, rounded down.
void AverageIntoRow(uint8_t* row, const uint8_t* above, const uint8_t* below, int32_t bytes) {
  for (int32_t i = 0; i < bytes; ++i) {
    row[i] = static_cast<uint8_t>((above[i] + below[i]) >> 1);
  }
}

}  // namespace

int32_t RenderBubble(const FrameView& v) { return RenderBubbleWith(v, FastPathScratch()); }

int32_t RenderBubbleWith(const FrameView& v, const ScratchSource& scratch) {
  const bool shrinkA = (v.variantFlags & kBubbleShrinkA) != 0;
  const double p = UnitProgress(v.progress);
  const double t = shrinkA ? p : 1.0 - p;
  const uint8_t* inside = shrinkA ? v.sceneA : v.sceneB;
  const uint8_t* outside = shrinkA ? v.sceneB : v.sceneA;
  const BubbleShape shape = MakeBubbleShape(v.width, PictureLineCount(v), t);
  auto copySample = [&](uint8_t* out, const BubbleSample& s) {
    const uint8_t* scene = s.inside ? inside : outside;
    std::memcpy(out, scene + RowOfPictureLine(v, s.y) * v.stride + s.x * 3, 3);
  };

  const size_t width = static_cast<size_t>(v.width > 0 ? v.width : 0);
  const size_t lines = static_cast<size_t>(shape.lines > 0 ? shape.lines : 0);
  // The address arrays follow the tables on a boundary of their own alignment.
  constexpr size_t kAlign = alignof(const uint8_t*);
  const size_t tableBytes = (BubbleRowTablesBytes(shape) + kAlign - 1) / kAlign * kAlign;
  const RowBands bands = PlanRowBands(v.height, 16);
  // Each band walks with its own row of sources and of distances; the line arrays after them
  // start on their own alignment again.
  const size_t sampleBytes =
      (width * (sizeof(const uint8_t*) + sizeof(int32_t)) * bands.count + kAlign - 1) / kAlign *
      kAlign;
  ScopedScratch block(scratch, tableBytes + sampleBytes + 2 * lines * sizeof(const uint8_t*));
  BubbleRowTables tables;
  if (v.width > 0 && block.ok() && MakeBubbleRowTables(shape, block.data(), &tables)) {
    uint8_t* memory = static_cast<uint8_t*>(block.data());
    const uint8_t** sampleRows = reinterpret_cast<const uint8_t**>(memory + tableBytes);
    // The row of each picture line in both scenes, so that no pixel divides by the step.
    const uint8_t** insideLines =
        reinterpret_cast<const uint8_t**>(memory + tableBytes + sampleBytes);
    const uint8_t** outsideLines = insideLines + lines;
    for (int32_t y = 0; y < shape.lines; ++y) {
      insideLines[y] = inside + RowOfPictureLine(v, y) * v.stride;
      outsideLines[y] = outside + RowOfPictureLine(v, y) * v.stride;
    }
    // Every pixel copies its own sample: bands of rows side by side. Sources spread along
    // the rays: tiles of 32 x 64 measured fastest at 1920 x 1080.
    RunRowBands(bands, [&](int32_t band, const RowRange& rows) {
      const uint8_t** sources = sampleRows + width * band;
      BubbleRowTables own = tables;
      own.distances = reinterpret_cast<int32_t*>(sampleRows + width * bands.count) + width * band;
      ForEachTileSpanInRows(
          v.width, rows.first, rows.end, 32, 64, [&](int32_t row, int32_t left, int32_t n) {
            BubbleSpanSources(own, row * v.lineStep, left, n, insideLines, outsideLines, sources);
            uint8_t* out = OutRow(v, row) + 3 * left;
            for (int32_t i = 0; i < n; ++i) std::memcpy(out + i * 3, sources[i], 3);
          });
    });
  } else {
    ForEachPictureLine(v, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t, int32_t line) {
      for (int32_t x = 0; x < v.width; ++x) {
        copySample(out + x * 3, SampleBubble(shape, x, line));
      }
    });
  }

  // Needs a row on each side inside the rectangle.
  if (v.height >= 3) {
    const int32_t middle = RowOfPictureLine(v, shape.halfLines);
    AverageIntoRow(OutRow(v, middle), OutRow(v, middle - 1), OutRow(v, middle + 1), v.width * 3);
  }
  return 1;
}

}  // namespace zk
