// Colour words: 0x00BBGGRR, red in the low byte (the Win32 COLORREF layout).
#pragma once

#include <cstdint>

namespace zk {

inline uint8_t ColourRed(uint32_t word) { return static_cast<uint8_t>(word); }
inline uint8_t ColourGreen(uint32_t word) { return static_cast<uint8_t>(word >> 8); }
inline uint8_t ColourBlue(uint32_t word) { return static_cast<uint8_t>(word >> 16); }

// The three bytes of a colour word in frame order: blue, green, red.
struct PixelBgr {
  uint8_t b, g, r;
};
inline PixelBgr ColourToPixel(uint32_t word) {
  return PixelBgr{ColourBlue(word), ColourGreen(word), ColourRed(word)};
}
inline uint32_t PixelToColour(uint8_t b, uint8_t g, uint8_t r) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
         (static_cast<uint32_t>(b) << 16);
}

}  // namespace zk
