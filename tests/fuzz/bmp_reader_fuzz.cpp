// zelkor's own BMP reader on any bytes: it decodes or refuses, never reads past the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> file(data, data + size);
  zk::FrameImage frame;
  std::string error;
  if (zk::DecodeBmp24(file, &frame, &error)) {
    // A decoded frame is exactly as large as its stride says.
    if (frame.pixels.size() != static_cast<size_t>(frame.stride) * frame.height) __builtin_trap();
  }
  return 0;
}
