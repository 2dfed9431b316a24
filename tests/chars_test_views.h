// Render requests for the character rain and the split-flap board built straight from
// test frames, so their render code can be called without the module around it.
#pragma once

#include <cstdint>
#include <vector>

#include "effect_host.h"
#include "frame_image.h"
#include "frame_view.h"

namespace zk::test {

// The rectangle (left, top, width, height) of three frames of one size.
inline FrameView RectView(FrameImage& out, const FrameImage& a, const FrameImage& b, int32_t left,
                          int32_t top, int32_t width, int32_t height, float progress,
                          void* paramBlock) {
  FrameView v{};
  v.stride = out.stride;
  const int32_t offset = RectOffset(left, top, v.stride);
  v.outFrame = out.pixels.data();
  v.sceneAFrame = a.pixels.data();
  v.sceneBFrame = b.pixels.data();
  v.out = v.outFrame + offset;
  v.sceneA = v.sceneAFrame + offset;
  v.sceneB = v.sceneBFrame + offset;
  v.width = width;
  v.height = height;
  v.frameWidth = out.width;
  v.frameHeight = out.height;
  v.progress = progress;
  v.paramBlock = paramBlock;
  v.lineStep = 1;
  return v;
}

inline FrameView WholeView(FrameImage& out, const FrameImage& a, const FrameImage& b,
                           float progress, void* paramBlock) {
  return RectView(out, a, b, 0, 0, out.width, out.height, progress, paramBlock);
}

// The view as field mode gives it: every other line of the rectangle, `rows` of them.
inline void TakeEveryOtherLine(FrameView* v, int32_t rows) {
  v->stride *= 2;
  v->height = rows;
  v->lineStep = 2;
}

// Blue, green and red of rectangle pixel (x, row) of a view.
inline const uint8_t* ViewPixel(const FrameView& v, int32_t x, int32_t row) {
  return v.out + static_cast<size_t>(row) * v.stride + static_cast<size_t>(x) * 3;
}

// A whole transition of `frames` evenly spaced frames from 0 to 1, as a host plays it.
inline std::vector<std::vector<uint8_t>> RenderEvenSequence(HostedEffect& effect,
                                                            const FrameImage& a,
                                                            const FrameImage& b, int32_t frames) {
  std::vector<std::vector<uint8_t>> out;
  FrameImage frame = MakeFrameImage(a.width, a.height);
  for (int32_t k = 0; k < frames; ++k) {
    const float p = static_cast<float>(static_cast<double>(k) / (frames - 1));
    if (RenderEffectFrame(effect, a, b, p, RenderChoices(), &frame) != 1) break;
    out.push_back(frame.pixels);
  }
  return out;
}

}  // namespace zk::test
