// The bubble's float-lane spans: the quotients they rest on, and the sources they give
// against the per-pixel samples and against the one-pixel-at-a-time spans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bubble_geometry.h"
#include "bubble_lanes.h"

namespace zk {
namespace {

#if defined(ZK_BUBBLE_LANES)

// Checks trunc(n / d) of the lanes against integer division for numerators n .. n + 3 and
// their negatives, one divisor.
void ExpectQuotients(int32_t n, int32_t d) {
  const int32_t numerators[4] = {n, n + 1, n + 2, n + 3};
  const int32_t negatives[4] = {-n, -n - 1, -n - 2, -n - 3};
  const int32_t divisors[4] = {d, d, -d, d};
  int32_t q[4];
  TruncatedQuotients4(numerators, divisors, q);
  for (int k = 0; k < 4; ++k) {
    ASSERT_EQ(numerators[k] / divisors[k], q[k]) << numerators[k] << " / " << divisors[k];
  }
  TruncatedQuotients4(negatives, divisors, q);
  for (int k = 0; k < 4; ++k) {
    ASSERT_EQ(negatives[k] / divisors[k], q[k]) << negatives[k] << " / " << divisors[k];
  }
}

constexpr int32_t kLimit = static_cast<int32_t>(kLaneQuotientLimit);

TEST(SpeedS3bBubble, LaneQuotientsOfEveryNumeratorBySmallDivisors) {
  // Every numerator below 2^24 for the divisors whose quotients are largest.
  for (int32_t d : {1, 2, 3, 7}) {
    for (int32_t n = 0; n + 3 < kLimit; n += 4) {
      ExpectQuotients(n, d);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(SpeedS3bBubble, LaneQuotientsNearEveryMultipleBand) {
  // For every divisor up to 4096, numerators just below, at and above multiples spread
  // over the whole range, where a rounded quotient would first cross a whole number.
  for (int32_t d = 1; d <= 4096; ++d) {
    const int32_t multiples = (kLimit - 8) / d;
    const int32_t step = multiples / 509 > 0 ? multiples / 509 : 1;
    for (int32_t m = 1; m <= multiples; m += step) {
      ExpectQuotients(m * d - 2, d);  // m d - 2 .. m d + 1
      if (::testing::Test::HasFatalFailure()) return;
    }
    ExpectQuotients(multiples * d - 2, d);
    ExpectQuotients(kLimit - 4, d);
  }
  // Large divisors up to the limit, with numerators around their multiples.
  uint32_t seed = 99;
  for (int run = 0; run < 200000; ++run) {
    seed = seed * 1664525u + 1013904223u;
    const int32_t d = 1 + static_cast<int32_t>((seed >> 8) % (kLimit - 1));
    seed = seed * 1664525u + 1013904223u;
    const int32_t m = static_cast<int32_t>((seed >> 8) % (static_cast<uint32_t>(kLimit / d) + 1));
    const int32_t n = m * d - 2 < 0 ? 0 : (m * d + 1 >= kLimit ? kLimit - 4 : m * d - 2);
    ExpectQuotients(n, d);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(SpeedS3bBubble, LaneSquareRootsOfEverySquaredDistance) {
  // Every whole n below the bound, checked through rows whose dy is 0 (n = dx^2) and
  // directly: trunc of the float root against the double one.
  for (int32_t n = 0; n < kLaneDistanceLimit; n += 4) {
    const __m128 squared = _mm_setr_ps(static_cast<float>(n), static_cast<float>(n + 1),
                                       static_cast<float>(n + 2), static_cast<float>(n + 3));
    alignas(16) int32_t roots[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(roots), _mm_cvttps_epi32(_mm_sqrt_ps(squared)));
    for (int32_t k = 0; k < 4; ++k) {
      ASSERT_EQ(static_cast<int32_t>(std::sqrt(static_cast<double>(n + k))), roots[k]) << n + k;
    }
  }
}

TEST(SpeedS3bBubble, LaneRowDistancesAreThePlainOnes) {
  // Rows up to the largest the bound allows (half sizes 1447 x 1447 give 2 x 1448^2 < 2^22),
  // every width 0 .. 40 and long rows, centres inside and outside the row.
  std::vector<int32_t> lanes(3000), plain(3000);
  for (int32_t width : {0, 1, 2, 3, 4, 5, 7, 8, 9, 31, 32, 33, 40, 1921, 2895}) {
    for (int32_t centre : {-5, 0, 1, 3, width / 2, width - 1, width + 7, 1447}) {
      for (int32_t dy : {0, 1, -1, 2, 17, -300, 539, 1000, -1447}) {
        std::fill(lanes.begin(), lanes.end(), -7);
        std::fill(plain.begin(), plain.end(), -7);
        RowDistancesInLanes(centre, dy, width, lanes.data());
        RowDistancesPlain(centre, dy, width, plain.data());
        ASSERT_EQ(plain, lanes) << width << " " << centre << " " << dy;
      }
    }
  }
}

#endif

// Two scenes of distinct addresses: every line of each its own row of bytes.
struct SceneLines {
  SceneLines(int32_t w, int32_t lines) : inside(3 * w * lines), outside(3 * w * lines) {
    for (int32_t y = 0; y < lines; ++y) {
      insideLines.push_back(inside.data() + 3 * w * y);
      outsideLines.push_back(outside.data() + 3 * w * y);
    }
  }
  std::vector<uint8_t> inside;
  std::vector<uint8_t> outside;
  std::vector<const uint8_t*> insideLines;
  std::vector<const uint8_t*> outsideLines;
};

// Spans of the lanes and of the plain walk against the samples on the given lines.
void ExpectSpansOfSamples(int32_t w, int32_t lines, const std::vector<int32_t>& rows,
                          const std::vector<double>& ts) {
  const SceneLines scene(w, lines);
  for (double t : ts) {
    const BubbleShape shape = MakeBubbleShape(w, lines, t);
    std::vector<uint8_t> memory(BubbleRowTablesBytes(shape));
    BubbleRowTables tables;
    ASSERT_TRUE(MakeBubbleRowTables(shape, memory.data(), &tables));
    ASSERT_TRUE(tables.lanes) << w << "x" << lines;
    std::vector<const uint8_t*> sources(w);
    for (bool lanes : {true, false}) {
      tables.lanes = lanes;
      for (int32_t y : rows) {
        for (int32_t left : {0, 1, w / 5, w / 2 - 3, w / 2, w - 9}) {
          if (left < 0 || left >= w) continue;
          for (int32_t count : {1, 4, 5, 32, 37, w - left}) {
            if (count > w - left) continue;
            BubbleSpanSources(tables, y, left, count, scene.insideLines.data(),
                              scene.outsideLines.data(), sources.data());
            for (int32_t i = 0; i < count; ++i) {
              const BubbleSample e = SampleBubble(shape, left + i, y);
              const uint8_t* expected =
                  (e.inside ? scene.insideLines : scene.outsideLines)[e.y] + 3 * e.x;
              ASSERT_EQ(expected, sources[i]) << w << "x" << lines << " t " << t << " at "
                                              << left + i << "," << y << " lanes " << lanes;
            }
          }
        }
      }
    }
  }
}

std::vector<int32_t> AllRows(int32_t lines) {
  std::vector<int32_t> rows;
  for (int32_t y = 0; y < lines; ++y) rows.push_back(y);
  return rows;
}

TEST(SpeedS3bBubble, LaneSpansOfSmallAndOddFrames) {
  const int32_t sizes[][2] = {{1, 1},   {2, 2},    {3, 5},    {5, 3},   {4, 9},
                              {9, 4},   {8, 8},    {17, 40},  {40, 17}, {63, 31},
                              {97, 61}, {161, 91}, {91, 161}, {200, 7}, {7, 200}};
  for (const auto& size : sizes) {
    ExpectSpansOfSamples(size[0], size[1], AllRows(size[1]),
                         {0.0, 0.01, 0.1, 0.25, 0.333, 0.334, 0.5, 0.75, 0.9, 0.999, 1.0});
  }
}

TEST(SpeedS3bBubble, LaneSpansOfLargeFrames) {
  // Lines near the top, the centre and the bottom, where rays switch between sides, ends
  // and corners.
  const int32_t sizes[][2] = {{1920, 1080}, {721, 577}, {720, 576}, {1080, 1920}};
  for (const auto& size : sizes) {
    const int32_t lines = size[1];
    std::vector<int32_t> rows = {0,         1,        2, lines / 4, lines / 2 - 1, lines / 2 + 1,
                                 lines - 2, lines - 1};
    for (int32_t y = 3; y < lines; y += 37) rows.push_back(y);
    ExpectSpansOfSamples(size[0], lines, rows, {0.0, 0.2, 0.5, 0.8});
  }
}

TEST(SpeedS3bBubble, LanesInTheLargestFramesWithTables) {
  // 4096 x 2160 is about the largest frame the fixed divisors serve; its lane products stay
  // below 4098 x 2318 < 2^24, and its rows agree with the samples.
  BubbleRowTables tables;
  const BubbleShape wide = MakeBubbleShape(4096, 2160, 0.5);
  std::vector<uint8_t> memory(BubbleRowTablesBytes(wide));
  ASSERT_TRUE(MakeBubbleRowTables(wide, memory.data(), &tables));
  EXPECT_TRUE(tables.lanes);
  ExpectSpansOfSamples(4096, 2160, {0, 7, 500, 1079, 1081, 2159}, {0.0, 0.3});
}

}  // namespace
}  // namespace zk
