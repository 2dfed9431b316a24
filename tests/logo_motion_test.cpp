// The logo layers' timing, the motion and pattern tables, and the turn of a card, with
// values worked out by hand.
#include "logo_motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "face_math.h"

namespace zk {
namespace {

TEST(LogoMotion, LayerTimeRunsFromStartToEnd) {
  EXPECT_EQ(LayerTime(0.0f, 0.25f, 0.75f), 0.0f);
  EXPECT_EQ(LayerTime(0.25f, 0.25f, 0.75f), 0.0f);
  EXPECT_EQ(LayerTime(0.375f, 0.25f, 0.75f), 0.25f);
  EXPECT_EQ(LayerTime(0.5f, 0.25f, 0.75f), 0.5f);
  EXPECT_EQ(LayerTime(0.75f, 0.25f, 0.75f), 1.0f);
  EXPECT_EQ(LayerTime(1.0f, 0.25f, 0.75f), 1.0f);
  // The quotient is rounded to a float: (0.4f - 0.3f) / 0.3f = 0.3333333 is 0.33333331f.
  EXPECT_EQ(LayerTime(0.4f, 0.3f, 0.6f), 0.33333331f);
}

TEST(LogoMotion, LayerTimeOfAnEmptyOrReversedSpan) {
  // start = end: the layer never moves, whatever the progress.
  for (float p : {0.0f, 0.3f, 0.31f, 1.0f}) EXPECT_EQ(LayerTime(p, 0.3f, 0.3f), 0.0f) << p;
  // end below start: nothing until the start, then at once the whole way.
  EXPECT_EQ(LayerTime(0.5f, 0.6f, 0.2f), 0.0f);
  EXPECT_EQ(LayerTime(0.6f, 0.6f, 0.2f), 0.0f);
  EXPECT_EQ(LayerTime(0.61f, 0.6f, 0.2f), 1.0f);
  // An undefined progress gives an undefined time (the layer is then not drawn).
  EXPECT_TRUE(std::isnan(LayerTime(std::nanf(""), 0.2f, 0.6f)));
  // Huge bounds stay finite: the span overflows to infinity and the time to 0.
  EXPECT_EQ(LayerTime(0.5f, -3e38f, 3e38f), 0.0f);
}

TEST(LogoMotion, GeometryUsesIntegerHalves) {
  const LogoGeometry g = MakeLogoGeometry(201, 101);
  EXPECT_EQ(g.w2, 100.0f);
  EXPECT_EQ(g.h2, 50.0f);
  EXPECT_EQ(g.width, 201);
  EXPECT_EQ(g.height, 101);
}

TEST(LogoMotion, PivotsLieBesideTheFrame) {
  // W2 = 100, H2 = 50; o1 = 100 * 1.35000002 = 135.0000024, o2 = float(270.0000048) = 270.
  // Pivots are rounded to floats: 235.0000024 to 235, -35.0000024 to -35.0000038.
  const float left = -35.0000038f;
  MotionEntry t[kMotionCount];
  BuildMotionTable(MakeLogoGeometry(200, 100), t);
  struct Want {
    int32_t index;
    float x, y, ax, ay;
  };
  const Want want[] = {
      {0, 100, 50, 0, 0},      {1, 100, 185, 63, 0},      {2, 235, 185, 56, -28},
      {3, 235, 50, 0, -65},    {4, 235, -85, -56, -28},   {5, 100, -85, -63, 0},
      {6, left, -85, -56, 28}, {7, left, 50, 0, 65},      {8, left, 185, 56, 28},
      {9, 100, 320, -75, 0},   {10, 370, 320, -80, 50},   {11, 370, 50, 0, 83},
      {12, 370, -220, 80, 50}, {13, 100, -220, 75, 0},    {14, -170, -220, 80, -50},
      {15, -170, 50, 0, -83},  {16, -170, 320, -80, -50},
  };
  for (const Want& w : want) {
    const MotionEntry& e = t[w.index];
    EXPECT_EQ(e.pivot.x, w.x) << w.index;
    EXPECT_EQ(e.pivot.y, w.y) << w.index;
    EXPECT_EQ(e.pivot.z, 1.0f) << w.index;
    EXPECT_EQ(e.x, w.ax) << w.index;
    EXPECT_EQ(e.y, w.ay) << w.index;
    EXPECT_EQ(e.z, 0.0f) << w.index;
  }
  // Width 101: W2 = 50, o1 = 67.500001, pivots float(117.500001) = 117.5 and 50 + 135.
  BuildMotionTable(MakeLogoGeometry(101, 60), t);
  EXPECT_EQ(t[3].pivot.x, 117.5f);
  EXPECT_EQ(t[11].pivot.x, 185.0f);
  EXPECT_EQ(t[11].pivot.y, 30.0f);
}

TEST(LogoMotion, PatternTableTurns) {
  const int32_t want[kPatternCount][3] = {{0, 0, 0},     {0, 180, 0},       {180, 0, 180},
                                          {360, 180, 0}, {720, -180, -360}, {-180, 720, 180},
                                          {0, 180, 360}};
  for (int32_t k = 0; k < kPatternCount; ++k) {
    EXPECT_EQ(kPatternTable[k].x, want[k][0]);
    EXPECT_EQ(kPatternTable[k].y, want[k][1]);
    EXPECT_EQ(kPatternTable[k].z, want[k][2]);
  }
  EXPECT_EQ(PatternIndex(7), 0);
  EXPECT_EQ(PatternIndex(-1), 0);
  EXPECT_EQ(MotionIndex(17), 0);
  EXPECT_EQ(MotionIndex(16), 16);
}

TEST(LogoMotion, TurnAboutAPointKeepsTextureCoordinates) {
  RasterVertex card[4];
  RestingCorners(MakeLogoGeometry(11, 7), card);
  EXPECT_EQ(card[3].x, 10.0f);
  EXPECT_EQ(card[3].y, 6.0f);
  EXPECT_EQ(card[3].u, 10.0f);
  EXPECT_EQ(card[3].v, 6.0f);
  // A half turn about y through (5, 3, 1): x -> 10 - x, z -> 2 - z, in float residue.
  RotateFaceAboutPoint(Axis::Y, card, Point3{5, 3, 1}, 180.0f);
  EXPECT_NEAR(card[0].x, 10.0f, 1e-5);
  EXPECT_NEAR(card[0].z, 2.0f, 1e-5);
  EXPECT_NEAR(card[1].x, 0.0f, 1e-5);
  EXPECT_EQ(card[1].y, 0.0f);
  EXPECT_EQ(card[1].u, 10.0f);  // texture coordinates stay
  EXPECT_EQ(card[2].v, 6.0f);
}

TEST(LogoMotion, LayerMovesByItsShare) {
  const LogoGeometry g = MakeLogoGeometry(40, 20);
  MotionEntry table[kMotionCount];
  BuildMotionTable(g, table);
  LayerSettings s{};
  s.motion = 3;  // front - right: -65 degrees about y through (20 + 27, 10, 1)
  RasterVertex rest[4];
  RestingCorners(g, rest);
  RasterVertex moved[4];
  RestingCorners(g, moved);
  MoveLayerCorners(g, table, s, 0.0, moved);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(moved[i].x, rest[i].x);
    EXPECT_EQ(moved[i].z, rest[i].z);
  }
  MoveLayerCorners(g, table, s, 1.0, moved);
  // q0 = (0, 0, 0) about (47, 10, 1): d = (-47, -10, -1); x' = -47 cos 65 - sin 65 * -1 ...
  const double a = -65 * double{0.017453292f};
  const double wantX = -47 * std::cos(a) + -1 * std::sin(a) + 47;
  const double wantZ = -1 * std::cos(a) - -47 * std::sin(a) + 1;
  EXPECT_NEAR(moved[0].x, wantX, 1e-4);
  EXPECT_NEAR(moved[0].z, wantZ, 1e-4);
  EXPECT_EQ(moved[0].y, 0.0f);
  // Pattern 4 turns twice about x, half about y and once about z over the span: at the
  // end close to, but not exactly, the card turned half about y through (20, 10, 1).
  s.motion = 0;
  s.rotation = 4;
  RestingCorners(g, moved);
  MoveLayerCorners(g, table, s, 1.0, moved);
  bool exact = true;
  for (int i = 0; i < 4; ++i) {
    const float x = 40 - rest[i].x;
    EXPECT_NEAR(moved[i].x, x, 1e-3) << i;
    EXPECT_NEAR(moved[i].y, rest[i].y, 1e-3) << i;
    EXPECT_NEAR(moved[i].z, 2.0f, 1e-3) << i;
    exact = exact && moved[i].x == x && moved[i].y == rest[i].y && moved[i].z == 2.0f;
  }
  EXPECT_FALSE(exact);
  // A motion or pattern no table has does not move the card.
  s.rotation = 99;
  s.motion = -4;
  RestingCorners(g, moved);
  MoveLayerCorners(g, table, s, 0.7, moved);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(moved[i].x, rest[i].x);
}

}  // namespace
}  // namespace zk
