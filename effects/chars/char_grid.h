// The tape of characters that rains down the screen. It is rebuilt on every frame from the
// settings, the sizes and the estimated frame count alone, so every frame of a transition
// sees the same tape; the frame index only decides how far the tape has moved.
#pragma once

#include <cstdint>
#include <memory>

#include "chars_params.h"

namespace zk {

// What the module remembers from one frame call to the next (process-wide, never reset).
struct FrameClock {
  float previousProgress;
  float progressStep;
  int32_t frameCount;
  int32_t frameIndex;
};

// The estimate is capped so a tiny progress step cannot ask for an unbounded tape.
constexpr int32_t kLargestFrameCount = 1 << 16;

// F from the step between this call and the previous one; with no step to go on (the same
// progress again and no step recorded) it is 0.
int32_t EstimateFrameCount(const FrameClock& clock, float progress);
int32_t FrameIndexAt(int32_t frameCount, float progress);
// Made by every frame call that is not declined.
void AdvanceFrameClock(FrameClock* clock, float progress);

struct CharGrid {
  int32_t cols = 0;
  int32_t visibleRows = 0;  // V: whole cell rows on the screen
  int32_t tapeRows = 0;     // R
  double speed = 0;         // cell rows the tape moves per frame: 0.5, 1 or 2
  // (R + 2) x cols entries each, tape row q and column c at q x cols + c; null when the
  // tape is empty or memory was short.
  std::unique_ptr<uint8_t[]> glyph;
  std::unique_ptr<uint8_t[]> brightness;

  bool HasCells() const { return brightness != nullptr; }
  uint8_t GlyphAt(int32_t q, int32_t c) const { return glyph[static_cast<size_t>(q) * cols + c]; }
  uint8_t BrightnessAt(int32_t q, int32_t c) const {
    return brightness[static_cast<size_t>(q) * cols + c];
  }
};

struct CharGridSize {
  int32_t width;       // rectangle width W
  int32_t height;      // rectangle height H
  int32_t cellWidth;   // cw, at least 1
  int32_t cellHeight;  // ch, at least 1
  int32_t frameCount;  // F
  int32_t glyphCount;  // N
};

// Builds the tape; nothing is built for F <= 0. Without memory for the arrays the grid
// keeps its sizes but has no cells.
void BuildCharGrid(const CharsParams& params, const CharGridSize& size, CharGrid* grid);

// Overwrites every tape glyph with one from the running 15-bit generator.
void RandomizeGridGlyphs(int32_t glyphCount, CharGrid* grid);

}  // namespace zk
