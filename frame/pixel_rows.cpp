#include "pixel_rows.h"

namespace zk {

void MakeCrossfadeTable(double p, ByteBlendTable* table) {
  const double keep = 1.0 - p;
  for (int i = 0; i < 256; ++i) {
    table->weightA[i] = keep * i;
    table->weightB[i] = p * i;
  }
}

void BlendRowWithTable(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                       const ByteBlendTable& table) {
  for (int32_t i = 0; i < byteCount; ++i) {
    out[i] = static_cast<uint8_t>(static_cast<int32_t>(table.weightA[a[i]] + table.weightB[b[i]]));
  }
}

void CrossfadeRowPlain(uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t byteCount,
                       double p) {
  for (int32_t i = 0; i < byteCount; ++i) {
    out[i] = static_cast<uint8_t>(static_cast<int32_t>((1.0 - p) * a[i] + p * b[i]));
  }
}

void BlendRowTowardLevel(uint8_t* out, const uint8_t* s, int32_t byteCount, double target,
                         double w) {
  for (int32_t i = 0; i < byteCount; ++i) {
    out[i] = static_cast<uint8_t>(static_cast<int32_t>((target - s[i]) * w + s[i]));
  }
}

void FillRowPixel(uint8_t* out, int32_t width, PixelBgr colour) {
  for (int32_t x = 0; x < width; ++x) {
    out[3 * x] = colour.b;
    out[3 * x + 1] = colour.g;
    out[3 * x + 2] = colour.r;
  }
}

void CopyRect(const FrameView& v, const uint8_t* sourceRow0) {
  uint8_t* out = v.out;
  for (int32_t row = 0; row < v.height; ++row) {
    CopyRowPixels(out, sourceRow0, v.width);
    out += v.stride;
    sourceRow0 += v.stride;
  }
}

}  // namespace zk
