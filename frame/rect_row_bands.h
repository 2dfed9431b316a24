// The rectangle's rows in bands side by side, for renders whose rows do not depend on one
// another: fn is called as ForEachRectRow calls it, every row once, on the render's threads.
#pragma once

#include <cstdint>

#include "pixel_rows.h"
#include "slice_runner.h"

namespace zk {

template <class RowFn>
void ForEachRectRowInBands(const FrameView& v, const RowFn& fn) {
  ForEachRowBand(v.height, 16,
                 [&](int32_t first, int32_t end) { ForEachRectRowIn(v, first, end, fn); });
}

}  // namespace zk
