// DecodeDib: plain, RLE8, RLE4 and 16-bit bit-field pixel streams into a 24-bit plane.
#include <cstdlib>
#include <cstring>

#include "bitmap_reader.h"
#include "float_to_int.h"
#include "zmath.h"

namespace zk {
namespace {

constexpr size_t kInfoHeaderBytes = 40;

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The header fields the decoder reads, the colour table and the pixel stream, all checked
// to lie inside the caller's bytes.
struct DibLayout {
  int32_t width;
  int32_t height;
  int32_t bits;
  uint32_t compression;
  const uint8_t* table;
  int64_t tableEntries;
  const uint8_t* pixels;
  size_t length;
};

bool AcceptedFormat(int32_t bits, uint32_t compression) {
  switch (compression) {
    case 0:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24;
    case 1:
      return bits == 8;
    case 2:
      return bits == 4;
    case 3:
      return bits == 16;
    default:
      return false;
  }
}

bool ReadLayout(const uint8_t* header, size_t byteCount, DibLayout* d) {
  if (header == nullptr || byteCount < kInfoHeaderBytes) return false;
  d->width = static_cast<int32_t>(ReadU32(header + 4));
  d->height = static_cast<int32_t>(ReadU32(header + 8));
  d->bits = header[14] | (header[15] << 8);
  d->compression = ReadU32(header + 16);
  const uint32_t coloursUsed = ReadU32(header + 32);
  if (d->width < 1 || d->height < 1) return false;
  if (int64_t{d->width} * d->height > kMaxDibPixels) return false;
  if (!AcceptedFormat(d->bits, d->compression)) return false;
  if (d->bits == 24) {
    d->tableEntries = 0;
  } else if (d->bits == 16) {
    d->tableEntries = d->compression == 3 ? 3 : 0;  // the three masks take the table's place
  } else {
    d->tableEntries = coloursUsed != 0 ? int64_t{coloursUsed} : (int64_t{1} << d->bits);
  }
  const uint64_t start = kInfoHeaderBytes + 4 * static_cast<uint64_t>(d->tableEntries);
  if (start > byteCount) return false;
  d->table = header + kInfoHeaderBytes;
  d->pixels = header + start;
  d->length = byteCount - static_cast<size_t>(start);
  return true;
}

// Where decoded pixels land; anything outside the picture or past the colour table is
// dropped.
struct PixelSink {
  ImagePlane plane;
  const DibLayout* layout;

  void PutBgr(int64_t x, int64_t y, uint8_t b, uint8_t g, uint8_t r) {
    if (x < 0 || x >= plane.width || y < 0 || y >= plane.height) return;
    uint8_t* p = plane.data + y * plane.stride + x * 3;
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
  void PutIndex(int64_t x, int64_t y, uint32_t index) {
    if (index >= layout->tableEntries) return;
    const uint8_t* e = layout->table + 4 * static_cast<size_t>(index);
    PutBgr(x, y, e[0], e[1], e[2]);
  }
};

// 16-bit colour extraction: fixed 5-5-5 masks, or the file's own masks. Red keeps the
// whole high byte of the value, so the top bits of green show in it.
struct Colour16 {
  uint32_t blueMask, greenMask, redMask;
  int32_t blueShift, greenShift, redShift;
};

int32_t MaskShift(uint32_t mask) {
  if (mask == 0) return 0;  // an empty mask selects nothing; its shift does not matter
  return 16 - TruncToInt(Log(static_cast<double>(mask)) / Log(2.0) + 0.999);
}

Colour16 MakeColour16(const DibLayout& d) {
  if (d.compression != 3) return Colour16{0x1F, 0x3E0, 0, 11, 6, 1};
  Colour16 c{};
  c.redMask = ReadU32(d.table) & 0xFFFF;
  c.greenMask = ReadU32(d.table + 4) & 0xFFFF;
  c.blueMask = ReadU32(d.table + 8) & 0xFFFF;
  c.blueShift = MaskShift(c.blueMask);
  c.greenShift = MaskShift(c.greenMask);
  c.redShift = MaskShift(c.redMask);
  return c;
}

void PutColour16(PixelSink* sink, int64_t x, int64_t y, uint32_t v, const Colour16& c) {
  const uint8_t b = static_cast<uint8_t>(((v & c.blueMask) << c.blueShift) >> 8);
  const uint8_t g = static_cast<uint8_t>(((v & c.greenMask) << c.greenShift) >> 8);
  const uint8_t r =
      static_cast<uint8_t>((((v & 0xFF00) | (v & c.redMask & 0xFF)) << c.redShift) >> 8);
  sink->PutBgr(x, y, b, g, r);
}

// Plain and bit-field streams: rows in file order, each padded to four bytes; the row
// changes before a step once the previous one filled the width.
void DecodePlain(const DibLayout& d, PixelSink* sink) {
  const int32_t n = d.bits;
  const int64_t rowBytes = (int64_t{n} * d.width + 7) / 8;
  const int64_t padding = (4 - rowBytes % 4) % 4;
  const size_t stepBytes = n < 8 ? 1 : static_cast<size_t>(n / 8);
  const int32_t perByte = n <= 8 ? 8 / n : 1;
  const uint32_t indexMask = n <= 8 ? (1u << n) - 1 : 0;
  const Colour16 colour16 = MakeColour16(d);
  const uint8_t* P = d.pixels;
  size_t pos = 0;
  int64_t x = 0, y = 0, q = 0;
  for (;;) {
    if (x >= d.width) {
      ++y;
      x = 0;
    }
    if (y >= d.height || pos + stepBytes > d.length) break;
    if (n == 24) {
      sink->PutBgr(x++, y, P[pos], P[pos + 1], P[pos + 2]);
    } else if (n == 16) {
      PutColour16(sink, x++, y, P[pos] | (P[pos + 1] << 8), colour16);
    } else {
      const uint32_t byte = P[pos];
      for (int32_t j = 1; j <= perByte; ++j) {
        sink->PutIndex(x++, y, (byte >> (8 - n * j)) & indexMask);
      }
    }
    pos += stepBytes;
    q += static_cast<int64_t>(stepBytes);
    if (q >= rowBytes) {
      q = 0;
      pos += static_cast<size_t>(padding);
    }
  }
}

// The RLE value of pixel j of a run: the byte itself (RLE8), or its nibbles alternately,
// high first (RLE4).
uint32_t RunIndex(bool rle8, uint32_t value, int32_t j) {
  if (rle8) return value;
  return (j % 2 == 0) ? (value >> 4) : (value & 0x0F);
}

// RLE8 and RLE4: runs, line ends, deltas and absolute runs; no wrap at the row end.
void DecodeRle(const DibLayout& d, PixelSink* sink) {
  const bool rle8 = d.compression == 1;
  const uint8_t* P = d.pixels;
  const size_t L = d.length;
  size_t pos = 0;
  int64_t x = 0, y = 0;
  while (pos + 2 <= L && y < d.height) {
    const uint32_t count = P[pos];
    const uint32_t value = P[pos + 1];
    pos += 2;
    if (count != 0) {
      for (uint32_t j = 0; j < count && x < d.width; ++j)
        sink->PutIndex(x++, y, RunIndex(rle8, value, j));
      if (x >= d.width) x = d.width;  // the rest of the run falls past the row end
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (pos + 2 > L) break;
      x += P[pos];
      y += P[pos + 1];
      if (x > d.width) x = d.width;
      pos += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const size_t bytes = rle8 ? value : (value + 1) / 2;
      for (uint32_t j = 0; j < value; ++j) {
        const size_t at = pos + (rle8 ? j : j / 2);
        if (at >= L) break;
        sink->PutIndex(x++, y, RunIndex(rle8, P[at], static_cast<int32_t>(j)));
      }
      if (x > d.width) x = d.width;
      pos += bytes + (bytes & 1);
    }
  }
}

}  // namespace

bool DecodeDib(ImagePlane* out, const uint8_t* header, size_t byteCount) {
  if (out == nullptr) return false;
  out->data = nullptr;
  DibLayout d{};
  if (!ReadLayout(header, byteCount, &d)) return false;
  const int64_t stride = ((int64_t{3} * d.width + 3) / 4) * 4;
  // Pixels the stream never reaches stay black.
  uint8_t* data = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(stride * d.height), 1));
  if (data == nullptr) return false;
  PixelSink sink{ImagePlane{data, 3, static_cast<int32_t>(stride), d.width, d.height, 1}, &d};
  if (d.compression == 1 || d.compression == 2) {
    DecodeRle(d, &sink);
  } else {
    DecodePlain(d, &sink);
  }
  *out = sink.plane;
  return true;
}

void ReleaseImage(ImagePlane* image) {
  if (image == nullptr) return;
  std::free(image->data);
  image->data = nullptr;
}

}  // namespace zk
