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
  float* scratch = new (std::nothrow) float[2 * width + static_cast<size_t>(table.count)];
  if (scratch == nullptr) return 0;
  float* positions = scratch;
  int32_t* orders = reinterpret_cast<int32_t*>(scratch + width);
  table.byOrder = scratch + 2 * width;
  FillBloomPositionTable(&table);
  BloomRowOrders rowOrders;
  MakeBloomRowOrders(g, &rowOrders);
  // Where the order depends on the column alone, every row has the positions of the first,
  // and so the same runs: they are planned once.
  const bool columnsOnly = BloomOrderIgnoresLine(g);
  BloomRun* runs = nullptr;
  int32_t runCount = 0;
  if (columnsOnly && BloomModeHasRuns(params.bloomMode)) {
    runs = new (std::nothrow) BloomRun[width];
  }
  if (PlainKernels()) {
    ForEachRectRow(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
      BloomLocalPositionRow(g, row * step, table.step, table.duration, table.progress, positions);
      BloomBlendRowPlain(params.bloomMode, out, a, b, positions, v.width);
    });
    delete[] scratch;
    return 1;
  }
  ForEachRectRow(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
    if (row == 0 || !columnsOnly) {
      BloomOrderRow(rowOrders, row * step, orders);
      BloomPositionsFromOrders(table, orders, v.width, positions);
      if (runs != nullptr) runCount = PlanBloomRuns(params.bloomMode, positions, v.width, runs);
    }
    if (runs != nullptr) {
      BloomBlendPlannedRow(params.bloomMode, out, a, b, positions, runs, runCount);
    } else {
      BloomBlendRow(params.bloomMode, out, a, b, positions, v.width);
    }
  });
  delete[] runs;
  delete[] scratch;
  return 1;
}

}  // namespace zk
