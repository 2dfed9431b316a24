// The character maps: every committed bitmap shows exactly the text grid it was made from,
// in the format the module reads (4 bits per pixel, 16 colours, white ink on black), and
// the native modules' embedded copies are the same bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "glyph_sheet.h"

namespace zk {
namespace {

struct SheetFile {
  int32_t id;
  const char* name;
  int32_t glyphWidth;
  int32_t glyphHeight;
};

const SheetFile kSheets[] = {
    {kSheetSmallDigits, "digits_5x7", 5, 7},
    {kSheetBold10x14, "bold_10x14", 10, 14},
    {kSheetBold18x26, "bold_18x26", 18, 26},
    {kSheetSigns10x14, "signs_10x14", 10, 14},
    {kSheetTypewriter14x20, "typewriter_14x20", 14, 20},
    {kSheetTypewriter10x16, "typewriter_10x16", 10, 16},
    {kSheetSigns16x20, "signs_16x20", 16, 20},
};

std::string GlyphPath(const SheetFile& s, const char* extension) {
  return std::string(ZELKOR_TEST_SOURCE_DIR) + "/effects/chars/glyphs/" + s.name + extension;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The grid rows of a sheet file, glyph after glyph, top row first.
std::vector<std::string> ReadGridRows(const std::string& path, int32_t* cellW, int32_t* cellH) {
  std::ifstream in(path);
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line.rfind("sheet", 0) == 0 ||
        line.rfind("glyph", 0) == 0)
      continue;
    if (line.rfind("cell", 0) == 0) {
      std::sscanf(line.c_str(), "cell %d %d", cellW, cellH);
      continue;
    }
    rows.push_back(line);
  }
  return rows;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(CharsGlyphsTest, EveryBitmapShowsItsGrid) {
  for (const SheetFile& s : kSheets) {
    SCOPED_TRACE(s.name);
    int32_t cellW = 0, cellH = 0;
    const std::vector<std::string> grid = ReadGridRows(GlyphPath(s, ".txt"), &cellW, &cellH);
    ASSERT_EQ(s.glyphWidth, cellW);
    ASSERT_EQ(s.glyphHeight, cellH);
    ASSERT_EQ(static_cast<size_t>(10 * s.glyphHeight), grid.size());

    const std::vector<uint8_t> file = ReadBytes(GlyphPath(s, ".bmp"));
    ASSERT_GT(file.size(), 118u);
    EXPECT_EQ(s.glyphWidth, static_cast<int32_t>(U32(file, 18)));
    EXPECT_EQ(10 * s.glyphHeight, static_cast<int32_t>(U32(file, 22)));
    EXPECT_EQ(4, file[28]);  // bits per pixel
    EXPECT_EQ(0u, U32(file, 30));
    const uint32_t colours = U32(file, 46);
    EXPECT_TRUE(colours == 16 || colours == 0);
    EXPECT_EQ(0u, U32(file, 54) & 0xFFFFFF);                  // palette index 0: black
    EXPECT_EQ(0xFFFFFFu, U32(file, 54 + 15 * 4) & 0xFFFFFF);  // index 15: white

    GlyphSheet sheet;
    ASSERT_TRUE(DecodeSheetBitmap(file.data(), file.size(), &sheet));
    for (int32_t row = 0; row < sheet.height; ++row) {
      ASSERT_EQ(static_cast<size_t>(sheet.width), grid[row].size());
      for (int32_t x = 0; x < sheet.width; ++x) {
        ASSERT_EQ(grid[row][x] == '#', SheetInk(sheet, x, row)) << "row " << row << " x " << x;
      }
    }

    const EmbeddedBitmap embedded = FindEmbeddedSheet(s.id);
    ASSERT_NE(nullptr, embedded.bytes);
    EXPECT_EQ(file, std::vector<uint8_t>(embedded.bytes, embedded.bytes + embedded.size));
  }
}

TEST(CharsGlyphsTest, EveryMapLoadsAsTenDistinctInkedGlyphs) {
  for (const SheetFile& s : kSheets) {
    SCOPED_TRACE(s.name);
    GlyphSheet sheet;
    ASSERT_TRUE(LoadEmbeddedGlyphSheet(GlyphMapChoice{s.id, s.glyphWidth, s.glyphHeight}, &sheet));
    EXPECT_EQ(10, sheet.glyphCount);
    EXPECT_EQ(s.glyphWidth, sheet.glyphWidth);
    std::set<std::string> shapes;
    for (int32_t k = 0; k < 10; ++k) {
      std::string shape;
      int32_t ink = 0;
      for (int32_t y = 0; y < s.glyphHeight; ++y) {
        for (int32_t x = 0; x < s.glyphWidth; ++x) {
          const bool on = SheetInk(sheet, x, k * s.glyphHeight + y);
          shape += on ? '#' : '.';
          ink += on;
        }
      }
      EXPECT_GT(ink, 4) << "glyph " << k;
      shapes.insert(shape);
    }
    EXPECT_EQ(10u, shapes.size());
  }
  EXPECT_EQ(nullptr, FindEmbeddedSheet(108).bytes);
}

TEST(CharsGlyphsTest, BadBitmapsAreRefused) {
  const SheetFile& s = kSheets[0];
  std::vector<uint8_t> file = ReadBytes(GlyphPath(s, ".bmp"));
  ASSERT_GT(file.size(), 118u);
  GlyphSheet sheet;
  EXPECT_FALSE(DecodeSheetBitmap(file.data(), file.size() - 1, &sheet));  // pixels cut short
  EXPECT_FALSE(DecodeSheetBitmap(file.data(), 60, &sheet));
  std::vector<uint8_t> rle = file;
  rle[30] = 2;  // run-length compressed: not a character map
  EXPECT_FALSE(DecodeSheetBitmap(rle.data(), rle.size(), &sheet));
  std::vector<uint8_t> notBmp = file;
  notBmp[0] = 'X';
  EXPECT_FALSE(DecodeSheetBitmap(notBmp.data(), notBmp.size(), &sheet));
  // A map one glyph high cannot give the pool two glyphs to choose from.
  ASSERT_TRUE(DecodeSheetBitmap(file.data(), file.size(), &sheet));
  EXPECT_FALSE(FinishGlyphSheet(GlyphMapChoice{104, 5, 70}, &sheet));
  EXPECT_TRUE(FinishGlyphSheet(GlyphMapChoice{104, 5, 7}, &sheet));
}

}  // namespace
}  // namespace zk
