// Device-independent bitmaps into 24-bit image planes: the decoder for an information
// header + colour table + pixels in memory, and the ".bmp" file reader built on it.
// The input is whatever a user hands us, so every size and index is checked: malformed
// input is refused or leaves pixels black, and nothing is read or written outside a buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image_plane.h"

namespace zk {

// Decoded pictures are capped at this many pixels (8192 x 4096, a 32-megapixel photo);
// larger claimed sizes are refused before anything is allocated.
constexpr int64_t kMaxDibPixels = int64_t{1} << 25;
// Files larger than any accepted picture could need are refused before they are read.
constexpr int64_t kMaxBmpFileBytes = 14 + 40 + 1024 + 4 * kMaxDibPixels;

// Decodes 1, 4, 8, 16 and 24 bits per pixel, plain, RLE8 (8-bit), RLE4 (4-bit) and 16-bit
// bit fields, into a new plane {data, 3, stride, width, height, rowStep 1}; rows stay in
// file order. The pixels start right after the colour table. Returns false, with `data`
// null and nothing allocated, for anything it does not accept.
bool DecodeDib(ImagePlane* out, const uint8_t* header, size_t byteCount);

// Reads a whole ".bmp" file (signature "BM", 14-byte file header) and decodes it.
bool ReadBmpFile(ImagePlane* out, const char* path);

// Frees a plane's pixels from DecodeDib or ReadBmpFile and nulls the pointer.
void ReleaseImage(ImagePlane* image);

}  // namespace zk
