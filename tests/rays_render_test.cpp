// Rays against worked values: the threshold curve, the light source cell, the mask, the
// ray families and their order, the composite, and whole frames.
#include "rays_render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "firestorm_rays_test_support.h"
#include "ray_casting.h"
#include "rays_frame.h"
#include "rays_params.h"
#include "test_support.h"
#include "threshold_curve.h"

namespace zk {
namespace {

RaysParams Defaults() { return test::RaysDefaults(); }

TEST(RaysThresholdCurve, EndsTurningPointAndWorkedValues) {
  // Exponent 1, level 0.5: q = 1 and the curve is the straight line T(x) = x.
  for (double x : {0.0, 0.1, 0.5, 0.9, 1.0}) EXPECT_NEAR(ThresholdCurve(x, 1, 0.5), x, 1e-15);
  // Exponent 3, level 0.5: T = 0.5 ((2x - 1)^3 + 1), the cube of a negative base negative.
  EXPECT_NEAR(ThresholdCurve(0.25, 3, 0.5), 0.4375, 1e-15);
  EXPECT_NEAR(ThresholdCurve(0.75, 3, 0.5), 0.5625, 1e-15);
  // Level 0.2, exponent 3: q = 4^(1/3), the turning point at x = 1 / (q + 1) has height 0.2.
  const double q = std::cbrt(4.0);
  EXPECT_NEAR(ThresholdCurve(1.0 / (q + 1.0), 3, 0.2), 0.2, 1e-12);
  const float level = 0.333f;
  EXPECT_EQ(ThresholdCurve(0.0, 5, level), 0.0);
  EXPECT_NEAR(ThresholdCurve(1.0, 5, level), 1.0, 1e-12);
  double last = -1.0;
  for (int i = 0; i <= 100; ++i) {
    const double t = ThresholdCurve(i / 100.0, 5, level);
    EXPECT_GE(t, last);
    last = t;
  }
  // No curve without a level or an exponent.
  EXPECT_EQ(ThresholdCurve(0.7, 5, 0.0), 0.0);
  EXPECT_EQ(ThresholdCurve(0.7, 0, 0.4), 0.0);
}

TEST(RaysFramePlan, LightSourceCellInSinglePrecision) {
  EXPECT_EQ(LightSourceCell(320, 50.0f), 160);
  EXPECT_EQ(LightSourceCell(64, 50.0f), 32);
  EXPECT_EQ(LightSourceCell(5, 50.0f), 2);
  EXPECT_EQ(LightSourceCell(180, 100.0f), 180) << "100 percent is one past the last cell";
  EXPECT_EQ(LightSourceCell(7, 100.0f), 7);
  EXPECT_EQ(LightSourceCell(7, 0.0f), 0);
  EXPECT_EQ(LightSourceCell(200, 25.0f), 50);
  EXPECT_EQ(LightSourceCell(7, -30.0f), 0);
  EXPECT_EQ(LightSourceCell(7, 1e30f), 7);
  EXPECT_EQ(LightSourceCell(7, std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(RaysFramePlan, PhaseThresholdAndSource) {
  RaysParams p = Defaults();
  EXPECT_EQ(RaysPhase(p, 0.0f), 0.0);
  EXPECT_EQ(RaysPhase(p, 0.25f), 0.5);
  EXPECT_EQ(RaysPhase(p, 0.5f), 1.0);
  EXPECT_EQ(RaysPhase(p, 0.75f), 0.5);
  EXPECT_EQ(RaysPhase(p, 1.0f), 0.0);

  RaysFrame f = PlanRaysFrame(p, 0.0f, 10, 10);
  EXPECT_EQ(f.threshold, 255);
  EXPECT_FALSE(f.fromSceneB);
  f = PlanRaysFrame(p, 0.5f, 10, 10);
  EXPECT_EQ(f.threshold, 0);
  EXPECT_TRUE(f.fromSceneB);
  // Half way up the rise the curve sits near its turning point: 255 - 0.333 * 255 = 170.1,
  // a little lower since x = 0.5 lies past the turning point (q > 1 for a level below 0.5).
  f = PlanRaysFrame(p, 0.25f, 10, 10);
  const double t = 255.0 - ThresholdCurve(0.5, 5, 0.333f) * 255.0;
  EXPECT_EQ(f.threshold, static_cast<int32_t>(t));
  EXPECT_GT(f.threshold, 150);
  EXPECT_LT(f.threshold, 171);
  EXPECT_EQ(f.lightCol, 5);
  EXPECT_EQ(f.lightRow, 5);

  // A switch point at 1: progress 1 is the switch itself, full light, not 0 / 0.
  p.switchPoint = 1.0f;
  EXPECT_EQ(RaysPhase(p, 1.0f), 1.0);
  EXPECT_EQ(PlanRaysFrame(p, 1.0f, 4, 4).threshold, 0);
  p.switchPoint = 0.0f;
  EXPECT_EQ(RaysPhase(p, 0.0f), 1.0);
  EXPECT_EQ(RaysPhase(p, 1.0f), 0.0);
  p.switchPoint = std::numeric_limits<float>::quiet_NaN();
  const double e = RaysPhase(p, 0.3f);
  EXPECT_TRUE(e >= 0.0 && e <= 1.0);
  // Levels and exponents that make no curve light nothing through the threshold.
  p = Defaults();
  p.riseLevel = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(PlanRaysFrame(p, 0.3f, 4, 4).threshold, 255);
  p.riseLevel = 7.0f;
  const int32_t wild = PlanRaysFrame(p, 0.3f, 4, 4).threshold;
  EXPECT_TRUE(wild >= 0 && wild <= 255);
}

TEST(RaysMask, ChannelMeanAgainstTheThreshold) {
  const uint8_t picture[] = {255, 255, 255, 255, 255, 254, 100, 100, 101, 99, 100, 100, 0, 0, 0, 0};
  uint8_t mask[5];
  BuildLightMask(picture, 16, 5, 1, 255, mask);
  const uint8_t at255[] = {255, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(mask, at255, 5), 0);
  BuildLightMask(picture, 16, 5, 1, 100, mask);
  const uint8_t at100[] = {255, 255, 255, 0, 0};
  EXPECT_EQ(std::memcmp(mask, at100, 5), 0);
  BuildLightMask(picture, 16, 5, 1, 0, mask);
  const uint8_t at0[] = {255, 255, 255, 255, 255};
  EXPECT_EQ(std::memcmp(mask, at0, 5), 0);
}

std::vector<uint8_t> Cast(const std::vector<uint8_t>& mask, int32_t w, int32_t h, int32_t lx,
                          int32_t ly, int32_t density) {
  std::vector<uint8_t> map(mask.size(), 0);
  CastRays(mask.data(), map.data(), w, h, lx, ly, density);
  return map;
}

TEST(RaysCasting, LaterFamiliesOverwriteEarlierOnes) {
  // 5 x 3, source at (2, 1), one lit cell at (3, 1). The right-edge rays through row 0 and
  // row 2 also pass (3, 1) and leave 9 at (4, 0) and (4, 2); the rays to row 0 and to the
  // last row come later and write 0 there again. What stays is the straight ray: 10, then
  // 10 * 0.983 = 9.83 truncated.
  std::vector<uint8_t> mask(15, 0);
  mask[1 * 5 + 3] = 255;
  std::vector<uint8_t> want(15, 0);
  want[1 * 5 + 3] = 10;
  want[1 * 5 + 4] = 9;
  EXPECT_EQ(Cast(mask, 5, 3, 2, 1, 10), want);

  // More light than a byte holds is stored as 255, and keeps decaying from its full value.
  want[1 * 5 + 3] = 255;
  want[1 * 5 + 4] = 255;  // 300 * 0.983 = 294.9
  EXPECT_EQ(Cast(mask, 5, 3, 2, 1, 300), want);

  // Nothing lit, nothing stored; density 0 likewise.
  EXPECT_EQ(Cast(std::vector<uint8_t>(15, 0), 5, 3, 2, 1, 10), std::vector<uint8_t>(15, 0));
  EXPECT_EQ(Cast(std::vector<uint8_t>(15, 255), 5, 3, 2, 1, 0), std::vector<uint8_t>(15, 0));
}

TEST(RaysCasting, LitSourceLightsEveryRay) {
  // The same 5 x 3 with the source cell itself lit at density 200: every ray starts with
  // 200 and keeps 0.983 of it per step (196.6, then 193.26). Rows 0 and 2 end up with the
  // second steps of the rays to row 0 and to the last row.
  std::vector<uint8_t> mask(15, 0);
  mask[1 * 5 + 2] = 255;
  const std::vector<uint8_t> want = {196, 196, 196, 196, 196,   // row 0
                                     193, 196, 200, 196, 193,   // row 1
                                     196, 196, 196, 196, 196};  // row 2
  EXPECT_EQ(Cast(mask, 5, 3, 2, 1, 200), want);
}

TEST(RaysCasting, SourceInTheCorner) {
  // 4 x 3 with the source at (0, 0): the rays to the left edge and to row 0 have no
  // length (their divisors are 0) and cover only the source. The rays to the last row
  // through the lit cell (1, 1) run on to (2, 2) and (3, 2).
  std::vector<uint8_t> mask(12, 0);
  mask[1 * 4 + 1] = 255;
  std::vector<uint8_t> want(12, 0);
  want[1 * 4 + 1] = 10;
  want[2 * 4 + 2] = 9;
  want[2 * 4 + 3] = 9;
  EXPECT_EQ(Cast(mask, 4, 3, 0, 0, 10), want);
}

TEST(RaysCasting, SourceOnePastTheFarEdge) {
  // 3 x 1, source at column 3 (lightX 100): the first step of each ray lies outside and is
  // skipped. From the lit column 2 the light runs left: 10, 9.83, 9.66.
  const std::vector<uint8_t> mask = {0, 0, 255};
  EXPECT_EQ(Cast(mask, 3, 1, 3, 0, 10), (std::vector<uint8_t>{9, 9, 10}));
  // The same above the last row (lightY 100), rays run down to row 0.
  const std::vector<uint8_t> column = {0, 0, 255};
  EXPECT_EQ(Cast(column, 1, 3, 0, 3, 10), (std::vector<uint8_t>{9, 9, 10}));
}

TEST(RaysComposite, LightFromMaskOrRays) {
  EXPECT_EQ(PixelLight(0.5, 255, 100), 127);
  EXPECT_EQ(PixelLight(0.3, 255, 100), 100);
  EXPECT_EQ(PixelLight(0.0, 255, 0), 0);
  EXPECT_EQ(PixelLight(1.0, 255, 0), 255);
  EXPECT_EQ(PixelLight(1.0, 0, 7), 7);

  const uint8_t source[6] = {200, 100, 0, 10, 20, 30};
  const uint8_t mask[2] = {255, 0};
  const uint8_t rays[2] = {100, 0};
  uint8_t out[6];
  CompositeRaysRow(out, source, mask, rays, 2, 0.5, 0x0000FF);
  // Light 127: blue 200 * 128 / 255 = 100, green 50, red 255 * 127 / 255 = 127.
  const uint8_t want[6] = {100, 50, 127, 10, 20, 30};
  EXPECT_EQ(std::memcmp(out, want, 6), 0);
}

// Frames through the render function, with the rectangle away from the frame's origin.
struct RaysFrames {
  FrameImage a, b, out;
  RaysParams params = Defaults();
  int32_t left, top, width, height;  // the rectangle
  RaysFrames(FrameImage sceneA, FrameImage sceneB, int32_t l, int32_t t, int32_t w, int32_t h)
      : a(std::move(sceneA)), b(std::move(sceneB)), left(l), top(t), width(w), height(h) {
    out = MakeFrameImage(a.width, a.height, 0xCD);
  }
  int32_t Render(float p, const ScratchSource& scratch = kHeapScratch, bool withParams = true) {
    return RenderRaysWith(scratch, test::ViewOf(&out, a, b, p, left, top, width, height,
                                                withParams ? &params : nullptr));
  }
  bool Outside() const { return test::OutsideRectUntouched(out, left, top, width, height, 0xCD); }
  const uint8_t* Out(int32_t x, int32_t row) const { return PixelAt(out, left + x, top + row); }
  const uint8_t* Source(const FrameImage& f, int32_t x, int32_t row) const {
    return PixelAt(f, left + x, top + row);
  }
};

TEST(RaysRender, DefaultsAtTheSwitchPointGiveAWhiteFrame) {
  RaysFrames f(test::PatternFrame(13, 9, 1), test::PatternFrame(13, 9, 2), 2, 3, 9, 5);
  ASSERT_EQ(f.Render(0.5f), 1);
  for (int32_t row = 0; row < 5; ++row)
    for (int32_t x = 0; x < 9; ++x)
      EXPECT_TRUE(test::PixelEquals(f.out, 2 + x, 3 + row, 255, 255, 255));
  EXPECT_TRUE(f.Outside());
  // Without a settings record the defaults are used.
  std::fill(f.out.pixels.begin(), f.out.pixels.end(), 0xCD);
  ASSERT_EQ(f.Render(0.5f, kHeapScratch, false), 1);
  EXPECT_TRUE(test::PixelEquals(f.out, 6, 5, 255, 255, 255));
}

TEST(RaysRender, OneWhitePixelAtTheStart) {
  // At p = 0 only a pixel with all three channels 255 is lit; its light runs on away from
  // the source (2, 1) in the ray colour.
  FrameImage black = test::SolidFrame(9, 6, 0, 0, 0);
  FrameImage a = black;
  uint8_t* white = PixelAt(a, 1 + 3, 2 + 1);
  white[0] = white[1] = white[2] = 255;
  PixelAt(a, 1 + 1, 2 + 0)[0] = 254;  // bright but not white: stays as it is
  PixelAt(a, 1 + 1, 2 + 0)[1] = 255;
  PixelAt(a, 1 + 1, 2 + 0)[2] = 255;
  RaysFrames f(a, black, 1, 2, 5, 3);
  f.params.rayColor = 0x0000FF;
  ASSERT_EQ(f.Render(0.0f), 1);
  for (int32_t row = 0; row < 3; ++row) {
    for (int32_t x = 0; x < 5; ++x) {
      const uint8_t* o = f.Out(x, row);
      if (x == 3 && row == 1) {
        EXPECT_TRUE(test::PixelEquals(f.out, 1 + x, 2 + row, 245, 245, 255));  // light 10
      } else if (x == 4 && row == 1) {
        EXPECT_TRUE(test::PixelEquals(f.out, 1 + x, 2 + row, 0, 0, 9));  // light 9
      } else {
        EXPECT_EQ(std::memcmp(o, f.Source(a, x, row), 3), 0) << x << "," << row;
      }
    }
  }
  EXPECT_TRUE(f.Outside());
}

TEST(RaysRender, BlackSceneStaysBlackUntilTheSwitch) {
  FrameImage black = test::SolidFrame(12, 10, 0, 0, 0);
  RaysFrames f(black, test::PatternFrame(12, 10, 3), 1, 1, 10, 8);
  f.params.rayColor = 0x00CC6633;
  // The curve climbs from 254/255 only in the last hundredths before the switch point.
  for (int i = 0; i <= 49; ++i) {
    ASSERT_EQ(f.Render(i / 100.0f), 1);
    for (int32_t row = 0; row < 8; ++row)
      for (int32_t x = 0; x < 10; ++x)
        ASSERT_TRUE(test::PixelEquals(f.out, 1 + x, 1 + row, 0, 0, 0)) << i;
  }
  ASSERT_EQ(f.Render(0.5f), 1);
  for (int32_t row = 0; row < 8; ++row)
    for (int32_t x = 0; x < 10; ++x)
      EXPECT_TRUE(test::PixelEquals(f.out, 1 + x, 1 + row, 0xCC, 0x66, 0x33));
  EXPECT_TRUE(f.Outside());
}

TEST(RaysRender, NoDensityNoRays) {
  RaysFrames f(test::PatternFrame(11, 8, 5), test::PatternFrame(11, 8, 6), 1, 1, 9, 6);
  f.params.density = 0;
  f.params.rayColor = 0x00102030;
  for (float p : {0.1f, 0.3f, 0.45f, 0.6f, 0.9f}) {
    ASSERT_EQ(f.Render(p), 1);
    const RaysFrame plan = PlanRaysFrame(f.params, p, 9, 6);
    const FrameImage& s = plan.fromSceneB ? f.b : f.a;
    const int32_t light = static_cast<int32_t>(plan.phase * 255);
    const int32_t colour[3] = {0x10, 0x20, 0x30};
    int lit = 0;
    for (int32_t row = 0; row < 6; ++row) {
      for (int32_t x = 0; x < 9; ++x) {
        const uint8_t* src = f.Source(s, x, row);
        const bool on = (src[0] + src[1] + src[2]) / 3 >= plan.threshold;
        lit += on;
        for (int ch = 0; ch < 3; ++ch) {
          const int want = on ? src[ch] * (255 - light) / 255 + colour[ch] * light / 255 : src[ch];
          ASSERT_EQ(f.Out(x, row)[ch], want) << "p " << p << " at " << x << "," << row;
        }
      }
    }
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 54);
  }
}

// Scratch with guard bytes on both sides, checked when the block is given back.
bool g_guardsIntact = true;
constexpr size_t kGuard = 64;
void* GuardedAllocate(size_t bytes) {
  uint8_t* raw = static_cast<uint8_t*>(std::malloc(bytes + 2 * kGuard + sizeof(size_t)));
  std::memcpy(raw, &bytes, sizeof bytes);
  std::memset(raw + sizeof(size_t), 0xA5, kGuard);
  std::memset(raw + sizeof(size_t) + kGuard + bytes, 0x5A, kGuard);
  return raw + sizeof(size_t) + kGuard;
}
void GuardedRelease(void* block) {
  uint8_t* raw = static_cast<uint8_t*>(block) - kGuard - sizeof(size_t);
  size_t bytes;
  std::memcpy(&bytes, raw, sizeof bytes);
  for (size_t i = 0; i < kGuard; ++i) {
    if (raw[sizeof(size_t) + i] != 0xA5 || raw[sizeof(size_t) + kGuard + bytes + i] != 0x5A)
      g_guardsIntact = false;
  }
  std::free(raw);
}
const ScratchSource kGuardedScratch = {GuardedAllocate, GuardedRelease};

TEST(RaysRender, LightSourceOnEveryBorderAndCorner) {
  const float places[] = {0.0f, 0.1f, 33.0f, 50.0f, 99.0f, 99.99f, 100.0f};
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {5, 3}, {7, 4}, {1, 6}, {6, 1}};
  for (const auto& size : sizes) {
    RaysFrames f(test::PatternFrame(9, 8, 7), test::PatternFrame(9, 8, 8), 1, 2, size[0], size[1]);
    f.params.density = 40;
    for (float x : places) {
      for (float y : places) {
        f.params.lightX = x;
        f.params.lightY = y;
        for (float p : {0.0f, 0.3f, 0.7f}) {
          g_guardsIntact = true;
          ASSERT_EQ(f.Render(p, kGuardedScratch), 1);
          ASSERT_TRUE(g_guardsIntact) << size[0] << "x" << size[1] << " light " << x << "," << y;
          ASSERT_TRUE(f.Outside());
        }
      }
    }
  }
}

TEST(RaysRender, WithoutScratchNothingIsWritten) {
  RaysFrames f(test::PatternFrame(6, 6, 1), test::PatternFrame(6, 6, 2), 0, 0, 6, 6);
  EXPECT_EQ(f.Render(0.4f, test::kFailingScratch), 0);
  EXPECT_EQ(f.out.pixels, std::vector<uint8_t>(f.out.pixels.size(), 0xCD));
  test::g_scratchCounts = test::ScratchCounts();
  EXPECT_EQ(f.Render(0.4f, test::kCountingScratch), 1);
  EXPECT_EQ(test::g_scratchCounts.allocations, 1);
  EXPECT_EQ(test::g_scratchCounts.releases, 1);
  EXPECT_EQ(test::g_scratchCounts.lastBytes, 72u);
}

}  // namespace
}  // namespace zk
