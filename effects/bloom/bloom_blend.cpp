#include "bloom_blend.h"

#include <cstring>

#include "bloom_params.h"
#include "rand15.h"

namespace zk {
namespace {

uint8_t ClampToByte(double v) {
  const int32_t t = static_cast<int32_t>(v);
  return static_cast<uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
}

// Up to the halfway point the byte moves from `a` toward `level` (reached at f = 0.5),
// then from `level` into `b`. The bloom modes overshoot by 255 and rely on the clamp.
uint8_t ThroughWhite(int32_t a, int32_t b, float f) {
  if (f < 0.5f) return ClampToByte(a + static_cast<double>(f) * 510);
  return ClampToByte(b + (1 - (static_cast<double>(f) - 0.5) * 2) * 255);
}
uint8_t ThroughBlack(int32_t a, int32_t b, float f) {
  if (f < 0.5f) return ClampToByte(a - static_cast<double>(f) * 510);
  return ClampToByte(b - (1 - (static_cast<double>(f) - 0.5) * 2) * 255);
}
uint8_t ThroughNoise(int32_t a, int32_t b, float f, int32_t noise) {
  if (f < 0.5f) return ClampToByte((noise - a) * static_cast<double>(f) * 2 + a);
  return ClampToByte((1 - (static_cast<double>(f) - 0.5) * 2) * (noise - b) + b);
}

void CrossfadeRow(uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f, int32_t from,
                  int32_t to) {
  for (int32_t x = from; x < to; ++x) {
    const double w = f[x];
    for (int32_t j = 0; j < 3; ++j) {
      const int32_t i = 3 * x + j;
      // f stays within 0..1, so the blend stays between the two bytes.
      out[i] = static_cast<uint8_t>(static_cast<int32_t>((b[i] - a[i]) * w + a[i]));
    }
  }
}

template <uint8_t (*Through)(int32_t, int32_t, float)>
void FlashRow(uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f, int32_t from,
              int32_t to) {
  for (int32_t x = from; x < to; ++x) {
    for (int32_t j = 0; j < 3; ++j) out[3 * x + j] = Through(a[3 * x + j], b[3 * x + j], f[x]);
  }
}

void NoiseRow(bool perByte, uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f,
              int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    // One level for the whole pixel (grey), or a fresh one before every byte (colour);
    // drawn whatever the pixel's position, so the sequence does not depend on p.
    int32_t noise = perByte ? 0 : BloomNoiseLevel(Rand15Next());
    for (int32_t j = 0; j < 3; ++j) {
      if (perByte) noise = BloomNoiseLevel(Rand15Next());
      out[3 * x + j] = ThroughNoise(a[3 * x + j], b[3 * x + j], f[x], noise);
    }
  }
}

// Pixels whose local position is exactly 0 or 1 are scene A or scene B themselves in the
// crossfade and flash modes ((b - a) x 0 + a, a + 0 x 510, b + 0 x 255 and their kin are
// exact), and a wipe is made of long runs of them: those runs are copied, the pixels in
// between blended one by one.
template <class PixelFn>
void CopySettledRuns(uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f,
                     int32_t width, PixelFn blendPixel) {
  int32_t x = 0;
  while (x < width) {
    const float fx = f[x];
    if (fx == 0.0f || fx == 1.0f) {
      int32_t end = x + 1;
      while (end < width && f[end] == fx) ++end;
      std::memcpy(out + 3 * x, (fx == 0.0f ? a : b) + 3 * x, static_cast<size_t>(end - x) * 3);
      x = end;
    } else {
      blendPixel(x);
      ++x;
    }
  }
}

}  // namespace

int32_t BloomNoiseLevel(int32_t draw) {
  const int32_t r = draw * 127 / 32767 + 128;
  return r * r * r / 255 / 255;
}

void BloomBlendRowPlain(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                        const float* positions, int32_t width) {
  switch (mode) {
    case kBloomWhite:
      FlashRow<ThroughWhite>(out, a, b, positions, 0, width);
      break;
    case kBloomBlack:
      FlashRow<ThroughBlack>(out, a, b, positions, 0, width);
      break;
    case kBloomNoiseGrey:
      NoiseRow(false, out, a, b, positions, width);
      break;
    case kBloomNoiseColour:
      NoiseRow(true, out, a, b, positions, width);
      break;
    default:
      CrossfadeRow(out, a, b, positions, 0, width);
      break;
  }
}

void BloomBlendRow(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                   const float* positions, int32_t width) {
  switch (mode) {
    case kBloomWhite:
      CopySettledRuns(out, a, b, positions, width,
                      [&](int32_t x) { FlashRow<ThroughWhite>(out, a, b, positions, x, x + 1); });
      break;
    case kBloomBlack:
      CopySettledRuns(out, a, b, positions, width,
                      [&](int32_t x) { FlashRow<ThroughBlack>(out, a, b, positions, x, x + 1); });
      break;
    case kBloomNoiseGrey:
    case kBloomNoiseColour:
      // Every pixel draws its noise whatever its position: nothing to skip.
      BloomBlendRowPlain(mode, out, a, b, positions, width);
      break;
    default:
      CopySettledRuns(out, a, b, positions, width,
                      [&](int32_t x) { CrossfadeRow(out, a, b, positions, x, x + 1); });
      break;
  }
}

}  // namespace zk
