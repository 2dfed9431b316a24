// ReadBmpFile: one read of the whole file through the C runtime (both builds), then the
// decoder on everything after the 14-byte file header.
#include <cstdio>
#include <cstdlib>

#include "bitmap_reader.h"

namespace zk {
namespace {

constexpr long kFileHeaderBytes = 14;

// The file's bytes in one allocation; null when it cannot be read whole.
uint8_t* ReadWhole(const char* path, long* size) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return nullptr;
  uint8_t* bytes = nullptr;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    *size = std::ftell(f);
    // Directories and devices report no sensible size, or fail the read below.
    if (*size > 0 && *size <= kMaxBmpFileBytes && std::fseek(f, 0, SEEK_SET) == 0) {
      bytes = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(*size)));
      if (bytes != nullptr &&
          std::fread(bytes, 1, static_cast<size_t>(*size), f) != static_cast<size_t>(*size)) {
        std::free(bytes);
        bytes = nullptr;
      }
    }
  }
  std::fclose(f);
  return bytes;
}

}  // namespace

bool ReadBmpFile(ImagePlane* out, const char* path) {
  if (out == nullptr) return false;
  out->data = nullptr;
  if (path == nullptr || path[0] == '\0') return false;
  long size = 0;
  uint8_t* file = ReadWhole(path, &size);
  if (file == nullptr) return false;
  bool ok = false;
  if (size >= kFileHeaderBytes && file[0] == 0x42 && file[1] == 0x4D) {
    ok = DecodeDib(out, file + kFileHeaderBytes, static_cast<size_t>(size - kFileHeaderBytes));
  }
  std::free(file);
  return ok;
}

}  // namespace zk
