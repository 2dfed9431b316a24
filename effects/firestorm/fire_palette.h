// The fire palette: six-bit red, green and blue levels (0..63) for every heat 0..255,
// from black through dark red and orange to pale yellow.
#pragma once

#include <cstdint>

namespace zk {

struct FirePalette {
  uint8_t red[256];
  uint8_t green[256];
  uint8_t blue[256];
};

extern const FirePalette kFirePalette;

}  // namespace zk
