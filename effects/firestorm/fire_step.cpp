#include "fire_step.h"

#include "fire_random.h"
#include "rand15.h"
#include "rand15_local.h"

namespace zk {
namespace {

bool BrighterBy(const uint8_t* pixel, const uint8_t* neighbour, int32_t threshold) {
  return (pixel[0] - neighbour[0] > threshold) | (pixel[1] - neighbour[1] > threshold) |
         (pixel[2] - neighbour[2] > threshold);
}

// Rows of the search within first .. end - 1.
struct SearchRows {
  int32_t first, last;
};
SearchRows RowsSearched(int32_t height, int32_t flameSpeed, int32_t first, int32_t end) {
  const int32_t top = flameSpeed + 1 > first ? flameSpeed + 1 : first;
  const int32_t bottom = height - 3 < end - 1 ? height - 3 : end - 1;
  return SearchRows{top, bottom};
}

}  // namespace

int64_t HotSpotDrawsAbove(int32_t width, int32_t height, int32_t flameSpeed,
                          const HotSpotSearch& search, int32_t row) {
  if (search.testAll || width < 5) return 0;
  const SearchRows rows = RowsSearched(height, flameSpeed, INT32_MIN, row);
  const int64_t count = int64_t{rows.last} - rows.first + 1;
  return count > 0 ? count * (width - 4) : 0;
}

void SetHotSpotsPlain(uint8_t* fire, int32_t width, int32_t height, int32_t flameSpeed,
                      const uint8_t* picture, int32_t stride, const HotSpotSearch& search,
                      int32_t first, int32_t end) {
  const SearchRows rows = RowsSearched(height, flameSpeed, first, end);
  for (int32_t r = rows.first; r <= rows.last; ++r) {
    const uint8_t* row = picture + static_cast<int64_t>(r) * stride;
    uint8_t* fireRow = fire + static_cast<int64_t>(r) * width;
    for (int32_t c = 2; c <= width - 3; ++c) {
      if (!search.testAll && !(Rand15ToUnit(Rand15Next()) < search.chance)) continue;
      const uint8_t* p = row + 3 * c;
      if (BrighterBy(p, p - 3, search.threshold) || BrighterBy(p, p + 3, search.threshold) ||
          BrighterBy(p, p - stride, search.threshold) ||
          BrighterBy(p, p + stride, search.threshold)) {
        fireRow[c] = 255;
      }
    }
  }
}

void SetHotSpots(uint8_t* fire, int32_t width, int32_t height, int32_t flameSpeed,
                 const uint8_t* picture, int32_t stride, const HotSpotSearch& search, int32_t first,
                 int32_t end) {
  // The draws that pass the chance test are those below a bound (the scaled draw grows
  // with the draw), found once instead of scaling every draw.
  const int32_t passing = search.testAll ? 32768 : DrawsBelowChance(search.chance);
  // Held in locals: the fire cells written below could otherwise alias them.
  const int32_t threshold = search.threshold;
  const bool testAll = search.testAll;
  LocalRand15 random;
  const SearchRows rows = RowsSearched(height, flameSpeed, first, end);
  for (int32_t r = rows.first; r <= rows.last; ++r) {
    const uint8_t* row = picture + static_cast<int64_t>(r) * stride;
    uint8_t* fireRow = fire + static_cast<int64_t>(r) * width;
    for (int32_t c = 2; c <= width - 3; ++c) {
      // One draw per candidate pixel decides whether it is looked at at all. The test of
      // the neighbours reads only pixels inside the picture and has no effect of its own,
      // so it is worked out whatever the draw, without a branch on the random outcome.
      const bool looked = testAll || random.Next() < passing;
      const uint8_t* p = row + 3 * c;
      const int hot = int{BrighterBy(p, p - 3, threshold)} | int{BrighterBy(p, p + 3, threshold)} |
                      int{BrighterBy(p, p - stride, threshold)} |
                      int{BrighterBy(p, p + stride, threshold)};
      fireRow[c] = static_cast<uint8_t>(fireRow[c] | ((int{looked} & hot) != 0 ? 255 : 0));
    }
  }
  random.Release();
}

int32_t DrawsBelowChance(double chance) {
  // Invariant: draws below `low` pass, draws from `high` on fail.
  int32_t low = 0;
  int32_t high = 32768;
  while (low < high) {
    const int32_t mid = low + (high - low) / 2;
    if (Rand15ToUnit(mid) < chance) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

void StepFire(const uint8_t* previous, uint8_t* current, const uint8_t* cooling, int32_t width,
              int32_t height, int32_t flameSpeed) {
  StepFireRows(previous, current, cooling, width, height, flameSpeed, 0, height);
}

void StepFireRows(const uint8_t* previous, uint8_t* current, const uint8_t* cooling, int32_t width,
                  int32_t height, int32_t flameSpeed, int32_t first, int32_t end) {
  // With a speed of 0 the last source row would read one row past the buffer.
  int32_t lastRow = height - flameSpeed - 1;
  if (lastRow > height - 2) lastRow = height - 2;
  if (lastRow > end - 1) lastRow = end - 1;
  for (int32_t r = first > 1 ? first : 1; r <= lastRow; ++r) {
    const uint8_t* prev = previous + static_cast<int64_t>(r) * width;
    const uint8_t* cool = cooling + static_cast<int64_t>(r) * width;
    uint8_t* out = current + static_cast<int64_t>(r + flameSpeed) * width;
    for (int32_t c = 1; c <= width - 2; ++c) {
      const int32_t v =
          (prev[c - width] + prev[c + width] + prev[c - 1] + prev[c + 1]) / 4 - cool[c];
      out[c] = static_cast<uint8_t>(v < 0 ? 0 : v);
    }
  }
}

}  // namespace zk
