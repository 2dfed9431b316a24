// Helpers of the fast-path tests: frames of random bytes (every level occurs, bright and
// dark alike) and the frame shapes the fast paths are compared on.
#pragma once

#include <cstdint>
#include <vector>

#include "direct_render_support.h"
#include "frame_image.h"

namespace zk::test {

inline uint32_t NextRandom(uint32_t* state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

// Random bytes in blocks of 4 x 3 pixels of one base colour (so areas of bright and dark
// pixels occur, as in pictures) with a little noise on top.
inline FrameImage RandomFrame(int32_t width, int32_t height, uint32_t seed) {
  FrameImage f = MakeFrameImage(width, height);
  std::vector<uint8_t> bases(static_cast<size_t>((width / 4 + 1) * (height / 3 + 1)) * 3);
  for (uint8_t& b : bases) b = static_cast<uint8_t>(NextRandom(&seed));
  for (int32_t row = 0; row < height; ++row) {
    for (int32_t x = 0; x < width; ++x) {
      const size_t block = static_cast<size_t>((row / 3) * (width / 4 + 1) + x / 4) * 3;
      for (int32_t k = 0; k < 3; ++k) {
        const int32_t noise = static_cast<int32_t>(NextRandom(&seed) % 9) - 4;
        const int32_t v = bases[block + k] + noise;
        PixelAt(f, x, row)[k] = static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
      }
    }
  }
  return f;
}

// A frame shape and the part of it rendered: the whole frame, or a rectangle away from the
// origin, with or without field mode.
struct SpeedCase {
  int32_t width;
  int32_t height;
  bool wholeFrame;
  int32_t left, top, rectWidth, rectHeight;
  int32_t fieldMode;
};

inline std::vector<SpeedCase> SpeedCases() {
  return {
      {1, 1, true, 0, 0, 0, 0, 0},         {2, 2, true, 0, 0, 0, 0, 0},
      {3, 5, true, 0, 0, 0, 0, 1},         {33, 17, true, 0, 0, 0, 0, 0},
      {161, 91, true, 0, 0, 0, 0, 0},      {161, 91, true, 0, 0, 0, 0, 1},
      {160, 90, false, 13, 7, 121, 61, 0}, {160, 90, false, 3, 2, 97, 71, 1},
      {367, 211, true, 0, 0, 0, 0, 0},     {64, 300, false, 5, 9, 17, 250, 0},
  };
}

inline const float kSpeedProgress[] = {0.0f,  0.03f, 0.1f, 0.2f,    0.25f, 0.37f, 0.5f,
                                       0.62f, 0.75f, 0.8f, 0.8001f, 0.9f,  0.99f, 1.0f};

}  // namespace zk::test
