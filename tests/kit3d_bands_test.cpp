// Where a 3D frame's bands are cut: the census of the pixels each row's triangles reach, and
// the cuts at equal shares of that work.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "triangle_bands.h"
#include "triangle_renderer.h"

namespace zk {
namespace {

struct CutCase {
  const char* what;
  std::vector<int64_t> work;
  int64_t rowCost;
  int32_t count, minRows;
  std::vector<int32_t> ends;
};

std::vector<int64_t> Rows(int32_t n, int64_t (*of)(int32_t)) {
  std::vector<int64_t> v(static_cast<size_t>(n));
  for (int32_t r = 0; r < n; ++r) v[static_cast<size_t>(r)] = of(r);
  return v;
}

TEST(TriangleBandCuts, FallAtEqualSharesOfTheWorkAndKeepEveryBandItsRows) {
  const CutCase cases[] = {
      {"no triangles: the rows' own cost alone",
       Rows(64, [](int32_t) { return int64_t{0}; }),
       1,
       4,
       16,
       {16, 32, 48, 64}},
      {"work in the first rows: the first band keeps its least",
       Rows(100, [](int32_t r) { return int64_t{r < 10 ? 100 : 0}; }),
       0,
       2,
       16,
       {16, 100}},
      {"work in the last rows: so does the last",
       Rows(100, [](int32_t r) { return int64_t{r >= 80 ? 1 : 0}; }),
       0,
       2,
       16,
       {84, 100}},
      // 0 + 1 + ... + 28 = 406 is the first running sum past half of 780.
      {"work growing down the frame",
       Rows(40, [](int32_t r) { return int64_t{r}; }),
       0,
       2,
       4,
       {29, 40}},
      {"no room to move: every band its least",
       Rows(48, [](int32_t r) { return int64_t{r == 47 ? 1000 : 0}; }),
       0,
       3,
       16,
       {16, 32, 48}},
  };
  for (const CutCase& c : cases) {
    std::vector<int32_t> ends(static_cast<size_t>(c.count), -1);
    CutBandsByWork(c.work.data(), static_cast<int32_t>(c.work.size()), c.rowCost, c.count,
                   c.minRows, ends.data());
    EXPECT_EQ(c.ends, ends) << c.what;
  }
}

TEST(TriangleBandCensus, TalliesThePixelsOfEachRowInsideTheImageAndDrawsNothing) {
  constexpr int32_t kW = 20, kH = 10;
  std::vector<uint8_t> pixels(static_cast<size_t>(kW) * 3 * kH, 0x5A);
  const std::vector<uint8_t> before = pixels;
  std::vector<float> depth(static_cast<size_t>(kW) * kH, kDepthClear);
  ImagePlane out{pixels.data(), 3, kW * 3, kW, kH, 1};
  std::vector<int64_t> work(kH, 0);
  TriangleBand census{};
  census.index = -1;
  census.rowWork = work.data();
  CameraSetup camera{Point3{10, 0, 0}, 0xFFFFFF, 30, depth.data(), 0, &census};
  // In the image plane (z = 0) the projection leaves the corners where they are.
  ShadedTriangle inside{};
  inside.vertex[0] = RasterVertex{2, 1, 0, 0, 0, 0};
  inside.vertex[1] = RasterVertex{12, 1, 0, 0, 0, 0};
  inside.vertex[2] = RasterVertex{2, 6, 0, 0, 0, 0};
  inside.colour = 0x00FF00;
  // Wider than the image and reaching below it: rows 8 and 9 count the image's 20 columns.
  ShadedTriangle across = inside;
  across.vertex[0] = RasterVertex{-5, 8, 0, 0, 0, 0};
  across.vertex[1] = RasterVertex{25, 8, 0, 0, 0, 0};
  across.vertex[2] = RasterVertex{10, 12, 0, 0, 0, 0};
  ASSERT_EQ(1, DrawTriangle(&out, &camera, &inside));
  ASSERT_EQ(1, DrawTriangle(&out, &camera, &across));
  EXPECT_EQ((std::vector<int64_t>{0, 11, 9, 7, 5, 3, 1, 0, 20, 20}), work);
  EXPECT_EQ(before, pixels);
  for (float d : depth) ASSERT_EQ(kDepthClear, d);
  EXPECT_EQ(0, census.next);  // no triangle was counted for the bands' handoff
}

}  // namespace
}  // namespace zk
