#include "bloom_timing.h"

namespace zk {

float BloomStartStep(float duration, int32_t extent) {
  if (extent == 0) return 0.0f;
  return static_cast<float>((1.0 - static_cast<double>(duration)) / extent);
}

float BloomLocalPosition(int32_t order, float step, float duration, float progress) {
  const float start = static_cast<float>(static_cast<double>(order) * step);
  const double p = progress;
  if (p <= start) return 0.0f;
  // The end time is the 32-bit sum of two 32-bit floats. Summed in double it can land one
  // ulp past 1 for the last pixels, which would then never quite reach scene B.
  const float end = start + duration;
  if (end <= p) return 1.0f;
  const float f = static_cast<float>((p - start) / duration);
  // Only a record with a non-finite duration gets here without a number in 0..1.
  return f >= 0.0f ? (f <= 1.0f ? f : 1.0f) : 0.0f;
}

void BloomLocalPositionRow(const BloomGeometry& g, int32_t y, float step, float duration,
                           float progress, float* positions) {
  for (int32_t x = 0; x < g.width; ++x) {
    // The diagonal orders divide by the extent; with none, every pixel has order 0.
    int32_t order = g.extent != 0 ? BloomOrder(g, x, y) : 0;
    // The falling diagonals can put one corner pixel at -1, which would start it before
    // the transition does; it starts with the pixels of order 0 instead.
    if (order < 0) order = 0;
    positions[x] = BloomLocalPosition(order, step, duration, progress);
  }
}

void FillBloomPositionTable(BloomPositionTable* table) {
  for (int32_t m = 0; m < table->count; ++m) {
    table->byOrder[m] = BloomLocalPosition(m, table->step, table->duration, table->progress);
  }
}

void BloomPositionsFromOrders(const BloomPositionTable& table, const int32_t* orders, int32_t width,
                              float* positions) {
  for (int32_t x = 0; x < width; ++x) {
    const int32_t m = orders[x];
    positions[x] = (m >= 0 && m < table.count)
                       ? table.byOrder[m]
                       : BloomLocalPosition(m, table.step, table.duration, table.progress);
  }
}

}  // namespace zk
