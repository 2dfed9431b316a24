// The bitmap reader: every bit depth and compression, row padding, and malformed input
// that must be refused or leave pixels black without touching memory outside the buffers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bitmap_reader.h"
#include "test_support.h"

namespace zk {
namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes* b, size_t at, uint32_t v) {
  (*b)[at] = static_cast<uint8_t>(v);
  (*b)[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Append(Bytes* b, std::initializer_list<uint8_t> more) { b->insert(b->end(), more); }

// A 40-byte information header; the size field is deliberately not 40 (it is not read).
Bytes Header(int32_t w, int32_t h, uint32_t bits, uint32_t compression, uint32_t coloursUsed = 0) {
  Bytes b(40, 0);
  Put32(&b, 0, 124);
  Put32(&b, 4, static_cast<uint32_t>(w));
  Put32(&b, 8, static_cast<uint32_t>(h));
  Put16(&b, 12, 1);
  Put16(&b, 14, bits);
  Put32(&b, 16, compression);
  Put32(&b, 32, coloursUsed);
  return b;
}

void AddColour(Bytes* b, uint8_t blue, uint8_t green, uint8_t red) {
  Append(b, {blue, green, red, 0xA5});
}

// A palette whose entry i is (i, 2i, 255 - i).
void AddRamp(Bytes* b, int count) {
  for (int i = 0; i < count; ++i) {
    AddColour(b, static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i),
              static_cast<uint8_t>(255 - i));
  }
}

struct Decoded {
  bool ok = false;
  ImagePlane plane{};
  ~Decoded() { ReleaseImage(&plane); }
  const uint8_t* At(int x, int row) const { return plane.data + row * plane.stride + x * 3; }
};

void Decode(const Bytes& b, Decoded* d) {
  d->plane.data = reinterpret_cast<uint8_t*>(&d);  // must be reset by the decoder
  d->ok = DecodeDib(&d->plane, b.data(), b.size());
  if (!d->ok) {
    EXPECT_EQ(d->plane.data, nullptr);
  }
}

::testing::AssertionResult Pixel(const Decoded& d, int x, int row, int b, int g, int r) {
  const uint8_t* p = d.At(x, row);
  if (p[0] == b && p[1] == g && p[2] == r) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel " << x << "," << row << " is " << int{p[0]} << ","
                                       << int{p[1]} << "," << int{p[2]};
}

TEST(Kit3dBitmap, TwentyFourBitRowsKeepFileOrderAndSkipPadding) {
  Bytes b = Header(3, 2, 24, 0);
  Append(&b, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE});
  Append(&b, {11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE});
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.plane.width, 3);
  EXPECT_EQ(d.plane.height, 2);
  EXPECT_EQ(d.plane.stride, 12);
  EXPECT_EQ(d.plane.bytesPerPixel, 3);
  EXPECT_EQ(d.plane.rowStep, 1);
  EXPECT_TRUE(Pixel(d, 0, 0, 1, 2, 3));
  EXPECT_TRUE(Pixel(d, 2, 0, 7, 8, 9));
  EXPECT_TRUE(Pixel(d, 0, 1, 11, 12, 13));
  EXPECT_TRUE(Pixel(d, 2, 1, 17, 18, 19));
}

TEST(Kit3dBitmap, OneBitWidth408HasOnePaddingByteAndFullLastBytes) {
  const int w = 408;  // 51 bytes of pixels and 1 of padding per row
  Bytes b = Header(w, 2, 1, 0);
  AddColour(&b, 0, 0, 0);
  AddColour(&b, 255, 255, 255);
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 51; ++i) b.push_back(static_cast<uint8_t>(i * 37 + row * 101));
    b.push_back(0xFF);  // padding: must not become the next row's first pixels
  }
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < w; ++x) {
      const uint8_t byte = static_cast<uint8_t>((x / 8) * 37 + row * 101);
      const int v = ((byte >> (7 - x % 8)) & 1) ? 255 : 0;  // leftmost pixel in the high bit
      ASSERT_TRUE(Pixel(d, x, row, v, v, v));
    }
  }
}

TEST(Kit3dBitmap, OneBitWidthTenDropsSurplusBitsAndTwoPaddingBytes) {
  Bytes b = Header(10, 2, 1, 0);
  AddColour(&b, 10, 20, 30);
  AddColour(&b, 200, 210, 220);
  Append(&b, {0xA5, 0x7F, 0xFF, 0xFF});  // pixels 8, 9 = 0, 1; six surplus ones
  Append(&b, {0x0F, 0x80, 0x00, 0x00});
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  const int row0[10] = {1, 0, 1, 0, 0, 1, 0, 1, 0, 1};
  const int row1[10] = {0, 0, 0, 0, 1, 1, 1, 1, 1, 0};
  for (int x = 0; x < 10; ++x) {
    EXPECT_TRUE(row0[x] ? Pixel(d, x, 0, 200, 210, 220) : Pixel(d, x, 0, 10, 20, 30));
    EXPECT_TRUE(row1[x] ? Pixel(d, x, 1, 200, 210, 220) : Pixel(d, x, 1, 10, 20, 30));
  }
}

TEST(Kit3dBitmap, FourAndEightBitIndexes) {
  Bytes b4 = Header(3, 1, 4, 0);  // 16 colours
  AddRamp(&b4, 16);
  Append(&b4, {0x1F, 0x70, 0, 0});
  Decoded d4;
  Decode(b4, &d4);
  ASSERT_TRUE(d4.ok);
  EXPECT_TRUE(Pixel(d4, 0, 0, 1, 2, 254));
  EXPECT_TRUE(Pixel(d4, 1, 0, 15, 30, 240));
  EXPECT_TRUE(Pixel(d4, 2, 0, 7, 14, 248));

  Bytes b8 = Header(2, 2, 8, 0, 3);  // colours used 3: the table has three entries
  AddRamp(&b8, 3);
  Append(&b8, {2, 1, 0, 0});
  Append(&b8, {0, 9, 0, 0});  // 9 lies past the table: left black
  Decoded d8;
  Decode(b8, &d8);
  ASSERT_TRUE(d8.ok);
  EXPECT_TRUE(Pixel(d8, 0, 0, 2, 4, 253));
  EXPECT_TRUE(Pixel(d8, 1, 0, 1, 2, 254));
  EXPECT_TRUE(Pixel(d8, 0, 1, 0, 0, 255));
  EXPECT_TRUE(Pixel(d8, 1, 1, 0, 0, 0));
}

TEST(Kit3dBitmap, SixteenBitPlainColours) {
  Bytes b = Header(3, 1, 16, 0);
  Append(&b, {0x1F, 0x00, 0x00, 0x7C, 0xE0, 0x03, 0, 0});
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  EXPECT_TRUE(Pixel(d, 0, 0, 0xF8, 0, 0));     // pure blue
  EXPECT_TRUE(Pixel(d, 1, 0, 0, 0, 0xF8));     // pure red: bits 8-14 shifted left by one
  EXPECT_TRUE(Pixel(d, 2, 0, 0, 0xF8, 0x06));  // green: its two high bits show in red
}

TEST(Kit3dBitmap, SixteenBitFieldsTakeTheirMasksFromTheTable) {
  Bytes b = Header(4, 1, 16, 3);
  Append(&b, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0});  // 5-6-5 red, green, blue
  Append(&b, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF});
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  EXPECT_TRUE(Pixel(d, 0, 0, 0, 0, 0xF8));     // red: shift 0, high byte
  EXPECT_TRUE(Pixel(d, 1, 0, 0, 0xFC, 0x07));  // green: shift 5; red keeps bits 8-10
  EXPECT_TRUE(Pixel(d, 2, 0, 0xF8, 0, 0));     // blue: shift 11
  EXPECT_TRUE(Pixel(d, 3, 0, 0xF8, 0xFC, 0xFF));
}

TEST(Kit3dBitmap, Rle8RunsLineEndsDeltasAndAbsoluteRuns) {
  Bytes b = Header(6, 4, 8, 1, 8);
  AddRamp(&b, 8);
  Append(&b, {3, 5});              // row 0: three of colour 5
  Append(&b, {0, 3, 1, 2, 3, 0});  // absolute run of three, padded to an even length
  Append(&b, {0, 0});              // end of line
  Append(&b, {0, 2, 2, 1});        // delta: right 2, down 1 -> (2, 2)
  Append(&b, {9, 4});              // run past the row end: only 4 pixels land
  Append(&b, {0, 0});              // end of line -> row 3
  Append(&b, {1, 7});
  Append(&b, {0, 1});  // end of bitmap
  Append(&b, {6, 6});  // never read
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  const int expect[4][6] = {
      {5, 5, 5, 1, 2, 3}, {-1, -1, -1, -1, -1, -1}, {-1, -1, 4, 4, 4, 4}, {7, -1, -1, -1, -1, -1}};
  for (int row = 0; row < 4; ++row) {
    for (int x = 0; x < 6; ++x) {
      const int i = expect[row][x];
      EXPECT_TRUE(i < 0 ? Pixel(d, x, row, 0, 0, 0) : Pixel(d, x, row, i, 2 * i, 255 - i));
    }
  }
}

TEST(Kit3dBitmap, Rle4AlternatesNibblesHighFirst) {
  Bytes b = Header(7, 2, 4, 2);  // 16 colours
  AddRamp(&b, 16);
  Append(&b, {5, 0x3A});           // 3 A 3 A 3
  Append(&b, {0, 3, 0x12, 0x30});  // absolute: 1 2 3 (two bytes, already even)
  Append(&b, {0, 0});
  Append(&b, {0, 5, 0x45, 0x67, 0x80, 0x00});  // absolute 4 5 6 7 8: three bytes + pad
  Append(&b, {2, 0xF0});
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  const int row0[7] = {3, 10, 3, 10, 3, 1, 2};
  const int row1[7] = {4, 5, 6, 7, 8, 15, 0};
  for (int x = 0; x < 7; ++x) {
    EXPECT_TRUE(Pixel(d, x, 0, row0[x], 2 * row0[x], 255 - row0[x]));
    EXPECT_TRUE(Pixel(d, x, 1, row1[x], 2 * row1[x], 255 - row1[x]));
  }
}

TEST(Kit3dBitmap, RleStreamsThatRunOffTheEndStopQuietly) {
  // A delta whose offsets are missing, an absolute run longer than the stream, a delta
  // far past the picture: nothing is read past the bytes given (the sanitizer build
  // checks the reads), and what was decoded stays.
  const Bytes tails[] = {{2, 1, 0, 2, 1},
                         {2, 1, 0, 200, 3, 3},
                         {2, 1, 0, 2, 255, 255, 3, 3},
                         {2, 1, 0},
                         {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 2}};
  for (const Bytes& tail : tails) {
    Bytes b = Header(4, 3, 8, 1, 4);
    AddRamp(&b, 4);
    b.insert(b.end(), tail.begin(), tail.end());
    Bytes exact(b.begin(), b.end());  // the decoder gets exactly these bytes
    Decoded d;
    Decode(exact, &d);
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(Pixel(d, 0, 0, 1, 2, 254));
    EXPECT_TRUE(Pixel(d, 1, 0, 1, 2, 254));
  }
}

TEST(Kit3dBitmap, PlainStreamEndingEarlyLeavesTheRestBlack) {
  Bytes b = Header(2, 3, 24, 0);
  Append(&b, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10});  // row 1 stops after one byte of pixel 1
  Decoded d;
  Decode(b, &d);
  ASSERT_TRUE(d.ok);
  EXPECT_TRUE(Pixel(d, 1, 0, 4, 5, 6));
  EXPECT_TRUE(Pixel(d, 0, 1, 7, 8, 9));
  EXPECT_TRUE(Pixel(d, 1, 1, 0, 0, 0));
  EXPECT_TRUE(Pixel(d, 0, 2, 0, 0, 0));
}

TEST(Kit3dBitmap, RefusesWhatItCannotDecode) {
  auto refused = [](const Bytes& b) {
    Decoded d;
    Decode(b, &d);
    return !d.ok;
  };
  Bytes pixels24 = Header(2, 2, 24, 0);
  pixels24.resize(pixels24.size() + 16, 0);
  EXPECT_FALSE(refused(pixels24));
  EXPECT_TRUE(refused(Bytes{}));
  EXPECT_TRUE(refused(Bytes(39, 0)));
  EXPECT_TRUE(refused(Header(0, 2, 24, 0)));
  EXPECT_TRUE(refused(Header(2, 0, 24, 0)));
  EXPECT_TRUE(refused(Header(-2, 2, 24, 0)));
  EXPECT_TRUE(refused(Header(2, -2, 24, 0)));
  EXPECT_TRUE(refused(Header(1 << 20, 1 << 20, 24, 0)));  // a terapixel: nothing allocated
  EXPECT_TRUE(refused(Header(8193, 4096, 24, 0)));        // just over the cap
  EXPECT_TRUE(refused(Header(2, 2, 32, 0)));
  EXPECT_TRUE(refused(Header(2, 2, 3, 0)));
  EXPECT_TRUE(refused(Header(2, 2, 0, 0)));
  EXPECT_TRUE(refused(Header(2, 2, 4, 1)));   // RLE8 on 4-bit
  EXPECT_TRUE(refused(Header(2, 2, 8, 2)));   // RLE4 on 8-bit
  EXPECT_TRUE(refused(Header(2, 2, 24, 3)));  // bit fields on 24-bit
  EXPECT_TRUE(refused(Header(2, 2, 24, 4)));
  EXPECT_TRUE(refused(Header(2, 2, 16, 3)));              // the three masks are missing
  EXPECT_TRUE(refused(Header(2, 2, 8, 0, 0xFFFFFFFFu)));  // table larger than the input
  Bytes shortTable = Header(2, 2, 1, 0);
  AddColour(&shortTable, 1, 1, 1);  // one of two entries
  EXPECT_TRUE(refused(shortTable));
  Bytes atCap = Header(8192, 4096, 8, 1, 1);  // exactly the cap: accepted
  AddColour(&atCap, 1, 2, 3);
  Append(&atCap, {0, 1});
  EXPECT_FALSE(refused(atCap));
}

// Writes bytes to a file in the temporary folder and returns its path.
std::string WriteTemp(const std::string& name, const Bytes& bytes) {
  const std::string path = test::TempPath(name);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  EXPECT_NE(f, nullptr);
  if (f != nullptr) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

Bytes BmpFile(const Bytes& dib, uint32_t pixelOffset) {
  Bytes file = {0x42, 0x4D, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Put32(&file, 2, static_cast<uint32_t>(14 + dib.size()));
  Put32(&file, 10, pixelOffset);
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

TEST(Kit3dBitmap, ReadsFilesIgnoringThePixelOffsetField) {
  Bytes dib = Header(1, 2, 8, 0, 2);
  AddColour(&dib, 9, 8, 7);
  AddColour(&dib, 90, 80, 70);
  Append(&dib, {1, 0, 0, 0, 0, 0, 0, 0});
  const std::string path = WriteTemp("kit3d_read.bmp", BmpFile(dib, 4000));
  ImagePlane image{};
  ASSERT_TRUE(ReadBmpFile(&image, path.c_str()));
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.data[0], 90);
  EXPECT_EQ(image.data[image.stride + 2], 7);
  ReleaseImage(&image);
  EXPECT_EQ(image.data, nullptr);
  std::remove(path.c_str());
}

TEST(Kit3dBitmap, FileFailuresReportFalseWithNoPixels) {
  auto fails = [](const std::string& path) {
    ImagePlane image{};
    image.data = reinterpret_cast<uint8_t*>(&image);
    const bool ok = ReadBmpFile(&image, path.c_str());
    EXPECT_EQ(image.data, nullptr) << path;
    return !ok;
  };
  Bytes dib = Header(1, 1, 24, 0);
  Append(&dib, {1, 2, 3, 0});
  Bytes wrongSignature = BmpFile(dib, 54);
  wrongSignature[0] = 0x4D;
  wrongSignature[1] = 0x42;
  const std::string empty = WriteTemp("kit3d_empty.bmp", {});
  const std::string tiny = WriteTemp("kit3d_tiny.bmp", {0x42, 0x4D, 1, 2, 3});
  const Bytes whole = BmpFile(dib, 54);
  const std::string headerOnly =
      WriteTemp("kit3d_header_only.bmp", Bytes(whole.begin(), whole.begin() + 30));
  const std::string swapped = WriteTemp("kit3d_swapped.bmp", wrongSignature);
  EXPECT_TRUE(fails(empty));
  EXPECT_TRUE(fails(tiny));
  EXPECT_TRUE(fails(headerOnly));
  EXPECT_TRUE(fails(swapped));
  EXPECT_TRUE(fails(test::TempPath("kit3d_no_such_file.bmp")));
  EXPECT_TRUE(fails("."));  // a directory
  EXPECT_TRUE(fails(""));
  ImagePlane image{};
  EXPECT_FALSE(ReadBmpFile(&image, nullptr));
  for (const std::string& p : {empty, tiny, headerOnly, swapped}) std::remove(p.c_str());
}

}  // namespace
}  // namespace zk
