// Sampling by column sums against the sample-by-sample form on wide frames: cells side by
// side beyond what one pass of sums holds, cells as tall as 16-bit sums allow and taller,
// bright pictures that fill the sums, field rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "marbles_board.h"
#include "marbles_test_support.h"

namespace zk {
namespace {

using Random = test::MarbleRandom;

struct Case {
  int32_t width, stored, lineStep;
  float size;
  bool bright;  // every byte 255 or 254
};

void ExpectPlainSamples(const Case& c, Random& rnd) {
  const int32_t stride = c.width * 3 + static_cast<int32_t>(rnd.Next() % 5);
  std::vector<uint8_t> bytes(static_cast<size_t>(stride) * c.stored);
  rnd.Fill(&bytes);
  if (c.bright)
    for (uint8_t& b : bytes) b = 254 | (b & 1);
  const SceneRows scene{bytes.data(), stride, c.width, c.stored * c.lineStep, c.lineStep};
  const MarbleGrid grid = MakeMarbleGrid(c.width, scene.sceneHeight, c.size);
  ASSERT_GT(grid.count, 0u) << c.width << " size " << c.size;
  std::vector<Marble> fast(grid.count), plain(grid.count);
  SampleMarbles(scene, grid, fast.data());
  SampleMarblesPlain(scene, grid, plain.data());
  EXPECT_EQ(std::memcmp(fast.data(), plain.data(), grid.count * sizeof(Marble)), 0)
      << c.width << "x" << scene.sceneHeight << " size " << c.size;
}

TEST(SpeedS3mBoard, ColumnSumsGiveThePlainMarbles) {
  Random rnd{123};
  const Case cases[] = {
      {1920, 120, 1, 0.01f, false},   // the smallest cells on a wide frame
      {1920, 70, 2, 0.013f, false},   // field rows
      {1500, 400, 1, 0.1f, false},    // 150-pixel cells, three to a pass of sums
      {1111, 300, 1, 0.2312f, true},  // cells of 256.9 pixels: 257 rows of 255s
      {1000, 560, 1, 0.2565f, true},  // 256.5: still 257 rows
      {1000, 600, 1, 0.2575f, true},  // 257.5: 258 rows, summed in 32 bits
      {2000, 700, 1, 0.3f, false},    // 600-pixel cells
      {997, 130, 1, 0.0613f, false},  // odd widths: sums end in a part of 16 bytes
  };
  for (const Case& c : cases) ExpectPlainSamples(c, rnd);
  for (int trial = 0; trial < 60; ++trial) {
    const Case c{600 + static_cast<int32_t>(rnd.Next() % 1500),
                 180 + static_cast<int32_t>(rnd.Next() % 100), trial % 4 == 0 ? 2 : 1,
                 rnd.In(0.01f, 0.08f), trial % 5 == 0};
    ExpectPlainSamples(c, rnd);
  }
}

}  // namespace
}  // namespace zk
