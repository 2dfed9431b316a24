// A view of an 8-bit-per-channel image: the output of a 3D frame, a texture, a decoded
// bitmap. In field mode the scene is twice as tall as the stored image: every `rowStep`
// scene rows share one stored row.
#pragma once

#include <cstdint>

namespace zk {

struct ImagePlane {
  uint8_t* data;          // first byte of stored row 0
  int32_t bytesPerPixel;  // 3 everywhere: blue, green, red
  int32_t stride;         // bytes from one stored row to the next
  int32_t width;          // pixels per row
  int32_t height;         // scene rows
  int32_t rowStep;        // scene rows per stored row; 0 counts as 1
  // Coverage of a texture (layered cards only; other images leave the defaults). `mask`
  // holds one byte per texel, `width` bytes per stored row without padding, 0 black to
  // 255 white; `invertMask` makes black the covered part; `opacity` fades the whole
  // texture. A texture without a mask at full opacity is drawn as an opaque picture.
  const uint8_t* mask = nullptr;
  int32_t invertMask = 0;
  float opacity = 1.0f;
};

// True when drawing the texture needs the coverage stage: a mask, or translucency.
inline bool HasCoverage(const ImagePlane& texture) {
  return texture.mask != nullptr || texture.opacity != 1.0f;
}

inline int32_t EffectiveRowStep(const ImagePlane& plane) {
  return plane.rowStep > 0 ? plane.rowStep : 1;
}

// Stored rows the plane's scene rows occupy.
inline int32_t StoredRows(const ImagePlane& plane) {
  const int32_t step = EffectiveRowStep(plane);
  return plane.height > 0 ? (plane.height + step - 1) / step : 0;
}

// Scene pixel (x, y); the caller keeps x and y inside the plane.
inline uint8_t* ScenePixel(const ImagePlane& plane, int32_t x, int32_t y) {
  return plane.data + static_cast<intptr_t>(plane.stride) * (y / EffectiveRowStep(plane)) +
         static_cast<intptr_t>(plane.bytesPerPixel) * x;
}

}  // namespace zk
