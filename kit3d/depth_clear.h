// Setting a frame's depth buffer to kDepthClear, four entries a store: the buffer is as
// large as the picture and cleared on every frame.
#pragma once

#include <cstddef>

#include "triangle_renderer.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

inline void ClearDepth(float* depth, size_t entries) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128 clear = _mm_set1_ps(kDepthClear);
  for (; i + 4 <= entries; i += 4) _mm_storeu_ps(depth + i, clear);
#endif
  for (; i < entries; ++i) depth[i] = kDepthClear;
}

}  // namespace zk
