// The opening cross-fade through its table against the byte-by-byte fade, and the rising
// background at rest (m = 0, black) and moving, on rows with padding that must stay.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "marbles_fades.h"
#include "marbles_test_support.h"

namespace zk {
namespace {

std::vector<uint8_t> Noise(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  test::MarbleRandom{seed}.Fill(&v);
  return v;
}

TEST(MarblesSpeedFades, TableCrossFadeGivesThePlainBytes) {
  const RowSpan span{37, 301 * 3, 301 * 3 + 7};  // padding after every row
  const std::vector<uint8_t> source = Noise(static_cast<size_t>(span.stride) * span.rows, 1);
  std::vector<uint8_t> table(kCrossFadeTableBytes);
  for (float a : {0.0f, 1e-7f, 0.1f, 0.3333333f, 0.5f, 0.7142857f, 0.99999994f, 1.0f}) {
    std::vector<uint8_t> fast = Noise(source.size(), 2);
    std::vector<uint8_t> plain = fast;
    CrossFadeFromSource(span, fast.data(), source.data(), a, table.data());
    CrossFadeFromSourcePlain(span, plain.data(), source.data(), a);
    EXPECT_EQ(fast, plain) << a;
    // Without a table the plain bytes as well.
    std::vector<uint8_t> none = Noise(source.size(), 2);
    CrossFadeFromSource(span, none.data(), source.data(), a, nullptr);
    EXPECT_EQ(none, plain) << a;
  }
  // a = 0 is the source itself, padding aside.
  std::vector<uint8_t> out = Noise(source.size(), 3);
  const std::vector<uint8_t> before = out;
  CrossFadeFromSource(span, out.data(), source.data(), 0.0f, table.data());
  for (int32_t row = 0; row < span.rows; ++row)
    for (int32_t i = 0; i < span.stride; ++i) {
      const size_t k = static_cast<size_t>(row) * span.stride + i;
      ASSERT_EQ(out[k], i < span.bytes ? source[k] : before[k]);
    }
  EXPECT_FALSE(CrossFadeTablePays(RowSpan{17, 33 * 3, 100}));
  EXPECT_TRUE(CrossFadeTablePays(RowSpan{576, 720 * 3, 2160}));
}

TEST(MarblesSpeedFades, BackgroundIsBlackAtRestAndScaledAfter) {
  const RowSpan span{5, 7 * 3, 7 * 3 + 3};
  const std::vector<uint8_t> revealed = Noise(static_cast<size_t>(span.stride) * span.rows, 4);
  for (float m : {0.0f, 0.25f, 0.6180339f, 1.0f}) {
    std::vector<uint8_t> out(revealed.size(), 0xAB);
    PaintRisingBackground(span, out.data(), revealed.data(), m);
    for (int32_t row = 0; row < span.rows; ++row)
      for (int32_t i = 0; i < span.stride; ++i) {
        const size_t k = static_cast<size_t>(row) * span.stride + i;
        const uint8_t want = i < span.bytes
                                 ? static_cast<uint8_t>(static_cast<float>(revealed[k] * double{m}))
                                 : 0xAB;
        ASSERT_EQ(out[k], want) << m << " " << row << " " << i;
      }
  }
}

// Levels of many motion times on rows of odd lengths, through the 16-byte lanes where a
// multiplier gives the levels and the table where none does.
TEST(MarblesSpeedFades, BackgroundThroughTheMultiplierGivesTheTableBytes) {
  const RowSpan span{3, 53 * 3, 53 * 3 + 5};
  const std::vector<uint8_t> revealed = Noise(static_cast<size_t>(span.stride) * span.rows, 6);
  int32_t withMultiplier = 0, without = 0;
  for (int32_t step = 0; step <= 4000; ++step) {
    const float m = static_cast<float>(step / 4000.0);
    uint8_t level[256];
    for (int32_t b = 0; b < 256; ++b)
      level[b] = static_cast<uint8_t>(static_cast<float>(b * double{m}));
    (LevelMultiplier(level) >= 0 ? withMultiplier : without) += 1;
    std::vector<uint8_t> out(revealed.size(), 0x5A);
    PaintRisingBackground(span, out.data(), revealed.data(), m);
    for (size_t k = 0; k < out.size(); ++k) {
      const bool inRow = static_cast<int32_t>(k % span.stride) < span.bytes;
      ASSERT_EQ(out[k], inRow ? level[revealed[k]] : 0x5A) << m << " " << k;
    }
  }
  EXPECT_GT(withMultiplier, 2000);
  EXPECT_GT(without, 0);  // m = 1 among them: 2^16 does not fit
  uint8_t half[256];
  for (int32_t b = 0; b < 256; ++b) half[b] = static_cast<uint8_t>(b / 2);
  EXPECT_EQ(LevelMultiplier(half), 32768);
  half[255] = 0;
  EXPECT_EQ(LevelMultiplier(half), -1);
}

}  // namespace
}  // namespace zk
