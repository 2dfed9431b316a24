#include "frame_convert.h"

namespace zk {

void RgbaLineToBgrRow(const uint8_t* rgba, int32_t width, uint8_t* bgr) {
  for (int32_t x = 0; x < width; ++x) {
    bgr[0] = rgba[2];
    bgr[1] = rgba[1];
    bgr[2] = rgba[0];
    rgba += 4;
    bgr += 3;
  }
}

void BgrRowToRgbaLine(const uint8_t* bgr, const uint8_t* rgbaA, const uint8_t* rgbaB,
                      double progress, int32_t width, uint8_t* rgba) {
  for (int32_t x = 0; x < width; ++x) {
    rgba[0] = bgr[2];
    rgba[1] = bgr[1];
    rgba[2] = bgr[0];
    const uint8_t a = rgbaA[3], b = rgbaB[3];
    rgba[3] = (a == 255 && b == 255)
                  ? 255
                  : static_cast<uint8_t>(static_cast<int32_t>((1.0 - progress) * a + progress * b));
    bgr += 3;
    rgbaA += 4;
    rgbaB += 4;
    rgba += 4;
  }
}

}  // namespace zk
