// The clip and picture reader on any file contents: it opens and decodes, or refuses with a
// reason, and a decoded frame always has the size asked for.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "media_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/zelkor-media-fuzz-" + std::to_string(getpid());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  zk::MediaReader reader;
  std::string error;
  if (zk::OpenMedia(path, &reader, &error)) {
    zk::FrameImage frame;
    for (double seconds : {0.0, 0.04, 1.0}) {
      if (!zk::MediaFrameAt(&reader, seconds, 17, 9, &frame, &error)) break;
      if (frame.width != 17 || frame.height != 9 ||
          frame.pixels.size() != static_cast<size_t>(frame.stride) * frame.height)
        __builtin_trap();
    }
  }
  zk::CloseMedia(&reader);
  std::remove(path.c_str());
  return 0;
}
