// Row kernels of the bloom modes: each pixel blends scene A into scene B by its own local
// position f, straight across (crossfade), through white or black, or through noise.
#pragma once

#include <cstdint>

namespace zk {

// A noise level from one 15-bit draw: 32 to 255, favouring bright values.
int32_t BloomNoiseLevel(int32_t draw);

// Writes `width` pixels of one rectangle row. Noise modes draw from Rand15: mode 3 once
// per pixel, mode 4 once per byte. Unknown modes blend as a crossfade.
void BloomBlendRowPlain(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                        const float* positions, int32_t width);

// The same bytes and draws, with the pixels that have settled on a scene copied in runs.
void BloomBlendRow(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                   const float* positions, int32_t width);

}  // namespace zk
