// Concentric sine rings of one waves frame: the mix level between the scenes as a function
// of a pixel's distance from the centre of the rectangle.
#pragma once

#include <cstdint>

namespace zk {

// variantFlags bits. With 0x20000 the ring phase grows with the progress, so the crests
// (constant phase + distance) travel toward the centre; without it the phase shrinks and
// they travel outward to the border. 0x10000 is the host's default choice.
constexpr uint32_t kWavesRingsInward = 0x20000;
constexpr uint32_t kWavesRingsOutward = 0x10000;

struct WavesFrame {
  int32_t halfWidth;  // hw = W / 2
  int32_t halfLines;  // hh = Hs / 2, in picture lines
  int32_t radius;     // R = min(hw, hh)
  int32_t ringStep;   // R8 = R / 8; 0 leaves no room for rings
  int32_t phase;      // O: how far the rings have travelled
  double progress;
  double amplitude;  // 1 - 2 |0.5 - p|: 0 at the ends, 1 at the middle
};

// `lines` is the rectangle height in picture lines (rows times the line step).
WavesFrame MakeWavesFrame(int32_t width, int32_t lines, float progress, uint32_t variantFlags);

// Ring depth K at distance D: strongest at the centre, 0 from 2R on (held at 0 beyond,
// where it would turn negative and wrap the mix level), and 0 when R is 0.
int32_t WaveDepth(const WavesFrame& f, int32_t distance);

// Mix level q (0 scene A .. 255 scene B) at distance D from the centre.
int32_t WaveMixLevel(const WavesFrame& f, int32_t distance);

}  // namespace zk
