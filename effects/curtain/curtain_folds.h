// The folds of one curtain half: per column (counted from the middle of the stage), the
// depth of the cloth, the length of cloth gathered up to it, its shade and its perspective
// scale.
#pragma once

#include <cstdint>

namespace zk {

struct FoldEntry {
  float depth;  // z: 0 at the front, up to twice the fold amplitude
  float arc;    // a: cloth length from the first column, in texture columns
  float shade;  // h: -1 .. 1, the slope of the cloth seen from the left
  float scale;  // k: 1 at the front, larger deeper in, shrinking rows toward the centre
};
static_assert(sizeof(FoldEntry) == 16, "four 32-bit floats");

// Columns of each half: (1 - t) x (W / 2), truncated, for t = 0 (closed) .. 1 (open).
int32_t CurtainHalfColumns(int32_t width, float t);

// Fills entries[0 .. count - 1] for a stage of the given width at openness t.
void BuildFoldTable(int32_t width, float t, FoldEntry* entries, int32_t count);

}  // namespace zk
