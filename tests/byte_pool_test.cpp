// The fixed byte pool: its decoded table and draws worked out by hand.
#include "byte_pool.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(BytePoolTest, TableIsTheDecodedText) {
  const uint8_t expected[kBytePoolSize] = {
      31,  156, 29,  226, 66,  163, 157, 55,  80,  196, 124, 128, 214, 30, 248, 85,  248, 244,
      226, 196, 183, 175, 84,  125, 253, 114, 71,  30,  70,  49,  178, 31, 45,  230, 52,  71,
      99,  30,  100, 193, 222, 36,  31,  86,  112, 19,  240, 216, 226, 97, 146, 239, 15,  6};
  const uint8_t* table = BytePoolTable();
  for (int32_t i = 0; i < kBytePoolSize; ++i) EXPECT_EQ(expected[i], table[i]) << "entry " << i;
}

TEST(BytePoolTest, DecodingTakesCaseFreeDigitsAndZeroForOtherCharacters) {
  uint8_t bytes[5] = {};
  DecodeHexPairs("A1fFg7Zz 9", bytes, 5);
  EXPECT_EQ(0xA1, bytes[0]);
  EXPECT_EQ(0xFF, bytes[1]);
  EXPECT_EQ(0x07, bytes[2]);  // 'g' counts as 0
  EXPECT_EQ(0x00, bytes[3]);
  EXPECT_EQ(0x09, bytes[4]);  // ' ' counts as 0
}

TEST(BytePoolTest, DrawsWorkedByHand) {
  BytePool pool{77};
  BytePoolReset(&pool);
  EXPECT_EQ(0, pool.last);
  // Entry (0 + 0) mod 54 = 0 is 31; 31 mod 10 = 1.
  EXPECT_EQ(1, BytePoolDraw(&pool, 10, 0));
  // Entry 1 + 5 = 6 is 157; 157 mod 10 = 7.
  EXPECT_EQ(7, BytePoolDraw(&pool, 10, 5));
  // A negative salt counts by its low byte: (7 - 3) mod 256 = 4, entry 66; 66 mod 7 = 3.
  EXPECT_EQ(3, BytePoolDraw(&pool, 7, -3));
  // Bound 300 counts as its low byte 44: (3 + 100) mod 54 = 49, entry 97; 97 mod 44 = 9.
  EXPECT_EQ(9, BytePoolDraw(&pool, 300, 100));
  // Bound 256 has a low byte of 0: the entry itself. (9 + 200) mod 54 = 47, entry 216.
  EXPECT_EQ(216, BytePoolDraw(&pool, 256, 200));
  EXPECT_EQ(216, pool.last);
  // (216 + 50) wraps to 10 before the mod 54: entry 124; bound 1 always gives 0.
  EXPECT_EQ(0, BytePoolDraw(&pool, 1, 50));
  // Salt 0x1234 counts as 0x34 = 52: entry 52 is 15; 15 mod 16 = 15.
  EXPECT_EQ(15, BytePoolDraw(&pool, 16, 0x1234));
  // A bound of exactly 0 returns the entry unchanged too: (15 + 0) -> 85.
  EXPECT_EQ(85, BytePoolDraw(&pool, 0, 0));
}

TEST(BytePoolTest, ResetRepeatsTheSequence) {
  BytePool pool;
  BytePoolReset(&pool);
  int32_t first[40];
  for (int32_t i = 0; i < 40; ++i) first[i] = BytePoolDraw(&pool, 13 + i, i * 7 - 20);
  BytePoolReset(&pool);
  for (int32_t i = 0; i < 40; ++i) {
    const int32_t v = BytePoolDraw(&pool, 13 + i, i * 7 - 20);
    EXPECT_EQ(first[i], v);
    EXPECT_LT(v, 13 + i);
  }
}

}  // namespace
}  // namespace zk
