// Character maps: ten glyphs of one size stacked top to bottom in a bitmap resource,
// white ink on black paper. A sheet is read as a 24-bit picture, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zk {

// Resource numbers of the seven character maps.
enum GlyphSheetId : int32_t {
  kSheetSmallDigits = 104,      // 5 x 7, for rectangles under 100 pixels
  kSheetBold10x14 = 105,        // charMap 0
  kSheetBold18x26 = 106,        // charMap 1
  kSheetSigns10x14 = 107,       // charMap 4
  kSheetTypewriter14x20 = 109,  // charMap 3
  kSheetTypewriter10x16 = 110,  // charMap 2 and any unknown value
  kSheetSigns16x20 = 112,       // charMap 5
};

struct GlyphMapChoice {
  int32_t sheetId;
  int32_t glyphWidth;
  int32_t glyphHeight;
};

// The map a frame uses: the small digits whenever the rectangle is narrower or lower than
// 100 pixels, else the one `charMap` names.
GlyphMapChoice ChooseGlyphMap(int32_t charMap, int32_t rectWidth, int32_t rectHeight);

struct GlyphSheet {
  int32_t width = 0;   // pixels
  int32_t height = 0;  // pixels
  int32_t stride = 0;  // bytes per row: bits per pixel x width / 8, rounded up to 4
  int32_t bytesPerPixel = 0;
  int32_t glyphWidth = 0;
  int32_t glyphHeight = 0;
  int32_t glyphCount = 0;
  std::unique_ptr<uint8_t[]> rows;  // top row first; blue, green, red (and a spare byte)
};

// A pixel is ink when its blue byte is nonzero.
inline bool SheetInk(const GlyphSheet& s, int32_t column, int32_t row) {
  return s.rows[static_cast<size_t>(row) * s.stride +
                static_cast<size_t>(column) * s.bytesPerPixel] != 0;
}

// Makes room for a width x height picture at 24 or 32 bits; false when memory is short.
bool AllocateGlyphSheet(int32_t width, int32_t height, int32_t bitsPerPixel, GlyphSheet* sheet);

// Sets the glyph size and derives the glyph count (sheet height / gh for a sheet one glyph
// wide, else sheet width / gw). A sheet that cannot hold two whole glyphs is refused.
bool FinishGlyphSheet(const GlyphMapChoice& map, GlyphSheet* sheet);

// Decodes a bitmap file (uncompressed 4, 8, 24 or 32 bits per pixel, either row order)
// into a 24-bit sheet; false on anything else or on bytes that run short.
bool DecodeSheetBitmap(const uint8_t* file, size_t size, GlyphSheet* sheet);

// Where a module finds its character maps: resources on Windows, an embedded copy of the
// same bitmaps natively.
using GlyphSheetLoader = bool (*)(const GlyphMapChoice& map, GlyphSheet* sheet);

// The embedded bitmap files, by resource number (null when there is none).
struct EmbeddedBitmap {
  const uint8_t* bytes;
  size_t size;
};
EmbeddedBitmap FindEmbeddedSheet(int32_t sheetId);
bool LoadEmbeddedGlyphSheet(const GlyphMapChoice& map, GlyphSheet* sheet);

}  // namespace zk

#if defined(_WIN32)
namespace zk {
// Windows modules: the bitmap resource of the map, read back as a 24-bit picture.
bool LoadResourceGlyphSheet(const GlyphMapChoice& map, GlyphSheet* sheet);
}  // namespace zk
#endif
