// Frames rebuilt from other frames, for checks that compare one render with another:
// a window cut out of a larger frame, and a frame with every row repeated (the picture a
// field-mode frame stands for).
#pragma once

#include <cstdint>
#include <cstring>

#include "frame_image.h"

namespace zk::test {

inline FrameImage CropFrame(const FrameImage& f, int32_t left, int32_t top, int32_t width,
                            int32_t height) {
  FrameImage c = MakeFrameImage(width, height);
  for (int32_t row = 0; row < height; ++row)
    std::memcpy(PixelAt(c, 0, row), PixelAt(f, left, top + row), static_cast<size_t>(width) * 3);
  return c;
}

// Twice as many rows: rows 2r and 2r + 1 are both row r of `f`.
inline FrameImage DoubleEachRow(const FrameImage& f) {
  FrameImage d = MakeFrameImage(f.width, f.height * 2);
  for (int32_t row = 0; row < d.height; ++row)
    std::memcpy(PixelAt(d, 0, row), PixelAt(f, 0, row / 2), static_cast<size_t>(f.width) * 3);
  return d;
}

// True when the rectangle of `big` at (left, top) holds exactly the pixels of `small`.
inline bool RectHolds(const FrameImage& big, int32_t left, int32_t top, const FrameImage& small) {
  for (int32_t row = 0; row < small.height; ++row)
    if (std::memcmp(PixelAt(big, left, top + row), PixelAt(small, 0, row),
                    static_cast<size_t>(small.width) * 3) != 0)
      return false;
  return true;
}

// True when both frames hold the same pixels (row padding is not compared).
inline bool SamePicture(const FrameImage& x, const FrameImage& y) {
  return x.width == y.width && x.height == y.height && RectHolds(x, 0, 0, y);
}

// The byte every crossfade-style blend of these effects produces.
inline int BlendByte(uint8_t a, uint8_t b, double keep, double take) {
  return static_cast<int>(a * keep + b * take);
}

}  // namespace zk::test
