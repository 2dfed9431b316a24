// The disc rows in SSE2 lanes against the plain rows, bit for bit: random columns and rows
// of marbles of many sizes, runs of every length from 0 (odd ones end in the plain tail),
// pixels outside the rim (negative e) and the exact rim included.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "marbles_disc_rows.h"

namespace zk {
namespace {

TEST(MarblesSpeedRows, LanesGiveThePlainRows) {
  uint32_t state = 11;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  int64_t inside = 0, outside = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const int32_t count = static_cast<int32_t>(next() % 40);
    const float R = 0.5f + static_cast<float>(next() % 100000) / 1000.0f;
    const float sx = static_cast<float>(next() % 100000) / 977.0f;
    const float dy = static_cast<float>(static_cast<int32_t>(next() % 200) - 100) + sx * 0.25f;
    std::vector<double> dx2(count), nxL(count);
    const double Lx = 0.57735, Ly = -0.3, Lz = 0.75;
    for (int32_t i = 0; i < count; ++i) {
      const float dx = static_cast<float>(static_cast<int32_t>(next() % 200) - 100 - double{sx});
      dx2[i] = double{dx} * dx;
      nxL[i] = (dx / R) * Lx;
    }
    // Now and then a pixel exactly on the rim: e = 0.
    const float R2 = static_cast<float>(double{R} * R);
    if (count > 0 && trial % 10 == 0) dx2[0] = R2 - double{dy} * dy;
    const DiscRow row{double{dy} * dy, (dy / R) * Ly, R, R2, Lz};
    std::vector<double> J1(count + 1, 7.0), J2(count + 1, 7.0);
    std::vector<float> q1(count + 1, 7.0f), q2(count + 1, 7.0f);
    DiscRowPlain(row, dx2.data(), nxL.data(), count, J1.data(), q1.data());
    DiscRowFast(row, dx2.data(), nxL.data(), count, J2.data(), q2.data());
    ASSERT_EQ(std::memcmp(J1.data(), J2.data(), J1.size() * sizeof(double)), 0) << trial;
    ASSERT_EQ(std::memcmp(q1.data(), q2.data(), q1.size() * sizeof(float)), 0) << trial;
    EXPECT_EQ(J2[count], 7.0);  // nothing written past the run
    for (int32_t i = 0; i < count; ++i) (J1[i] > 0 ? inside : outside) += 1;
  }
  EXPECT_GT(inside, 1000);
  EXPECT_GT(outside, 1000);
}

}  // namespace
}  // namespace zk
