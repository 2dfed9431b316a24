// Row kernels of the bloom modes: each pixel blends scene A into scene B by its own local
// position f, straight across (crossfade), through white or black, or through noise.
#pragma once

#include <cstdint>

namespace zk {

// Rand15 draws BloomBlendRow makes for a row of `width` pixels in the given mode.
int64_t BloomRowDraws(int32_t mode, int32_t width);

// A noise level from one 15-bit draw: 32 to 255, favouring bright values.
int32_t BloomNoiseLevel(int32_t draw);

// Writes `width` pixels of one rectangle row. Noise modes draw from Rand15: mode 3 once
// per pixel, mode 4 once per byte. Unknown modes blend as a crossfade.
void BloomBlendRowPlain(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                        const float* positions, int32_t width);

// The same bytes and draws, the row taken in runs of pixels that share one position.
void BloomBlendRow(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                   const float* positions, int32_t width);

// A run of pixels from .. to - 1 sharing one local position, and what that position does
// to their bytes: scene A or B as it is, a whole number of levels added to or taken from
// one scene (the flashes), the fixed-point crossfade, or the plain per-byte formula.
struct BloomRun {
  enum Kind : uint8_t { kPlain, kCopyA, kCopyB, kAdd, kSubtract, kFixedCrossfade };
  int32_t from;
  int32_t to;
  float position;
  Kind kind;
  bool fromB;     // kAdd, kSubtract: the bytes of scene B, else those of scene A
  uint8_t level;  // kAdd, kSubtract: the levels added or taken away
};

// False for the noise modes, whose every pixel draws from Rand15.
bool BloomModeHasRuns(int32_t mode);

// The runs of a row of positions (at most `width` of them, written to `runs`): rows that
// share their positions share the plan. Modes with runs only.
int32_t PlanBloomRuns(int32_t mode, const float* positions, int32_t width, BloomRun* runs);

// BloomBlendRow through a plan made from the same positions.
void BloomBlendPlannedRow(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                          const float* positions, const BloomRun* runs, int32_t count);

}  // namespace zk
