#include "byte_pool.h"

namespace zk {
namespace {

// The pool as stored in the module: 133 characters of which the first 108 are decoded.
constexpr char kPoolText[] =
    "1f9c1de242a39d3750c47c80d61ef855f8f4e2c4b7af547dfd72471e4631b21f2de63447631e64c1de241f"
    "567013f0d8e26192ef0f0614c1ca245d0282a9521e6480b";
static_assert(sizeof kPoolText - 1 == 133, "stored pool text length");

int32_t HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

struct DecodedPool {
  uint8_t bytes[kBytePoolSize];
  DecodedPool() { DecodeHexPairs(kPoolText, bytes, kBytePoolSize); }
};

}  // namespace

void DecodeHexPairs(const char* text, uint8_t* bytes, int32_t byteCount) {
  for (int32_t i = 0; i < byteCount; ++i) {
    bytes[i] =
        static_cast<uint8_t>(HexDigitValue(text[2 * i]) * 16 + HexDigitValue(text[2 * i + 1]));
  }
}

const uint8_t* BytePoolTable() {
  static const DecodedPool pool;
  return pool.bytes;
}

int32_t BytePoolDraw(BytePool* pool, int32_t bound, int32_t salt) {
  const uint32_t b = static_cast<uint32_t>(bound) & 0xFFu;
  const uint32_t index = ((pool->last + static_cast<uint32_t>(salt)) & 0xFFu) % kBytePoolSize;
  uint32_t v = BytePoolTable()[index];
  if (b != 0) v %= b;  // the repeated subtraction of the stored routine, in one step
  pool->last = static_cast<uint8_t>(v);
  return static_cast<int32_t>(v);
}

}  // namespace zk
