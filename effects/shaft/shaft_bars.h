// The ten slanted bars: their common lean and slot width, the order in which the slots
// start, and each bar drawn into a coverage mask of one byte per picture pixel.
#pragma once

#include <cstdint>

namespace zk {

// variantFlags values: the order in which the ten slots start.
constexpr uint32_t kShaftRightToLeft = 4;
constexpr uint32_t kShaftLeftToRight = 8;
constexpr uint32_t kShaftFromCentre = 0x100;
constexpr uint32_t kShaftFromSides = 0x200;

constexpr int32_t kShaftBarCount = 10;

struct ShaftLayout {
  int32_t width;      // W
  int32_t lines;      // Hs: picture lines
  int32_t lean;       // ox: columns the bars lean left over the full height (negative)
  float slope;        // columns per line
  int32_t slotWidth;  // bw: one tenth of the width plus the stretched lean
  bool fromCentre;    // centre-out order: wider slots, all bars shifted left
};

ShaftLayout MakeShaftLayout(int32_t width, int32_t lines, uint32_t variant);

// Slot (0 = leftmost) of the k-th bar to start.
int32_t ShaftSlot(uint32_t variant, int32_t k);

// Marks (255) the part of bar k (in slot `slot`) that has grown by progress p.
void DrawShaftBar(const ShaftLayout& layout, int32_t k, int32_t slot, float p, uint8_t* mask);

}  // namespace zk
