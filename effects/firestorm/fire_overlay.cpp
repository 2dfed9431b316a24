#include "fire_overlay.h"

#include "fire_palette.h"

namespace zk {
namespace {

constexpr float kInverse255 = 0.003921569f;

uint8_t BlendByte(uint8_t colour, uint8_t o, double weight) {
  return static_cast<uint8_t>(static_cast<int32_t>((colour - o) * weight + o));
}

}  // namespace

int32_t FireAlpha(int32_t heat, double fade, double gain) {
  const int32_t levels =
      kFirePalette.red[heat] + kFirePalette.green[heat] + kFirePalette.blue[heat];
  const int32_t mean = levels * 4 / 3;
  const double a = mean * fade * gain;
  // Settings outside their ranges (a negative gain, progress past 1) must not make the
  // blend leave the byte range; NaN counts as no fire.
  if (!(a > 0.0)) return 0;
  if (a >= 255.0) return 255;
  return static_cast<int32_t>(a);
}

void MakeFireBlendTable(double fade, double gain, FireBlendTable* t) {
  for (int32_t heat = 0; heat < 256; ++heat) {
    t->blue[heat] = static_cast<uint8_t>(kFirePalette.blue[heat] * 4);
    t->green[heat] = static_cast<uint8_t>(kFirePalette.green[heat] * 4);
    t->red[heat] = static_cast<uint8_t>(kFirePalette.red[heat] * 4);
    t->alpha[heat] = FireAlpha(heat, fade, gain);
    t->weight[heat] = t->alpha[heat] * static_cast<double>(kInverse255);
  }
}

void OverlayFireRow(uint8_t* out, const uint8_t* fireRow, int32_t width, const FireBlendTable& t) {
  for (int32_t c = 0; c < width; ++c, out += 3) {
    const uint8_t heat = fireRow[c];
    if (t.alpha[heat] == 0) continue;  // the blend would give the byte back unchanged
    const double w = t.weight[heat];
    out[0] = BlendByte(t.blue[heat], out[0], w);
    out[1] = BlendByte(t.green[heat], out[1], w);
    out[2] = BlendByte(t.red[heat], out[2], w);
  }
}

}  // namespace zk
