// Row kernels of the glow's nearest-character search.
//
// A background pixel glows towards the character pixel at the smallest whole distance
// d = trunc(sqrt(dx^2 + dy^2)) around it, the first such pixel in memory order (rows upwards
// in memory, then left to right) among equals. The weight (4 - d) / 5 x 0.8 is zero at d = 4,
// and own x 1.0 + 0.0 x found is own exactly, so only offsets with d <= 3 can change a byte:
// they lie within 3 rows and 3 columns. Each such offset gets a one-byte key
//   (d - 1) x 49 + (dy + 3) x 7 + (dx + 3),
// ordered as the search ranks them: nearer first, then the earlier row, then the column to
// the left. The nearest pixel is then the smallest key over the lit offsets, a minimum that
// splits into one along each row (per |dy|, with the column part of the key) and one across
// the seven rows (adding the row part). kNoGlow marks "nothing within reach".
#pragma once

#include <cstdint>

#include "colour_word.h"

namespace zk {

constexpr int32_t kGlowReach = 3;
constexpr int32_t kGlowRows = 2 * kGlowReach + 1;
constexpr uint8_t kNoGlow = 0xFF;

// Rows of marks: 0x00 where a pixel differs from the background colour (a character pixel),
// 0xFF elsewhere. Mark rows are kept with kGlowMargin bytes of 0xFF on both sides and are
// padded with 0xFF up to GlowPaddedWidth(width); key rows hold GlowPaddedWidth(width) bytes.
constexpr int32_t kGlowMargin = 16;
inline int32_t GlowPaddedWidth(int32_t width) { return (width + 15) & ~15; }

// Distance class of an offset, as the glow measures it.
int32_t GlowClass(int32_t dy, int32_t dx);
// Key of an offset with class 1..3 (see above).
inline uint8_t GlowKey(int32_t distanceClass, int32_t dy, int32_t dx) {
  return static_cast<uint8_t>((distanceClass - 1) * 49 + (dy + kGlowReach) * kGlowRows +
                              (dx + kGlowReach));
}

// marks[x] for x = 0 .. width - 1 of one row of pixels; returns whether any pixel is marked lit.
bool MarkCharacterPixelsPlain(const uint8_t* pixels, int32_t width, PixelBgr background,
                              uint8_t* marks);
bool MarkCharacterPixels(const uint8_t* pixels, int32_t width, PixelBgr background, uint8_t* marks);

// For one mark row and every |dy| = 0 .. 3: keys[|dy|][x] = the smallest key over the lit
// pixels x + dx of the row whose offset (dy, dx) has class 1..3, without the row part
// ((dy + 3) x 7); kNoGlow when there is none. The plain form writes x < width, the fast one
// the padded width.
void NearestAlongRowPlain(const uint8_t* marks, int32_t width, uint8_t* const keys[4]);
void NearestAlongRow(const uint8_t* marks, int32_t width, uint8_t* const keys[4]);

// keys[x] = the smallest of rowKeys[dy + 3][x] + (dy + 3) x 7 over dy = -3 .. 3, rowKeys
// being the along-row keys of row y + dy for |dy| (nullptr: no lit pixel in that row);
// kNoGlow where the row's own pixel is lit or nothing lies within reach.
void NearestAcrossRowsPlain(const uint8_t* const rowKeys[kGlowRows], const uint8_t* ownMarks,
                            int32_t width, uint8_t* keys);
void NearestAcrossRows(const uint8_t* const rowKeys[kGlowRows], const uint8_t* ownMarks,
                       int32_t width, uint8_t* keys);

// Bit j set where keys[j] is not kNoGlow, for j below 16 and below count (count >= 1; the
// fast form reads sixteen keys).
uint32_t GlowingPixelsPlain(const uint8_t* keys, int32_t count);
uint32_t GlowingPixels(const uint8_t* keys, int32_t count);

}  // namespace zk
