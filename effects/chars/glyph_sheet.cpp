#include "glyph_sheet.h"

#include <cstring>
#include <new>

namespace zk {
namespace {

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr int32_t kLargestSheetSide = 4096;

}  // namespace

GlyphMapChoice ChooseGlyphMap(int32_t charMap, int32_t rectWidth, int32_t rectHeight) {
  if (rectWidth < 100 || rectHeight < 100) return {kSheetSmallDigits, 5, 7};
  switch (charMap) {
    case 0:
      return {kSheetBold10x14, 10, 14};
    case 1:
      return {kSheetBold18x26, 18, 26};
    case 3:
      return {kSheetTypewriter14x20, 14, 20};
    case 4:
      return {kSheetSigns10x14, 10, 14};
    case 5:
      return {kSheetSigns16x20, 16, 20};
    default:
      return {kSheetTypewriter10x16, 10, 16};
  }
}

bool AllocateGlyphSheet(int32_t width, int32_t height, int32_t bitsPerPixel, GlyphSheet* sheet) {
  if (width <= 0 || height <= 0 || width > kLargestSheetSide || height > kLargestSheetSide)
    return false;
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return false;
  sheet->width = width;
  sheet->height = height;
  sheet->bytesPerPixel = bitsPerPixel / 8;
  sheet->stride = (bitsPerPixel * width / 8 + 3) / 4 * 4;
  sheet->rows.reset(new (std::nothrow) uint8_t[static_cast<size_t>(sheet->stride) * height]);
  return sheet->rows != nullptr;
}

bool FinishGlyphSheet(const GlyphMapChoice& map, GlyphSheet* sheet) {
  sheet->glyphWidth = map.glyphWidth;
  sheet->glyphHeight = map.glyphHeight;
  if (map.glyphWidth <= 0 || map.glyphHeight <= 0) return false;
  sheet->glyphCount = sheet->width == map.glyphWidth ? sheet->height / map.glyphHeight
                                                     : sheet->width / map.glyphWidth;
  // Glyph k is read from rows k x gh onward and columns 0..gw-1, so every glyph the count
  // admits must lie inside the picture; the pool needs at least two glyphs to choose from.
  return sheet->glyphCount >= 2 && sheet->width >= map.glyphWidth &&
         sheet->glyphCount * map.glyphHeight <= sheet->height;
}

bool DecodeSheetBitmap(const uint8_t* file, size_t size, GlyphSheet* sheet) {
  if (file == nullptr || size < kFileHeaderSize + kInfoHeaderSize) return false;
  if (file[0] != 'B' || file[1] != 'M') return false;
  const uint8_t* info = file + kFileHeaderSize;
  const uint32_t pixelOffset = ReadU32(file + 10);
  const uint32_t infoSize = ReadU32(info);
  const int32_t width = static_cast<int32_t>(ReadU32(info + 4));
  const int32_t rawHeight = static_cast<int32_t>(ReadU32(info + 8));
  const uint16_t bits = ReadU16(info + 14);
  const uint32_t compression = ReadU32(info + 16);
  uint32_t colours = ReadU32(info + 32);
  if (infoSize < kInfoHeaderSize || compression != 0) return false;
  if (rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const bool bottomUp = rawHeight > 0;
  const int32_t height = bottomUp ? rawHeight : -rawHeight;
  if (bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  if (bits <= 8 && colours > (1u << bits)) return false;
  const size_t paletteAt = kFileHeaderSize + infoSize;
  if (bits <= 8 && paletteAt + static_cast<size_t>(colours) * 4 > size) return false;
  if (!AllocateGlyphSheet(width, height, 24, sheet)) return false;
  const size_t sourceStride = (static_cast<size_t>(bits) * width + 31) / 32 * 4;
  if (pixelOffset > size || sourceStride * height > size - pixelOffset) return false;

  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* src = file + pixelOffset + sourceStride * (bottomUp ? height - 1 - row : row);
    uint8_t* dst = sheet->rows.get() + static_cast<size_t>(row) * sheet->stride;
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* px = dst + 3 * x;
      if (bits >= 24) {
        std::memcpy(px, src + x * (bits / 8), 3);
        continue;
      }
      const uint32_t index = bits == 8 ? src[x] : (x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 15);
      if (index >= colours) return false;
      std::memcpy(px, file + paletteAt + 4 * index, 3);  // palette entries are blue, green, red
    }
  }
  return true;
}

bool LoadEmbeddedGlyphSheet(const GlyphMapChoice& map, GlyphSheet* sheet) {
  const EmbeddedBitmap bitmap = FindEmbeddedSheet(map.sheetId);
  return bitmap.bytes != nullptr && DecodeSheetBitmap(bitmap.bytes, bitmap.size, sheet) &&
         FinishGlyphSheet(map, sheet);
}

}  // namespace zk
