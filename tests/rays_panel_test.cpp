// The geometry of the rays dialog's drawings: the graph's parts, curves and bars, the
// light-source box and the click that places the light source.
#include "rays_panel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "firestorm_rays_test_support.h"
#include "rays_params.h"

namespace zk {
namespace {

using test::RaysDefaults;
using test::RaysStraightLines;

void ExpectRect(const PanelRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(RaysPanelGraph, PartsAroundTheSwitchPoint) {
  // Switch point 0.5: rise width 144, the fall part starts one pixel left of its end.
  GraphLayout g = LayoutRaysGraph(RaysDefaults());
  ASSERT_EQ(g.partCount, 2);
  ExpectRect(g.parts[0].box, 93, 80, 237, 197);
  EXPECT_EQ(g.parts[0].firstX, 94);
  EXPECT_EQ(g.parts[0].lastX, 236);
  EXPECT_FALSE(g.parts[0].falling);
  ExpectRect(g.parts[1].box, 236, 80, 380, 197);
  EXPECT_EQ(g.parts[1].firstX, 237);
  EXPECT_EQ(g.parts[1].lastX, 379);
  EXPECT_TRUE(g.parts[1].falling);

  RaysParams p = RaysDefaults();
  p.switchPoint = 0.25f;
  g = LayoutRaysGraph(p);
  ExpectRect(g.parts[0].box, 93, 80, 165, 197);
  ExpectRect(g.parts[1].box, 164, 80, 380, 197);

  p.riseOnly = 1;
  g = LayoutRaysGraph(p);
  ASSERT_EQ(g.partCount, 1);
  ExpectRect(g.parts[0].box, 93, 80, 381, 197);
  EXPECT_EQ(g.parts[0].lastX, 380);
}

TEST(RaysPanelGraph, CurvesRunFromBottomToTopAndBack) {
  const RaysParams p = RaysStraightLines();
  const GraphLayout g = LayoutRaysGraph(p);
  const GraphPart& rise = g.parts[0];
  const GraphPart& fall = g.parts[1];
  EXPECT_EQ(GraphCurveY(p, rise, 94), 197);   // T(0) = 0 at the plot bottom
  EXPECT_EQ(GraphCurveY(p, rise, 165), 138);  // x = 71 / 142: 80 + trunc(58.5)
  EXPECT_EQ(GraphCurveY(p, rise, 236), 80);   // T(1) = 1 at the top
  EXPECT_EQ(GraphCurveY(p, fall, 237), 80);   // the fall curve mirrored: 1 first
  EXPECT_EQ(GraphCurveY(p, fall, 308), 138);
  EXPECT_EQ(GraphCurveY(p, fall, 379), 197);

  // The default curves start and end there too and stay inside the plot.
  const RaysParams d = RaysDefaults();
  const GraphLayout dg = LayoutRaysGraph(d);
  EXPECT_EQ(GraphCurveY(d, dg.parts[0], 94), 197);
  EXPECT_EQ(GraphCurveY(d, dg.parts[1], 379), 197);
  for (int32_t k = 0; k < 2; ++k) {
    for (int32_t x = dg.parts[k].firstX; x <= dg.parts[k].lastX; ++x) {
      const int32_t y = GraphCurveY(d, dg.parts[k], x);
      EXPECT_GE(y, 80);
      EXPECT_LE(y, 197);
    }
  }
}

TEST(RaysPanelGraph, NarrowPartsNeedNoDivisionByZero) {
  RaysParams p = RaysStraightLines();
  p.switchPoint = 0.0075f;  // rise part 2 pixels wide: a single curve point
  GraphLayout g = LayoutRaysGraph(p);
  EXPECT_EQ(g.parts[0].firstX, g.parts[0].lastX);
  EXPECT_EQ(GraphCurveY(p, g.parts[0], g.parts[0].firstX), 197);
  p.switchPoint = 0.0f;  // no rise part at all
  g = LayoutRaysGraph(p);
  EXPECT_LT(g.parts[0].lastX, g.parts[0].firstX);
  ExpectRect(g.parts[1].box, 92, 80, 380, 197);
  p.switchPoint = 1.0f;
  g = LayoutRaysGraph(p);
  EXPECT_LT(g.parts[1].lastX, g.parts[1].firstX);
  // Levels no curve can be made of still give rows inside the plot.
  p = RaysDefaults();
  p.riseLevel = -3.0f;
  g = LayoutRaysGraph(p);
  for (int32_t x = g.parts[0].firstX; x <= g.parts[0].lastX; ++x) {
    const int32_t y = GraphCurveY(p, g.parts[0], x);
    EXPECT_TRUE(y >= 80 && y <= 197) << x;
  }
}

TEST(RaysPanelGraph, BarsFollowTheCurvesOverTheTransition) {
  const RaysParams p = RaysStraightLines();
  ExpectRect(GraphBar(p, 0, 4), 93, 197, 165, 197);   // progress 0: no light yet
  ExpectRect(GraphBar(p, 1, 4), 165, 138, 237, 197);  // half way up the rise
  ExpectRect(GraphBar(p, 2, 4), 237, 80, 309, 197);   // the switch point: full height
  ExpectRect(GraphBar(p, 3, 4), 309, 138, 381, 197);  // half way down the fall
  // Seven bars: each starts at 93 + i * 288 / 7, truncated; the last ends at the plot end.
  const int32_t lefts[] = {93, 134, 175, 216, 257, 298, 339};
  for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(GraphBar(p, i, 7).left, lefts[i]);
  EXPECT_EQ(GraphBar(p, 6, 7).right, 381);

  EXPECT_EQ(GraphBarsToDraw(0), 0);
  EXPECT_EQ(GraphBarsToDraw(-7), 0);
  EXPECT_EQ(GraphBarsToDraw(12), 12);
  EXPECT_EQ(GraphBarsToDraw(2000000000), kMostGraphBars);
  const PanelRect last = GraphBar(p, kMostGraphBars - 1, kMostGraphBars);
  EXPECT_EQ(last.left, 380);
  EXPECT_EQ(last.right, 381);
}

TEST(RaysPanelLightBox, CrossWhereTheLightSourceIs) {
  RaysParams p = RaysDefaults();
  EXPECT_EQ(LightBoxCrossX(p), 280);
  EXPECT_EQ(LightBoxCrossY(p), 324);
  p.lightX = 0.0f;
  p.lightY = 100.0f;
  EXPECT_EQ(LightBoxCrossX(p), 230);
  EXPECT_EQ(LightBoxCrossY(p), 284);
  p.lightX = 100.0f;
  p.lightY = 0.0f;
  EXPECT_EQ(LightBoxCrossX(p), 330);
  EXPECT_EQ(LightBoxCrossY(p), 364);
  p.lightX = 33.0f;
  p.lightY = 25.0f;
  EXPECT_EQ(LightBoxCrossX(p), 263);
  EXPECT_EQ(LightBoxCrossY(p), 344);
  p.lightX = 1e9f;
  p.lightY = -1e9f;
  EXPECT_EQ(LightBoxCrossX(p), 330);
  EXPECT_EQ(LightBoxCrossY(p), 364);
}

TEST(RaysPanelLightBox, ClickPlacesTheLightSource) {
  RaysParams p = RaysDefaults();
  // Client pixels are 2 left of and 22 above window pixels.
  ASSERT_TRUE(PlaceLightSource(278, 302, &p));  // window (280, 324), the box's middle
  EXPECT_EQ(p.lightX, 50.0f);
  EXPECT_EQ(p.lightY, 50.0f);
  ASSERT_TRUE(PlaceLightSource(228, 262, &p));  // top left corner
  EXPECT_EQ(p.lightX, 0.0f);
  EXPECT_EQ(p.lightY, 100.0f);
  ASSERT_TRUE(PlaceLightSource(328, 342, &p));  // bottom right corner
  EXPECT_EQ(p.lightX, 100.0f);
  EXPECT_EQ(p.lightY, 0.0f);
  ASSERT_TRUE(PlaceLightSource(250, 263, &p));  // one row down: -100 / 80 truncates to -1
  EXPECT_EQ(p.lightX, 22.0f);
  EXPECT_EQ(p.lightY, 99.0f);
  ASSERT_TRUE(PlaceLightSource(250, 265, &p));  // three rows down: -300 / 80 is -3
  EXPECT_EQ(p.lightY, 97.0f);

  const RaysParams before = p;
  for (const auto& miss : {std::make_pair(227, 300), std::make_pair(329, 300),
                           std::make_pair(260, 261), std::make_pair(260, 343)}) {
    EXPECT_FALSE(PlaceLightSource(miss.first, miss.second, &p));
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
  }

  // Every column clicked shows the cross at that column.
  for (int32_t x = 230; x <= 330; ++x) {
    ASSERT_TRUE(PlaceLightSource(x - 2, 300, &p));
    EXPECT_EQ(LightBoxCrossX(p), x);
  }
}

}  // namespace
}  // namespace zk
