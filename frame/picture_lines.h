// Effects that honour field mode lay their geometry over picture lines: each rectangle
// row stands for lineStep lines (2 in field mode) and samples the first of them.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "pixel_rows.h"

namespace zk {

// Picture lines the rectangle stands for: rectHeight x lineStep.
inline int32_t PictureLineCount(const FrameView& v) { return v.height * v.lineStep; }

// The rectangle row that shows picture line `line`.
inline int32_t RowOfPictureLine(const FrameView& v, int32_t line) { return line / v.lineStep; }

// Calls fn(outRow, sceneARow, sceneBRow, row, line) for rectangle rows first..end-1 with
// the picture line each samples (line = row x lineStep).
template <class LineFn>
void ForEachPictureLineIn(const FrameView& v, int32_t first, int32_t end, LineFn&& fn) {
  ForEachRectRowIn(v, first, end,
                   [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
                     fn(out, a, b, row, row * v.lineStep);
                   });
}

// The same for every rectangle row.
template <class LineFn>
void ForEachPictureLine(const FrameView& v, LineFn&& fn) {
  ForEachPictureLineIn(v, 0, v.height, fn);
}

}  // namespace zk
