#include "image_files.h"

#include <sys/stat.h>

#if defined(_WIN32)
#include <direct.h>
#endif

#if defined(ZELKOR_HAVE_ZLIB)
#include <zlib.h>
#endif

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zk {
namespace {

uint32_t ReadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void PutLe32(std::vector<uint8_t>* v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v->push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void PutLe16(std::vector<uint8_t>* v, uint16_t x) {
  v->push_back(static_cast<uint8_t>(x));
  v->push_back(static_cast<uint8_t>(x >> 8));
}
void PutBe32(std::vector<uint8_t>* v, uint32_t x) {
  for (int i = 3; i >= 0; --i) v->push_back(static_cast<uint8_t>(x >> (8 * i)));
}

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
  static uint32_t table[256];
  static bool ready = false;
  if (!ready) {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[i] = c;
    }
    ready = true;
  }
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutPngChunk(std::vector<uint8_t>* png, const char* type, const std::vector<uint8_t>& data) {
  PutBe32(png, static_cast<uint32_t>(data.size()));
  const size_t start = png->size();
  png->insert(png->end(), type, type + 4);
  png->insert(png->end(), data.begin(), data.end());
  PutBe32(png, Crc32(png->data() + start, png->size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks, which every PNG reader accepts.
std::vector<uint8_t> StoredZlibStream(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  uint32_t s1 = 1, s2 = 0;
  for (uint8_t byte : raw) {
    s1 = (s1 + byte) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  PutBe32(&z, (s2 << 16) | s1);
  return z;
}

constexpr int32_t kMaxSide = 1 << 15;

}  // namespace

std::string ReadFailureReason(int errnum) {
  std::string why = std::strerror(errnum);
  if (!why.empty()) why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(why[0])));
  return why;
}

std::string WriteFailureReason(int errnum) {
  return errnum == ENOENT ? "no such directory" : ReadFailureReason(errnum);
}

bool MakeDirectories(const std::string& dir, std::string* error) {
  auto isDirectory = [](const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  };
  for (size_t end = 0; end != std::string::npos;) {
    end = dir.find_first_of("/\\", end + 1);
    const std::string part = dir.substr(0, end);
    // A drive ("C:") or the root is there, whatever stat says of it.
    if (part.empty() || part.back() == ':' || isDirectory(part)) continue;
#if defined(_WIN32)
    const int made = _mkdir(part.c_str());
#else
    const int made = mkdir(part.c_str(), 0777);
#endif
    if (made != 0 && !isDirectory(part)) {
      *error = part + ": cannot create the folder (" + WriteFailureReason(errno) + ")";
      return false;
    }
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    *error = path + ": cannot read (" + ReadFailureReason(errno) + ")";
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    *error = path + ": not a regular file";
    return false;
  }
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    *error = path + ": cannot read (" + ReadFailureReason(errno) + ")";
    return false;
  }
  bytes->clear();
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    bytes->insert(bytes->end(), buffer, buffer + n);
  const bool failed = std::ferror(f) != 0;
  const int why = errno;
  std::fclose(f);
  if (failed) {
    *error = path + ": cannot read (" + ReadFailureReason(why) + ")";
    return false;
  }
  return true;
}

bool DecodeBmp24(const std::vector<uint8_t>& file, FrameImage* frame, std::string* error) {
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
    *error = "not a BMP file";
    return false;
  }
  const uint32_t dataOffset = ReadLe32(&file[10]);
  const uint32_t headerSize = ReadLe32(&file[14]);
  if (headerSize < 40 || 14 + static_cast<uint64_t>(headerSize) > file.size()) {
    *error = "unsupported BMP header";
    return false;
  }
  const int32_t width = static_cast<int32_t>(ReadLe32(&file[18]));
  const int32_t rawHeight = static_cast<int32_t>(ReadLe32(&file[22]));
  const uint16_t bits = ReadLe16(&file[28]);
  const uint32_t compression = ReadLe32(&file[30]);
  if (bits != 24 || compression != 0) {
    *error = "not a 24-bit uncompressed BMP (" + std::to_string(bits) + " bits per pixel)";
    return false;
  }
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > kMaxSide ||
      (rawHeight < 0 ? -rawHeight : rawHeight) > kMaxSide) {
    *error = "BMP size out of range";
    return false;
  }
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  // The file must hold every row before a frame that size is made: a few header bytes
  // may claim a picture of hundreds of megabytes.
  const uint64_t stride = (static_cast<uint64_t>(width) * 3 + 3) & ~static_cast<uint64_t>(3);
  if (static_cast<uint64_t>(dataOffset) + stride * static_cast<uint64_t>(height) > file.size()) {
    *error = "BMP pixel data is truncated";
    return false;
  }
  FrameImage f = MakeFrameImage(width, height);
  for (int32_t row = 0; row < height; ++row) {
    const int32_t srcRow = topDown ? height - 1 - row : row;
    std::memcpy(f.pixels.data() + static_cast<size_t>(row) * f.stride,
                file.data() + dataOffset + static_cast<size_t>(srcRow) * f.stride, f.stride);
  }
  *frame = std::move(f);
  return true;
}

bool ReadBmp24(const std::string& path, FrameImage* frame, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, &bytes, error)) return false;
  if (!DecodeBmp24(bytes, frame, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

std::vector<uint8_t> EncodeBmp24(const FrameImage& frame) {
  std::vector<uint8_t> v;
  const uint32_t imageSize = static_cast<uint32_t>(frame.pixels.size());
  v.push_back('B');
  v.push_back('M');
  PutLe32(&v, 54 + imageSize);
  PutLe32(&v, 0);
  PutLe32(&v, 54);
  PutLe32(&v, 40);
  PutLe32(&v, static_cast<uint32_t>(frame.width));
  PutLe32(&v, static_cast<uint32_t>(frame.height));
  PutLe16(&v, 1);
  PutLe16(&v, 24);
  PutLe32(&v, 0);
  PutLe32(&v, imageSize);
  PutLe32(&v, 2835);
  PutLe32(&v, 2835);
  PutLe32(&v, 0);
  PutLe32(&v, 0);
  v.insert(v.end(), frame.pixels.begin(), frame.pixels.end());
  return v;
}

std::vector<uint8_t> EncodePng(const FrameImage& frame) {
  // RGB, 8 bits, top row first.
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(frame.height) * (frame.width * 3 + 1));
  for (int32_t y = 0; y < frame.height; ++y) {
    const uint8_t* row = PixelAt(frame, 0, frame.height - 1 - y);
    raw.push_back(0);
    for (int32_t x = 0; x < frame.width; ++x) {
      raw.push_back(row[3 * x + 2]);
      raw.push_back(row[3 * x + 1]);
      raw.push_back(row[3 * x]);
    }
  }
#if defined(ZELKOR_HAVE_ZLIB)
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> z(packedSize);
  if (compress2(z.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) == Z_OK)
    z.resize(packedSize);
  else
    z = StoredZlibStream(raw);
#else
  const std::vector<uint8_t> z = StoredZlibStream(raw);
#endif

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBe32(&ihdr, static_cast<uint32_t>(frame.width));
  PutBe32(&ihdr, static_cast<uint32_t>(frame.height));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  PutPngChunk(&png, "IHDR", ihdr);
  PutPngChunk(&png, "IDAT", z);
  PutPngChunk(&png, "IEND", {});
  return png;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error) {
  const std::string temp = path + ".partial";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) {
    *error = path + ": cannot write (" + WriteFailureReason(errno) + ")";
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int why = errno;
  const bool closed = std::fclose(f) == 0;
  if (written) why = errno;
  if (!written || !closed) {
    std::remove(temp.c_str());
    *error = path + ": cannot write (" + WriteFailureReason(why) + ")";
    return false;
  }
  std::remove(path.c_str());  // Windows' rename does not replace
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    why = errno;
    std::remove(temp.c_str());
    *error = path + ": cannot write (" + WriteFailureReason(why) + ")";
    return false;
  }
  return true;
}

bool WriteImageFile(const std::string& path, const FrameImage& frame, std::string* error) {
  const size_t dot = path.find_last_of('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".bmp") return WriteFileAtomically(path, EncodeBmp24(frame), error);
  if (ext == ".png") return WriteFileAtomically(path, EncodePng(frame), error);
  *error = path + ": unknown output format (use .bmp or .png)";
  return false;
}

}  // namespace zk
