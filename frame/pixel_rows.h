// Row kernels shared by the effects: each works on one run of bytes of one rectangle row.
// The rectangle walking lives in ForEachRectRow so no effect repeats it.
#pragma once

#include <cstdint>
#include <cstring>

#include "colour_word.h"
#include "frame_view.h"

namespace zk {

// Weights of a two-source byte blend, tabulated per call: the table entries are exactly
// the double products the plain formula computes, so sums of them are bit-identical.
struct ByteBlendTable {
  double weightA[256];
  double weightB[256];
};

// out = trunc((1 - p) * a + p * b), all in double precision.
void MakeCrossfadeTable(double p, ByteBlendTable* table);
void BlendRowWithTable(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                       const ByteBlendTable& table);

// The plain per-byte form of the crossfade; the table path is checked against it.
void CrossfadeRowPlain(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                       double p);

// The same with SSE2, byte-identical for p in 0..1.
void CrossfadeRowSse2(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                      double p);

// The same for a progress p that is a 32-bit float in [2^-7, 1): p is then a whole number P
// of 2^-30 steps, every double operation of the blend is exact, and the byte is
// a + floor(P * (b - a) / 2^30), which integer lanes give sixteen bytes at a time.
bool CrossfadeFixedPointApplies(float p);
void CrossfadeRowFixedSse2(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                           float p);

// out = trunc((target - s) * w + s) for every byte.
void BlendRowTowardLevel(uint8_t* out, const uint8_t* s, int32_t byteCount, double target,
                         double w);

// Every pixel of the row becomes the given colour.
void FillRowPixel(uint8_t* out, int32_t width, PixelBgr colour);

inline void CopyRowPixels(uint8_t* out, const uint8_t* src, int32_t width) {
  if (width > 0) std::memcpy(out, src, static_cast<size_t>(width) * 3);
}

// Calls fn(outRow, sceneARow, sceneBRow, row) for rectangle rows first..end-1, top of
// memory first.
template <class RowFn>
void ForEachRectRowIn(const FrameView& v, int32_t first, int32_t end, RowFn&& fn) {
  const intptr_t skip = static_cast<intptr_t>(first) * v.stride;
  uint8_t* out = v.out + skip;
  const uint8_t* a = v.sceneA + skip;
  const uint8_t* b = v.sceneB + skip;
  for (int32_t row = first; row < end; ++row) {
    fn(out, a, b, row);
    out += v.stride;
    a += v.stride;
    b += v.stride;
  }
}

// The same for every rectangle row.
template <class RowFn>
void ForEachRectRow(const FrameView& v, RowFn&& fn) {
  ForEachRectRowIn(v, 0, v.height, fn);
}

// Copies the rectangle of one source frame (given by its rectangle row 0) to the output.
void CopyRect(const FrameView& v, const uint8_t* sourceRow0);

}  // namespace zk
