#include "ray_casting.h"

namespace zk {
namespace {

// One ray being walked: the light it carries and the maps it reads and writes.
struct Ray {
  const uint8_t* mask;
  uint8_t* map;
  int32_t width;
  int32_t height;
  int32_t density;
  double light = 0.0;

  void Step(int32_t col, int32_t row) {
    if (col >= 0 && col < width && row >= 0 && row < height) {
      const int64_t cell = static_cast<int64_t>(row) * width + col;
      light += density * (mask[cell] / 255);
      int32_t stored = 255;
      if (light < 255.0) stored = light > 0.0 ? static_cast<int32_t>(light) : 0;
      map[cell] = static_cast<uint8_t>(stored);
    }
    light *= static_cast<double>(kRayDecay);
  }
};

// s * k / divisor with truncation toward zero; a ray with a zero divisor only ever takes
// its first step (s = 0), where the offset is 0.
int32_t Offset(int32_t s, int32_t k, int32_t divisor) {
  if (divisor == 0) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(s) * k / divisor);
}

}  // namespace

void BuildLightMask(const uint8_t* picture, int32_t stride, int32_t width, int32_t height,
                    int32_t threshold, uint8_t* mask) {
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* p = picture + static_cast<int64_t>(row) * stride;
    uint8_t* m = mask + static_cast<int64_t>(row) * width;
    for (int32_t c = 0; c < width; ++c, p += 3) {
      const int32_t brightness = (p[0] + p[1] + p[2]) / 3;
      m[c] = brightness >= threshold ? 255 : 0;
    }
  }
}

void CastRays(const uint8_t* mask, uint8_t* rayMap, int32_t width, int32_t height, int32_t lx,
              int32_t ly, int32_t density) {
  const Ray blank{mask, rayMap, width, height, density};
  for (int32_t i = 0; i < height; ++i) {  // to the left edge
    Ray ray = blank;
    for (int32_t s = 0; s <= lx; ++s) ray.Step(lx - s, ly + Offset(s, ly - i, -lx));
  }
  for (int32_t i = 0; i < height; ++i) {  // to the right edge
    Ray ray = blank;
    for (int32_t s = 0; s <= width - lx - 1; ++s) {
      ray.Step(lx + s, ly + Offset(s, i - ly, width - lx - 1));
    }
  }
  for (int32_t i = 0; i < width; ++i) {  // to row 0
    Ray ray = blank;
    for (int32_t s = 0; s <= ly; ++s) ray.Step(lx + Offset(s, lx - i, -ly), ly - s);
  }
  if (height - ly > 0) {
    for (int32_t i = 0; i < width; ++i) {  // to the last row
      Ray ray = blank;
      for (int32_t s = 0; s <= height - ly - 1; ++s) {
        ray.Step(lx + Offset(s, i - lx, height - ly - 1), ly + s);
      }
    }
  }
}

}  // namespace zk
