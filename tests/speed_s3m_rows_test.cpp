// The lit marble rows against the lighting worked out pixel by pixel from its definition,
// byte for byte; the solid limit against the rim depth on both sides of it, and rows that
// skip the rim depth within it against the plain rows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "marbles_disc_rows.h"
#include "marbles_lit_rows.h"
#include "marbles_power.h"
#include "marbles_test_support.h"
#include "vector_math.h"

namespace zk {
namespace {

using Random = test::MarbleRandom;

TEST(SpeedS3mRows, SolidLimitIsTheLastSquareOfFullWeight) {
  Random rnd{41};
  const auto depth = [](double R, double rho2) { return R - (std::sqrt(rho2) + 0.5); };
  std::vector<float> radii = {1.5f, 1.5000001f, 1.4999999f, 1.75f, 2.0f, 2.5f, 3.0f, 1e6f, 3e30f};
  for (int i = 0; i < 20000; ++i) radii.push_back(rnd.In(1.4f, 4.0f));
  for (int i = 0; i < 20000; ++i) radii.push_back(rnd.In(0, 3000));
  int64_t solid = 0;
  for (float r : radii) {
    const double R = r;
    const double limit = SolidLimit(R);
    if (limit < 0) {
      // Not even the centre takes the full weight.
      EXPECT_EQ(limit, -1.0) << r;
      EXPECT_LT(depth(R, 0), 1.0) << r;
      continue;
    }
    ++solid;
    ASSERT_GE(depth(R, limit), 1.0) << r;
    ASSERT_LT(depth(R, std::nextafter(limit, HUGE_VAL)), 1.0) << r;
  }
  EXPECT_GT(solid, 30000);
  EXPECT_EQ(SolidLimit(1.0), -1.0);
  EXPECT_EQ(SolidLimit(0.0), -1.0);
  EXPECT_EQ(SolidLimit(std::numeric_limits<double>::infinity()), -1.0);
  EXPECT_EQ(SolidLimit(std::nan("")), -1.0);
  // At 1.5 the centre takes the full weight, and so does every rho2 whose root is lost
  // when 0.5 is added to it.
  EXPECT_GT(SolidLimit(1.5), 0.0);
  EXPECT_LT(SolidLimit(1.5), 0x1p-100);
}

TEST(SpeedS3mRows, SolidRowsGiveThePlainRows) {
  Random rnd{23};
  int64_t solidPixels = 0, rimPixels = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    const int32_t count = static_cast<int32_t>(rnd.Next() % 41);
    const float R = rnd.In(0.5f, 40);
    const double sx = rnd.In(-5, 45);
    const float dy = static_cast<float>(static_cast<int32_t>(rnd.Next() % 80) - 40 + sx * 0.29);
    std::vector<double> dx2(count), nxL(count);
    for (int32_t i = 0; i < count; ++i) {
      const float dx = static_cast<float>(i - sx);
      dx2[i] = double{dx} * dx;
      nxL[i] = (dx / R) * 0.48;
    }
    const DiscRow row{double{dy} * dy, (dy / R) * -0.6, R, static_cast<float>(double{R} * R), 0.64};
    // Now and then a limit of -1: nothing is solid.
    const double limit = trial % 9 == 4 ? -1.0 : SolidLimit(R);
    std::vector<double> J1(count + 1, 7.0), J2(count + 1, 7.0);
    std::vector<float> q1(count + 1, 7.0f), q2(count + 1, 7.0f);
    DiscRowPlain(row, dx2.data(), nxL.data(), count, J1.data(), q1.data());
    DiscRowSolid(row, limit, dx2.data(), nxL.data(), count, J2.data(), q2.data());
    ASSERT_EQ(std::memcmp(q1.data(), q2.data(), q1.size() * sizeof(float)), 0) << trial;
    EXPECT_EQ(J2[count], 7.0);  // nothing written past the run
    for (int32_t i = 0; i < count; ++i) {
      if (J2[i] == 1.0 && J1[i] != 1.0) {
        // Skipped: the plain depth gives the full weight as well.
        ASSERT_GE(J1[i], 1.0) << trial << " " << i;
        ++solidPixels;
      } else {
        ASSERT_EQ(std::memcmp(&J1[i], &J2[i], sizeof(double)), 0) << trial << " " << i;
        ++rimPixels;
      }
    }
  }
  EXPECT_GT(solidPixels, 10000);
  EXPECT_GT(rimPixels, 10000);
}

// The bytes of one pixel as the lighting defines them, from its J and q.
void LightPixel(const LitLook& s, double J, float q, uint8_t* px) {
  const auto byte = [](double v) {
    if (!(v > 0)) return 0;
    return v < 255 ? static_cast<int32_t>(v) : 255;
  };
  int32_t X[3];
  if (q >= 0) {
    const double V = static_cast<float>(WholePower(q * s.impact, s.gloss));
    for (int k = 0; k < 3; ++k) X[k] = byte(s.marble[k] * (1 - V) + s.light[k] * V);
  } else {
    const double V = WholePower(-q * s.impact, s.gloss);
    for (int k = 0; k < 3; ++k) X[k] = byte(s.marble[k] * (1 - V));
  }
  const double w = static_cast<float>((J < 1 ? J : 1) * s.opacity);
  for (int k = 0; k < 3; ++k) px[k] = static_cast<uint8_t>(byte(px[k] + (X[k] - px[k]) * w));
}

TEST(SpeedS3mRows, LitRowsGiveThePixelByPixelBytes) {
  Random rnd{17};
  int64_t drawn = 0, left = 0, unsettledRuns = 0;
  for (int trial = 0; trial < 6000; ++trial) {
    const int32_t count = static_cast<int32_t>(rnd.Next() % 45);
    const float R = trial % 4 == 0 ? rnd.In(0.2f, 4) : rnd.In(0.2f, 60);
    const double sx = rnd.In(-5, 50);
    const float dy = static_cast<float>(static_cast<int32_t>(rnd.Next() % 90) - 45 + sx * 0.37);
    const Point3 light{rnd.In(-50, 50), rnd.In(-50, 50), rnd.In(-50, 50)};
    const double length = std::sqrt(double{light.z} * light.z + double{light.y} * light.y +
                                    double{light.x} * light.x);
    const double Lx = light.x / length, Ly = light.y / length, Lz = light.z / length;
    std::vector<double> dx2(count), nxL(count);
    for (int32_t i = 0; i < count; ++i) {
      const float dx = static_cast<float>(i - sx);
      dx2[i] = double{dx} * dx;
      nxL[i] = (dx / R) * Lx;
    }
    const float R2 = static_cast<float>(double{R} * R);
    const DiscRow row{double{dy} * dy, (dy / R) * Ly, R, R2, Lz};
    std::vector<double> J(count);
    std::vector<float> q(count);
    DiscRowPlain(row, dx2.data(), nxL.data(), count, J.data(), q.data());
    LitLook look{};
    for (int k = 0; k < 3; ++k) {
      look.marble[k] = rnd.Next() % 256;
      look.light[k] = trial % 5 == 0 ? 255 : rnd.Next() % 256;
    }
    look.impact = trial % 3 == 0 ? 1.0f : rnd.In(0, 1.6f);
    look.gloss = 1 + static_cast<int32_t>(rnd.Next() % 16);
    if (trial % 29 == 0) look.gloss = static_cast<int32_t>(rnd.Next() % 30) - 8;
    look.opacity = 1.0f;
    if (trial % 3 == 1) look.opacity = rnd.In(0, 1);
    if (trial % 31 == 0) look.opacity = rnd.In(1, 2);   // turned behind the image plane
    if (trial % 37 == 0) look.opacity = rnd.In(-1, 0);  // past the far transparency

    // The row ends the buffer: a lone last pixel is read and written alone.
    std::vector<uint8_t> fast(3 * count), plain;
    rnd.Fill(&fast);
    plain = fast;
    std::vector<uint8_t> pending(count + 1, 0);
    const int32_t marked = LightRow3(look, J.data(), q.data(), count, fast.data(), pending.data());
    int32_t pendingSeen = 0;
    for (int32_t i = 0; i < count; ++i) {
      ASSERT_LE(pending[i], 1) << trial;
      if (J[i] > 0) ++drawn;
      if (pending[i] == 0) continue;
      ++pendingSeen;
      ASSERT_GT(J[i], 0) << trial;  // only pixels inside the rim are left
      // Untouched: the reference has not drawn it yet either.
      ASSERT_EQ(std::memcmp(&fast[3 * i], &plain[3 * i], 3), 0) << trial << " " << i;
      LightPixel(look, J[i], q[i], &fast[3 * i]);
    }
    ASSERT_EQ(marked, pendingSeen) << trial;
    EXPECT_EQ(pending[count], 0);  // nothing marked past the run
    left += marked;
    if (marked > 0) ++unsettledRuns;
    for (int32_t i = 0; i < count; ++i)
      if (J[i] > 0) LightPixel(look, J[i], q[i], &plain[3 * i]);
    ASSERT_EQ(fast, plain) << "trial " << trial;
  }
  EXPECT_GT(drawn, 40000);
  EXPECT_GT(left, 0);  // gloss off the lanes' range leaves whole runs
  EXPECT_GT(unsettledRuns, 10);
}

}  // namespace
}  // namespace zk
