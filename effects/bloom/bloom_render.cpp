#include "bloom_render.h"

#include <cmath>
#include <cstring>
#include <new>

#include "bloom_blend.h"
#include "bloom_order.h"
#include "bloom_params.h"
#include "bloom_timing.h"
#include "kernel_choice.h"
#include "pixel_rows.h"
#include "rand15.h"
#include "slice_runner.h"

namespace zk {

uint32_t BloomNoiseSeed(double clockSeconds, float progress) {
  const double product = clockSeconds * static_cast<double>(progress);
  if (!std::isfinite(product)) return 0;
  // fmod keeps the low 32 bits of the truncated product whatever its size.
  double low = std::fmod(std::trunc(product), 4294967296.0);
  if (low < 0) low += 4294967296.0;
  return static_cast<uint32_t>(low);
}

int32_t RenderBloom(const FrameView& v, double clockSeconds) {
  if (v.paramBlock == nullptr) return 0;
  BloomParams params;
  std::memcpy(&params, v.paramBlock, sizeof params);
  Rand15Seed(BloomNoiseSeed(clockSeconds, v.progress));
  if (v.width <= 0 || v.height <= 0) return 1;

  const int32_t step = v.lineStep;
  const BloomGeometry g = MakeBloomGeometry(params.bloomDirection, v.width, v.height * step);
  BloomPositionTable table;
  table.step = BloomStartStep(params.bloomDuration, g.extent);
  table.duration = params.bloomDuration;
  table.progress = v.progress;
  // Orders run from 0 to about D: their positions are worked out once a frame.
  table.count = g.extent + 3;
  const size_t width = static_cast<size_t>(v.width);
  // Positions, orders and runs: one row of each for every band.
  const RowBands bands = PlanRowBands(v.height, 16);
  const size_t bandFloats = 2 * width;
  float* scratch =
      new (std::nothrow) float[bandFloats * bands.count + static_cast<size_t>(table.count)];
  if (scratch == nullptr) return 0;
  table.byOrder = scratch + bandFloats * bands.count;
  FillBloomPositionTable(&table);
  BloomRowOrders rowOrders;
  MakeBloomRowOrders(g, &rowOrders);
  // Where the order depends on the column alone, every row has the positions of the first,
  // and so the same runs: they are planned once a band.
  const bool columnsOnly = BloomOrderIgnoresLine(g);
  BloomRun* runRows = nullptr;
  if (columnsOnly && BloomModeHasRuns(params.bloomMode)) {
    runRows = new (std::nothrow) BloomRun[width * bands.count];
  }
  const bool plain = PlainKernels();
  // The noise modes draw the same count of Rand15 numbers on every row, so a band starts
  // from the state as many draws on as the rows above it make; the thread that called
  // leaves with the state after the last row, as if it had drawn every one.
  const uint32_t seed = Rand15State();
  const int64_t rowDraws = BloomRowDraws(params.bloomMode, v.width);
  RunRowBands(bands, [&](int32_t band, const RowRange& rows) {
    Rand15Seed(Rand15StateAfter(seed, static_cast<uint64_t>(rowDraws * rows.first)));
    float* positions = scratch + bandFloats * band;
    int32_t* orders = reinterpret_cast<int32_t*>(positions + width);
    BloomRun* runs = runRows != nullptr ? runRows + width * band : nullptr;
    int32_t runCount = 0;
    ForEachRectRowIn(v, rows.first, rows.end,
                     [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
                       if (plain) {
                         BloomLocalPositionRow(g, row * step, table.step, table.duration,
                                               table.progress, positions);
                         BloomBlendRowPlain(params.bloomMode, out, a, b, positions, v.width);
                         return;
                       }
                       if (row == rows.first || !columnsOnly) {
                         BloomOrderRow(rowOrders, row * step, orders);
                         BloomPositionsFromOrders(table, orders, v.width, positions);
                         if (runs != nullptr)
                           runCount = PlanBloomRuns(params.bloomMode, positions, v.width, runs);
                       }
                       if (runs != nullptr) {
                         BloomBlendPlannedRow(params.bloomMode, out, a, b, positions, runs,
                                              runCount);
                       } else {
                         BloomBlendRow(params.bloomMode, out, a, b, positions, v.width);
                       }
                     });
  });
  Rand15Seed(Rand15StateAfter(seed, static_cast<uint64_t>(rowDraws * v.height)));
  delete[] runRows;
  delete[] scratch;
  return 1;
}

}  // namespace zk
