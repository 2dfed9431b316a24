// The fast parts of the board against their plain forms: sampling by whole runs of a row
// against sample-by-sample positions, and the kept sines of whole-degree turns against the
// turns worked out each time.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "marbles_board.h"
#include "marbles_math.h"
#include "marbles_test_support.h"

namespace zk {
namespace {

using Random = test::MarbleRandom;

bool SameMarbles(const std::vector<Marble>& a, const std::vector<Marble>& b) {
  if (a.size() != b.size()) return false;
  return a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Marble)) == 0;
}

TEST(MarblesSpeedBoard, SamplingByRunsGivesThePlainMarbles) {
  Random rnd{99};
  const float sizes[] = {0.01f, 0.03f, 0.0371f, 0.1f, 0.33f, 0.5f, 1.0f, 0.137f, 0.0f};
  int64_t marbles = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const int32_t w = 1 + static_cast<int32_t>(rnd.Next() % 250);
    const int32_t stored = 1 + static_cast<int32_t>(rnd.Next() % 120);
    const int32_t lineStep = trial % 3 == 0 ? 2 : 1;
    const int32_t stride = w * 3 + static_cast<int32_t>(rnd.Next() % 7);
    std::vector<uint8_t> bytes(static_cast<size_t>(stride) * stored);
    rnd.Fill(&bytes);
    // The scene as the board reads it, its first row not at the start of the frame.
    const int32_t height = stored * lineStep - (lineStep == 2 && trial % 2 ? 1 : 0);
    const SceneRows scene{bytes.data(), stride, w, height, lineStep};
    const float size = trial < 9 ? sizes[trial] : rnd.In(0.004f, 0.6f);
    const MarbleGrid grid = MakeMarbleGrid(w, height, size);
    std::vector<Marble> fast(grid.count), plain(grid.count);
    SampleMarbles(scene, grid, fast.data());
    SampleMarblesPlain(scene, grid, plain.data());
    ASSERT_TRUE(SameMarbles(fast, plain)) << w << "x" << height << " size " << size;
    marbles += static_cast<int64_t>(grid.count);
  }
  EXPECT_GT(marbles, 10000);
}

TEST(MarblesSpeedBoard, KeptTurnsGiveTheTurnedPoints) {
  Random rnd{3};
  WholeDegreeTurns turns;
  auto same = [](const Point3& a, const Point3& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  for (int i = 0; i < 20000; ++i) {
    // Angles from several turns either way, so that slots are taken over by other angles.
    const int32_t degrees = static_cast<int32_t>(rnd.Next() % 4001) - 2000;
    const Point3 p{rnd.In(-2000, 2000), rnd.In(-2000, 2000), rnd.In(-3000, 3000)};
    const Point3 c{rnd.In(0, 1000), rnd.In(0, 1000), rnd.In(-3000, 1)};
    ASSERT_TRUE(same(turns.RotateXAbout(p, c, degrees), RotateXAboutWholeDegrees(p, c, degrees)));
    ASSERT_TRUE(same(turns.RotateYAbout(p, c, degrees), RotateYAboutWholeDegrees(p, c, degrees)));
    ASSERT_TRUE(same(turns.RotateZAbout(p, c, degrees), RotateZAboutWholeDegrees(p, c, degrees)));
  }
  const Point3 p{1.5f, 2.5f, 3.5f};
  EXPECT_TRUE(same(turns.RotateZAbout(p, Point3{7, 8, 9}, 0), p));
}

}  // namespace
}  // namespace zk
