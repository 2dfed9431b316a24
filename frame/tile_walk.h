// Effects that read their sources along curves (turned, squeezed along rays) read
// neighbouring sources for neighbouring pixels of neighbouring rows, while one whole row
// spreads its reads over many lines. Walking the rectangle in tiles keeps the lines one
// tile reads in the first-level cache.
#pragma once

#include <cstdint>

namespace zk {

// Calls fn(row, left, count) for every tile row part of rows first..end-1: tiles of
// tileRows x tileColumns from row `first`, left to right, top to bottom, each tile's rows
// in order.
template <class SpanFn>
void ForEachTileSpanInRows(int32_t width, int32_t first, int32_t end, int32_t tileRows,
                           int32_t tileColumns, SpanFn&& fn) {
  for (int32_t top = first; top < end; top += tileRows) {
    const int32_t bottom = top + tileRows < end ? top + tileRows : end;
    for (int32_t left = 0; left < width; left += tileColumns) {
      const int32_t count = left + tileColumns < width ? tileColumns : width - left;
      for (int32_t row = top; row < bottom; ++row) fn(row, left, count);
    }
  }
}

// The same over every row.
template <class SpanFn>
void ForEachTileSpan(int32_t width, int32_t height, int32_t tileRows, int32_t tileColumns,
                     SpanFn&& fn) {
  ForEachTileSpanInRows(width, 0, height, tileRows, tileColumns, fn);
}

}  // namespace zk
