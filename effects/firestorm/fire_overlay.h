// Lays the fire over the picture: each heat has a palette colour and an opacity that
// grows with the colour's brightness, the overlay gain and the fade-out.
#pragma once

#include <cstdint>

namespace zk {

// Per-frame blend of each heat: the palette colour (levels x 4) and the weight
// opacity x (1/255 in single precision) it is mixed in with.
struct FireBlendTable {
  uint8_t blue[256];
  uint8_t green[256];
  uint8_t red[256];
  int32_t alpha[256];  // 0..255
  double weight[256];  // alpha * 1/255
};

// Opacity of a heat: trunc(mean level * 4 / 3 * fade * gain), held to 0..255.
int32_t FireAlpha(int32_t heat, double fade, double gain);
void MakeFireBlendTable(double fade, double gain, FireBlendTable* table);

// Blends one rectangle row (width pixels) with its row of fire cells.
void OverlayFireRow(uint8_t* out, const uint8_t* fireRow, int32_t width,
                    const FireBlendTable& table);

}  // namespace zk
