// The split-flap board's frame call: crossfade first, the frame count from the step since
// the previous call, static halves by the row rule, shaded flaps, gaps and refused calls.
#include "airport_render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "airport_params.h"
#include "chars_test_views.h"
#include "test_support.h"

namespace zk {
namespace {

using test::PatternFrame;
using test::RectView;
using test::SolidFrame;
using test::ViewPixel;
using test::WholeView;

uint8_t Crossfade(uint8_t a, uint8_t b, float p) {
  return static_cast<uint8_t>(std::trunc((1.0 - p) * a + static_cast<double>(p) * b));
}

// True when every byte of the rectangle is the crossfade of A and B at p.
bool IsCrossfade(const FrameView& v, float p) {
  for (int32_t row = 0; row < v.height; ++row) {
    for (int32_t i = 0; i < 3 * v.width; ++i) {
      const size_t at = static_cast<size_t>(row) * v.stride + i;
      if (v.out[at] != Crossfade(v.sceneA[at], v.sceneB[at], p)) return false;
    }
  }
  return true;
}

struct Board {
  AirportParams p = AirportDefaults();
  FrameImage a, b, out;
  AirportClock clock{};
  Board(int32_t w, int32_t h) : a(PatternFrame(w, h, 11)), b(PatternFrame(w, h, 12)) {
    out = MakeFrameImage(w, h, 0xEE);
  }
  int32_t Render(float progress, FrameView* view = nullptr) {
    const FrameView v = WholeView(out, a, b, progress, &p);
    if (view != nullptr) *view = v;
    return RenderAirport(v, &clock);
  }
};

TEST(AirportRenderTest, FirstCallAfterLoadIsTheCrossfadeAlone) {
  for (float progress : {0.0f, 0.3f, 0.5f, 0.9f}) {
    Board board(64, 48);
    FrameView v;
    ASSERT_EQ(1, board.Render(progress, &v));
    EXPECT_TRUE(IsCrossfade(v, progress)) << "p=" << progress;
    EXPECT_TRUE(board.clock.hasPrevious);
    EXPECT_EQ(progress, board.clock.previousProgress);
  }
}

TEST(AirportRenderTest, RepeatsAndJumpsShowTheCrossfadeAlone) {
  Board board(64, 48);
  FrameView v;
  ASSERT_EQ(1, board.Render(0.25f));
  ASSERT_EQ(1, board.Render(0.25f, &v));  // no step
  EXPECT_TRUE(IsCrossfade(v, 0.25f));
  ASSERT_EQ(1, board.Render(0.8f, &v));  // a jump of more than half the transition
  EXPECT_TRUE(IsCrossfade(v, 0.8f));
  ASSERT_EQ(1, board.Render(0.85f, &v));  // a small step: the board is drawn
  EXPECT_FALSE(IsCrossfade(v, 0.85f));
}

// 64 x 48 with the defaults: borders 2 (rows) and 3 (columns), gaps 1, tiles 9 x 10.
bool InsideSomeTile(int32_t x, int32_t row) {
  const int32_t line = 48 - row;  // rectangle row H - y - t holds line y + t
  for (int32_t r = 0; r < 4; ++r) {
    for (int32_t c = 0; c < 6; ++c) {
      const int32_t tx = 3 + 10 * c, ty = 2 + 11 * r;
      if (x >= tx && x < tx + 9 && line >= ty && line < ty + 10) return true;
    }
  }
  return false;
}

TEST(AirportRenderTest, GapsAndMarginsShowTheCrossfade) {
  Board board(64, 48);
  board.p.angleSpread = 0;  // every flap at the step's angle
  // Steps of 1/16: E = 16, frame 8 is the start of step 1, angle 0: the flaps lie flat
  // on the tiles' upper halves.
  ASSERT_EQ(1, board.Render(0.4375f));
  FrameView v;
  ASSERT_EQ(1, board.Render(0.5f, &v));
  int32_t tilePixels = 0, differing = 0;
  for (int32_t row = 0; row < 48; ++row) {
    for (int32_t x = 0; x < 64; ++x) {
      const size_t at = static_cast<size_t>(row) * v.stride + 3 * x;
      bool crossfade = true;
      for (int32_t k = 0; k < 3; ++k)
        crossfade =
            crossfade && v.out[at + k] == Crossfade(v.sceneA[at + k], v.sceneB[at + k], 0.5f);
      if (InsideSomeTile(x, row)) {
        ++tilePixels;
        differing += !crossfade;
      } else {
        ASSERT_TRUE(crossfade) << "gap pixel " << x << "," << row;
      }
    }
  }
  EXPECT_EQ(24 * 90, tilePixels);
  EXPECT_GT(differing, tilePixels / 2);
}

TEST(AirportRenderTest, StaticHalvesFollowTheRowRule) {
  // A 4 x 2 rectangle at (1, 1) of a 6 x 4 frame, 2 x 2 tiles of 2 x 1 pixels, one frame
  // a flip. Steps of 0.25 give E = 4; p = 0.75 is step 3 of 4 with the flaps flat.
  // Worked by hand from the pool: tile 2 has settled on its own piece of scene B; tile 3
  // still shows card 0 from scene B, and tiles 0 and 1 lie on line 0, which the row rule
  // puts in row H - 0 - 0 = 2, outside the rectangle. So does card 0 as a source.
  AirportParams p = AirportDefaults();
  p.borderVertical = p.borderHorizontal = p.gapVertical = p.gapHorizontal = 0;
  p.tilesDown = p.tilesAcross = 2;
  p.framesPerFlip = 1;
  p.angleSpread = 0;
  FrameImage a = PatternFrame(6, 4, 21);
  FrameImage b = PatternFrame(6, 4, 22);
  FrameImage out = MakeFrameImage(6, 4, 0xEE);
  AirportClock clock{};
  ASSERT_EQ(1, RenderAirport(RectView(out, a, b, 1, 1, 4, 2, 0.5f, &p), &clock));
  const FrameView v = RectView(out, a, b, 1, 1, 4, 2, 0.75f, &p);
  ASSERT_EQ(1, RenderAirport(v, &clock));
  for (int32_t x = 0; x < 4; ++x) {
    for (int32_t k = 0; k < 3; ++k) {
      const size_t row0 = 3 * x + k;
      const size_t row1 = v.stride + 3 * x + k;
      EXPECT_EQ(Crossfade(v.sceneA[row0], v.sceneB[row0], 0.75f), v.out[row0]) << x;
      const uint8_t want =
          x < 2 ? v.sceneB[row1] : Crossfade(v.sceneA[row1], v.sceneB[row1], 0.75f);
      EXPECT_EQ(want, v.out[row1]) << x;
    }
  }
  EXPECT_TRUE(test::OutsideRectUntouched(out, 1, 1, 4, 2, 0xEE));
}

TEST(AirportRenderTest, FlapsAreShadedByTheirAngle) {
  // Steps of 1/8 with 4 frames a flip: frame 1 turns the flaps to 45 degrees, where the
  // light is 0.65 and every flap byte loses trunc(0.35 x 255) = 89. Scenes of 100 and
  // more keep that loss whole; the same frame without shading shows what was lost.
  Board shaded(96, 64), plain(96, 64);
  for (Board* board : {&shaded, &plain}) {
    board->a = SolidFrame(96, 64, 100, 150, 200);
    board->b = PatternFrame(96, 64, 3);
    for (uint8_t& byte : board->b.pixels) byte = static_cast<uint8_t>(100 + byte % 156);
    board->p.angleSpread = 0;
    board->p.framesPerFlip = 4;
  }
  plain.p.flapShading = 0;
  for (Board* board : {&shaded, &plain}) {
    ASSERT_EQ(1, board->Render(0.0f));
    ASSERT_EQ(1, board->Render(0.125f));
  }
  int32_t flapBytes = 0;
  for (size_t i = 0; i < shaded.out.pixels.size(); ++i) {
    if (shaded.out.pixels[i] == plain.out.pixels[i]) continue;
    ASSERT_EQ(plain.out.pixels[i] - 89, shaded.out.pixels[i]) << "byte " << i;
    ++flapBytes;
  }
  EXPECT_GT(flapBytes, 24 * 100);
}

TEST(AirportRenderTest, OneFlipWhenAFlipOutlastsTheTransition) {
  // Steps of 0.25 (E = 4) with 50 frames a flip: one step, every tile settles in it, from
  // its own piece of scene A (lower half) to its own piece of scene B (upper half).
  Board board(60, 40);
  board.p.angleSpread = 0;
  board.p.borderVertical = board.p.borderHorizontal = 0;
  board.p.gapVertical = board.p.gapHorizontal = 0;
  board.p.tilesDown = 2;
  board.p.tilesAcross = 3;
  board.p.framesPerFlip = 50;
  ASSERT_EQ(1, board.Render(0.5f));
  FrameView v;
  ASSERT_EQ(1, board.Render(0.75f, &v));  // frame 3: 135 degrees, the flap below the hinge
  // Tiles of 20 x 20, half height 10: line t of a tile lies in row 40 - y - t. The lower
  // halves (t >= 10) not covered by the flap show scene A where the tile is; the last line
  // of the lower tile row (t = 19, y = 20) is row 1, far from the flap at this angle.
  for (int32_t x = 0; x < 60; ++x) {
    for (int32_t k = 0; k < 3; ++k) {
      const size_t at = static_cast<size_t>(1) * v.stride + 3 * x + k;
      EXPECT_EQ(v.sceneA[at], v.out[at]) << x;
    }
  }
  // The first line of the upper tile row (y = 0) would be row 40: outside. Its second line
  // (t = 1, row 39) is the upper half: own piece of scene B, above the flap.
  for (int32_t x = 0; x < 60; ++x) {
    for (int32_t k = 0; k < 3; ++k) {
      const size_t at = static_cast<size_t>(39) * v.stride + 3 * x + k;
      EXPECT_EQ(v.sceneB[at], v.out[at]) << x;
    }
  }
}

TEST(AirportRenderTest, EndShowsEveryTileSettledOnSceneB) {
  Board board(80, 60);
  for (int32_t k = 0; k <= 20; ++k) ASSERT_EQ(1, board.Render(k / 20.0f));
  EXPECT_EQ(board.b.pixels, board.out.pixels);
}

TEST(AirportRenderTest, RefusedAndEmptyBoards) {
  Board board(64, 48);
  FrameView v;
  ASSERT_EQ(1, board.Render(0.5f));
  // No settings record: 0, after the crossfade.
  v = WholeView(board.out, board.a, board.b, 0.55f, nullptr);
  EXPECT_EQ(0, RenderAirport(v, &board.clock));
  EXPECT_TRUE(IsCrossfade(v, 0.55f));
  // No tiles: the crossfade and 1.
  board.p.tilesDown = 0;
  EXPECT_EQ(1, board.Render(0.6f, &v));
  EXPECT_TRUE(IsCrossfade(v, 0.6f));
  // Tiles under one pixel: 0, after the crossfade.
  board.p.tilesDown = 25;
  board.p.tilesAcross = 25;
  board.p.borderVertical = 40;
  EXPECT_EQ(0, board.Render(0.65f, &v));
  EXPECT_TRUE(IsCrossfade(v, 0.65f));
}

TEST(AirportRenderTest, ViewerInsideTheFlapDrawsNothingOdd) {
  // A viewer 5 pixels away from flaps 20 pixels long: some flaps have no projection.
  Board board(200, 160);
  board.p.viewerDistance = 5;
  board.p.tilesDown = 2;
  board.p.tilesAcross = 2;
  for (int32_t k = 0; k <= 16; ++k) EXPECT_EQ(1, board.Render(k / 16.0f));
  board.p.viewerDistance = 0x7FFFFFFF;
  for (int32_t k = 0; k <= 16; ++k) EXPECT_EQ(1, board.Render(k / 16.0f));
}

}  // namespace
}  // namespace zk
