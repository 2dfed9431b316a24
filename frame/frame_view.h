// A render call decoded once: rectangle row addresses, stride, progress and host words.
// Render kernels take a FrameView and never look at the host records themselves.
#pragma once

#include <cstdint>

#include "host_records.h"

namespace zk {

// Bytes from one frame row to the next: 3 bytes a pixel, rows padded to 4 bytes.
inline int32_t FrameStride(int32_t frameWidth) { return ((frameWidth * 3 + 3) / 4) * 4; }

// Byte offset of rectangle pixel (left, top) in each of the three frames.
inline int32_t RectOffset(int32_t rectLeft, int32_t rectTop, int32_t stride) {
  return rectTop * stride + rectLeft * 3;
}

struct FrameView {
  // First byte of rectangle row 0 in each frame.
  uint8_t* out;
  const uint8_t* sceneA;
  const uint8_t* sceneB;
  // First byte of each frame (effects that address the whole frame start from here).
  uint8_t* outFrame;
  const uint8_t* sceneAFrame;
  const uint8_t* sceneBFrame;
  int32_t stride;
  int32_t width;   // rectangle width in pixels
  int32_t height;  // rectangle height in rows
  int32_t frameWidth;
  int32_t frameHeight;
  float progress;
  uint32_t variantFlags;
  uint32_t extraFlags;
  uint32_t extraColor;
  void* paramBlock;
  int32_t lineStep;  // picture lines per rectangle row: 2 in field mode, else 1
};

// Decodes a render request. The rectangle origin is applied unless the effect addresses
// the frame from its first pixel (withOrigin false).
FrameView DecodeApplyRequest(const ApplyRequest& request, int32_t fieldMode, bool withOrigin);

inline uint8_t* OutRow(const FrameView& v, int32_t row) { return v.out + row * v.stride; }
inline const uint8_t* SceneARow(const FrameView& v, int32_t row) {
  return v.sceneA + row * v.stride;
}
inline const uint8_t* SceneBRow(const FrameView& v, int32_t row) {
  return v.sceneB + row * v.stride;
}

}  // namespace zk
