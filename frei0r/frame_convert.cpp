#include "frame_convert.h"

#include <cstring>

namespace zk {
namespace {

// The words are read and written in the machine's byte order: little-endian on every
// target the plug-ins are built for, so byte 0 of a word is its lowest byte.
inline uint32_t Load32(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}
inline void Store32(uint8_t* p, uint32_t w) { std::memcpy(p, &w, 4); }

// Swaps bytes 0 and 2 of a pixel word: RGBA to BGR and BGR to RGB alike.
inline uint32_t SwapRedBlue(uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

}  // namespace

uint8_t RgbaLineToBgrRowPlain(const uint8_t* rgba, int32_t width, uint8_t* bgr) {
  uint8_t alpha = 255;
  for (int32_t x = 0; x < width; ++x) {
    bgr[0] = rgba[2];
    bgr[1] = rgba[1];
    bgr[2] = rgba[0];
    alpha &= rgba[3];
    rgba += 4;
    bgr += 3;
  }
  return alpha;
}

void BgrRowToOpaqueRgbaLinePlain(const uint8_t* bgr, int32_t width, uint8_t* rgba) {
  for (int32_t x = 0; x < width; ++x) {
    rgba[0] = bgr[2];
    rgba[1] = bgr[1];
    rgba[2] = bgr[0];
    rgba[3] = 255;
    bgr += 3;
    rgba += 4;
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

// Four pixels at a time: four RGBA words become three BGR words.
uint8_t RgbaLineToBgrRow(const uint8_t* rgba, int32_t width, uint8_t* bgr) {
  uint32_t alphas = 0xFFFFFFFFu;
  int32_t x = 0;
  for (; x + 4 <= width; x += 4) {
    const uint32_t w0 = Load32(rgba), w1 = Load32(rgba + 4);
    const uint32_t w2 = Load32(rgba + 8), w3 = Load32(rgba + 12);
    alphas &= w0 & w1 & w2 & w3;
    const uint32_t p0 = SwapRedBlue(w0), p1 = SwapRedBlue(w1);
    const uint32_t p2 = SwapRedBlue(w2), p3 = SwapRedBlue(w3);
    Store32(bgr, p0 | (p1 << 24));
    Store32(bgr + 4, (p1 >> 8) | (p2 << 16));
    Store32(bgr + 8, (p2 >> 16) | (p3 << 8));
    rgba += 16;
    bgr += 12;
  }
  return static_cast<uint8_t>(alphas >> 24) & RgbaLineToBgrRowPlain(rgba, width - x, bgr);
}

// Three BGR words become four RGBA words.
void BgrRowToOpaqueRgbaLine(const uint8_t* bgr, int32_t width, uint8_t* rgba) {
  int32_t x = 0;
  for (; x + 4 <= width; x += 4) {
    const uint32_t w0 = Load32(bgr), w1 = Load32(bgr + 4), w2 = Load32(bgr + 8);
    // The bytes of four pixels: b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3.
    Store32(rgba, SwapRedBlue(w0 & 0xFFFFFFu) | 0xFF000000u);
    Store32(rgba + 4, SwapRedBlue((w0 >> 24) | ((w1 & 0xFFFFu) << 8)) | 0xFF000000u);
    Store32(rgba + 8, SwapRedBlue((w1 >> 16) | ((w2 & 0xFFu) << 16)) | 0xFF000000u);
    Store32(rgba + 12, SwapRedBlue(w2 >> 8) | 0xFF000000u);
    bgr += 12;
    rgba += 16;
  }
  BgrRowToOpaqueRgbaLinePlain(bgr, width - x, rgba);
}

}  // namespace zk
