// Parts of rows sampled on their own, as the tiled renderers take them, against the samples
// of single pixels: every start and length a tile walk can produce, on odd sizes.
#include <gtest/gtest.h>

#include <vector>

#include "bubble_geometry.h"
#include "tile_walk.h"

namespace zk {
namespace {

// Every pixel once, in spans that stay within the rectangle and within one tile, for sizes
// that are and are not whole multiples of the tile.
TEST(SpeedTiles, EveryPixelOnceInTileOrder) {
  const int32_t sizes[][2] = {{1, 1}, {3, 5}, {64, 32}, {65, 33}, {130, 70}, {7, 100}};
  for (const auto& size : sizes) {
    std::vector<int32_t> visits(static_cast<size_t>(size[0]) * size[1], 0);
    int32_t lastTile = -1;
    int32_t lastRow = -1;
    ForEachTileSpan(size[0], size[1], 32, 64, [&](int32_t row, int32_t left, int32_t count) {
      ASSERT_TRUE(row >= 0 && row < size[1] && left >= 0 && count >= 1);
      ASSERT_LE(left + count, size[0]);
      ASSERT_EQ(left % 64, 0);
      ASSERT_TRUE(count == 64 || left + count == size[0]);
      const int32_t tile = (row / 32) * 1000 + left / 64;
      ASSERT_GE(tile, lastTile);
      if (tile == lastTile) {
        ASSERT_EQ(row, lastRow + 1);
      }
      lastTile = tile;
      lastRow = row;
      for (int32_t i = 0; i < count; ++i) ++visits[static_cast<size_t>(row) * size[0] + left + i];
    });
    for (int32_t n : visits) ASSERT_EQ(n, 1) << size[0] << "x" << size[1];
  }
}

TEST(SpeedBubble, SpanSamplesEqualThePixelSamples) {
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {33, 17}, {161, 91}, {300, 41}};
  for (const auto& size : sizes) {
    for (double t : {0.0, 0.2, 0.333, 0.5, 0.9, 1.0}) {
      const BubbleShape shape = MakeBubbleShape(size[0], size[1], t);
      std::vector<uint8_t> memory(BubbleRowTablesBytes(shape));
      BubbleRowTables tables;
      ASSERT_TRUE(MakeBubbleRowTables(shape, memory.data(), &tables));
      std::vector<BubbleSample> span(size[0]);
      for (int32_t y = 0; y < size[1]; ++y) {
        // Spans of every length from 1 up, starting all over the row, so both halves of the
        // row, the centre column and the last column are met at every offset.
        for (int32_t count = 1; count <= size[0]; count += 1 + count / 2) {
          for (int32_t left = 0; left + count <= size[0]; left += 1 + count) {
            SampleBubbleSpan(tables, y, left, count, span.data());
            for (int32_t i = 0; i < count; ++i) {
              const BubbleSample e = SampleBubble(shape, left + i, y);
              ASSERT_TRUE(e.x == span[i].x && e.y == span[i].y && e.inside == span[i].inside)
                  << size[0] << "x" << size[1] << " t " << t << " span " << left << "+" << count
                  << " at " << left + i << "," << y;
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace zk
