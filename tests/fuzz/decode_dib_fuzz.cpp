// libFuzzer target for the bitmap decoder: any bytes as an information header, colour table
// and pixel stream. The decoder must either refuse them or produce a plane whose every
// byte can be read, and must never touch memory outside the input or its own pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "bitmap_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so any read past the end lands outside an allocation.
  std::vector<uint8_t> input(data, data + size);
  zk::ImagePlane image{};
  if (zk::DecodeDib(&image, input.empty() ? nullptr : input.data(), input.size())) {
    if (image.data == nullptr || image.width < 1 || image.height < 1 ||
        image.stride < image.width * 3 || image.bytesPerPixel != 3 || image.rowStep != 1) {
      __builtin_trap();
    }
    // Touch the first and last byte of every row: the plane must be as large as it says.
    unsigned sum = 0;
    for (int32_t row = 0; row < image.height; ++row) {
      const uint8_t* p = image.data + static_cast<size_t>(row) * image.stride;
      sum += p[0] + p[image.width * 3 - 1];
    }
    volatile unsigned sink = sum;
    (void)sink;
    zk::ReleaseImage(&image);
  } else if (image.data != nullptr) {
    __builtin_trap();
  }
  return 0;
}
