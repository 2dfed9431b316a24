// The cellular fire: hot spots found at edges of the picture, and one step of the fire
// (each cell the mean of its four neighbours less its cooling, carried up by the speed).
// Fire and cooling cells are addressed [row][column] = row * width + column.
#pragma once

#include <climits>
#include <cstdint>

namespace zk {

struct HotSpotSearch {
  int32_t threshold;  // a byte above a neighbour's by more than this makes a hot spot
  bool testAll;       // false: each pixel is tested only when a Rand15 draw allows it
  double chance;      // the chance per pixel when not testing all
};

// Looks at rows flameSpeed + 1 .. height - 3 and columns 2 .. width - 3 of the picture
// (row 0 at `picture`, rows `stride` bytes apart, 3 bytes a pixel) and sets the fire cell
// of every hot pixel to 255; only rows first .. end - 1 of those when given, drawing from
// the thread's Rand15 state as the rows above would have left it (see HotSpotDrawsAbove).
void SetHotSpots(uint8_t* fire, int32_t width, int32_t height, int32_t flameSpeed,
                 const uint8_t* picture, int32_t stride, const HotSpotSearch& search,
                 int32_t first = 0, int32_t end = INT32_MAX);

// The same, scaling every draw and reaching the thread's Rand15 state for each: the form
// SetHotSpots is checked against (same cells, same draws).
void SetHotSpotsPlain(uint8_t* fire, int32_t width, int32_t height, int32_t flameSpeed,
                      const uint8_t* picture, int32_t stride, const HotSpotSearch& search,
                      int32_t first = 0, int32_t end = INT32_MAX);

// The Rand15 draws the search makes on the rows above `row` (one per candidate pixel
// unless every pixel is tested): a band of rows starts from the state that many draws on.
int64_t HotSpotDrawsAbove(int32_t width, int32_t height, int32_t flameSpeed,
                          const HotSpotSearch& search, int32_t row);

// How many of the draws 0 .. 32767 pass the chance test (scaled draw below the chance):
// they are the draws below the number returned.
int32_t DrawsBelowChance(double chance);

// Writes rows flameSpeed + 1 .. height - 1 (not past the last row whatever the speed) and
// columns 1 .. width - 2 of `current` from `previous`; all other cells keep their values.
void StepFire(const uint8_t* previous, uint8_t* current, const uint8_t* cooling, int32_t width,
              int32_t height, int32_t flameSpeed);
// StepFire for source rows first .. end - 1 alone (rows of `current` flameSpeed lower).
void StepFireRows(const uint8_t* previous, uint8_t* current, const uint8_t* cooling, int32_t width,
                  int32_t height, int32_t flameSpeed, int32_t first, int32_t end);

}  // namespace zk
