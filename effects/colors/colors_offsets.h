// Where the three channel images of the moving scene sit for one frame.
#pragma once

#include <cstdint>

namespace zk {

// The host's variant word that makes scene B's channels fly in over scene A. Every other
// value (0, 0x10000, 0x30000, ...) makes scene A's channels fly out over scene B.
constexpr uint32_t kColorsVariantFlyIn = 0x20000;

struct ChannelOffset {
  int32_t x;     // columns
  int32_t line;  // picture lines
};

struct ColorsLayout {
  bool movingIsB;
  bool movingHasLeft;        // the end of the travel: only the background shows
  ChannelOffset channel[3];  // blue, green, red
};

// Offsets of the channels for progress p over a rectangle of `width` columns and
// `lines` picture lines.
ColorsLayout LayOutColorChannels(uint32_t variantFlags, float p, int32_t width, int32_t lines);

}  // namespace zk
