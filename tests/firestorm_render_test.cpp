// Whole firestorm frames rendered with a fire state of the test's own: the frame steps in
// order, the rectangle bounds of the fire, running out of memory, size changes, a saved
// fire taken up again.
#include "firestorm_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "cooling_map.h"
#include "fire_state.h"
#include "firestorm_params.h"
#include "firestorm_rays_test_support.h"
#include "frame_image.h"
#include "frame_view.h"
#include "rand15.h"
#include "test_support.h"
#include "zero_runs.h"

namespace zk {
namespace {

struct Frames {
  FrameImage a, b, out;
  FirestormParams params;
  Frames(FrameImage sceneA, FrameImage sceneB) : a(std::move(sceneA)), b(std::move(sceneB)) {
    out = MakeFrameImage(a.width, a.height, 0xCD);
    WriteFirestormDefaults(&params);
  }
  // The view of a render call over the rectangle (left, top, width, height).
  FrameView View(float p, int32_t left, int32_t top, int32_t w, int32_t h) {
    return test::ViewOf(&out, a, b, p, left, top, w, h, &params);
  }
  FrameView Whole(float p) { return View(p, 0, 0, a.width, a.height); }
};

// The crossfade alone, written out independently: trunc(A (1 - N) + B N).
uint8_t CrossfadeByte(uint8_t a, uint8_t b, double n) {
  return static_cast<uint8_t>(static_cast<int32_t>(a * (1.0 - n) + b * n));
}

std::vector<uint8_t> FireCells(const FireState& s) {
  const uint8_t* f = CurrentFire(s);
  return std::vector<uint8_t>(f, f + static_cast<size_t>(s.fireWidth) * s.fireHeight);
}

TEST(FirestormRender, SingleHotSpotShowsAtFullHeatThenSpreads) {
  // Grey picture with one bright pixel; every pixel tested, hot spots set after the step.
  FrameImage grey = test::SolidFrame(9, 10, 100, 100, 100);
  PixelAt(grey, 4, 5)[0] = 200;
  PixelAt(grey, 4, 5)[1] = 200;
  PixelAt(grey, 4, 5)[2] = 200;
  Frames f(grey, grey);
  f.params.allEdgeDetection = 1;
  f.params.visibleHotSpots = 1;
  FireState state{};

  ASSERT_EQ(RenderFirestormWith(&state, f.Whole(0.0f)), 1);
  // Nothing burnt before, so the step gives zeros and only the hot spot is lit: full heat
  // (44, 240, 248) at full opacity, 255 times the single-precision 1/255 (1.00000006).
  FrameImage expected = grey;
  for (int32_t row = 0; row < 10; ++row) expected.pixels[row * expected.stride + 27] = 0xCD;
  uint8_t* hot = PixelAt(expected, 4, 5);
  hot[0] = 43;
  hot[1] = 240;
  hot[2] = 248;
  EXPECT_EQ(f.out.pixels, expected.pixels);
  std::vector<uint8_t> cells = FireCells(state);
  EXPECT_EQ(cells[5 * 9 + 4], 255);
  cells[5 * 9 + 4] = 0;
  EXPECT_EQ(cells, std::vector<uint8_t>(90, 0));

  // Second frame: the hot cell feeds its four neighbours, 255 / 4 = 63 less cooling, and
  // that heat rises by two rows (the default speed).
  std::vector<uint8_t> cooling(90);
  BuildCoolingMap(cooling.data(), 9, 10);
  ASSERT_EQ(RenderFirestormWith(&state, f.Whole(0.05f)), 1);
  cells = FireCells(state);
  std::vector<uint8_t> want(90, 0);
  auto fed = [&](int r, int c) {
    const int v = 63 - cooling[r * 9 + c];
    want[(r + 2) * 9 + c] = static_cast<uint8_t>(v < 0 ? 0 : v);
  };
  fed(4, 4);
  fed(6, 4);
  fed(5, 3);
  fed(5, 5);
  want[5 * 9 + 4] = 255;  // the pixel is still hot
  EXPECT_EQ(cells, want);
  ReleaseFireState(&state);
}

TEST(FirestormRender, FivePixelWideRectangleBurnsOnlyItsMiddleColumns) {
  Frames f(test::PatternFrame(12, 16, 3), test::PatternFrame(12, 16, 4));
  f.params.allEdgeDetection = 1;
  f.params.visibleHotSpots = 1;
  f.params.edgeSensitivity = 0;
  FireState state{};
  bool sawHotSpot = false;
  for (int frame = 0; frame < 8; ++frame) {
    const float p = frame * 0.04f;
    ASSERT_EQ(RenderFirestormWith(&state, f.View(p, 4, 2, 5, 12)), 1);
    ASSERT_EQ(state.fireWidth, 5);
    ASSERT_EQ(state.fireHeight, 12);
    const std::vector<uint8_t> cells = FireCells(state);
    for (int r = 0; r < 12; ++r) {
      for (int c = 0; c < 5; ++c) {
        const uint8_t v = cells[r * 5 + c];
        if (c == 0 || c == 4 || r <= 2) {
          EXPECT_EQ(v, 0) << "frame " << frame << " at " << r << "," << c;
        }
        if (c != 2) {
          EXPECT_LT(v, 255) << "hot spots only in column 2";
        } else if (v == 255) {
          sawHotSpot = true;
        }
      }
    }
  }
  EXPECT_TRUE(sawHotSpot);
  EXPECT_TRUE(test::OutsideRectUntouched(f.out, 4, 2, 5, 12, 0xCD));

  // Testing a random share draws once per searched pixel: rows 3..9, column 2.
  f.params.allEdgeDetection = 0;
  Rand15Seed(99);
  ASSERT_EQ(RenderFirestormWith(&state, f.View(0.2f, 4, 2, 5, 12)), 1);
  uint32_t s = 99;
  for (int i = 0; i < 7; ++i) s = s * 214013u + 2531011u;
  EXPECT_EQ(Rand15State(), s);
  ReleaseFireState(&state);
}

bool g_allowMore = true;
int g_allocationsLeft = 0;
bool LimitedAllocations(size_t) {
  if (g_allowMore) return true;
  if (g_allocationsLeft <= 0) return false;
  --g_allocationsLeft;
  return true;
}

TEST(FirestormRender, WithoutMemoryTheFrameIsTheCrossfadeAndTheNextTriesAgain) {
  Frames f(test::PatternFrame(8, 9, 1), test::PatternFrame(8, 9, 2));
  f.params.allEdgeDetection = 1;
  f.params.visibleHotSpots = 1;
  FireState state{};
  state.allowAllocation = LimitedAllocations;
  // No memory at all, then memory for the cooling map and one fire buffer only.
  for (int left : {0, 2}) {
    g_allowMore = false;
    g_allocationsLeft = left;
    std::fill(f.out.pixels.begin(), f.out.pixels.end(), 0xCD);
    ASSERT_EQ(RenderFirestormWith(&state, f.Whole(0.18f)), 1);
    const double n = (static_cast<double>(0.18f) - static_cast<double>(0.13f)) /
                     (static_cast<double>(0.23f) - static_cast<double>(0.13f));
    for (int32_t row = 0; row < 9; ++row) {
      for (int32_t i = 0; i < 24; ++i) {
        const size_t k = static_cast<size_t>(row) * f.out.stride + i;
        ASSERT_EQ(f.out.pixels[k], CrossfadeByte(f.a.pixels[k], f.b.pixels[k], n));
      }
    }
    EXPECT_EQ(state.fire[0], nullptr);
    EXPECT_EQ(state.fire[1], nullptr);
  }
  EXPECT_NE(state.cooling, nullptr) << "the cooling map was made with the memory there was";

  g_allowMore = true;
  ASSERT_EQ(RenderFirestormWith(&state, f.Whole(0.18f)), 1);
  EXPECT_NE(state.fire[0], nullptr);
  EXPECT_NE(state.fire[1], nullptr);
  const std::vector<uint8_t> cells = FireCells(state);
  int hot = 0;
  for (uint8_t v : cells) hot += v == 255;
  EXPECT_GT(hot, 0) << "with its buffers the fire starts";
  ReleaseFireState(&state);
  EXPECT_EQ(state.cooling, nullptr);
}

TEST(FirestormRender, SizeChangeRebuildsAndProgressZeroClears) {
  Frames f(test::PatternFrame(20, 20, 5), test::PatternFrame(20, 20, 6));
  f.params.allEdgeDetection = 1;
  FireState state{};
  for (int i = 1; i <= 5; ++i) RenderFirestormWith(&state, f.View(0.15f + i * 0.01f, 0, 0, 20, 20));
  const std::vector<uint8_t> burning = FireCells(state);
  EXPECT_NE(burning, std::vector<uint8_t>(400, 0));

  // Another rectangle size: new, zeroed buffers and a new cooling map (Rand15 reseeded).
  Rand15Seed(5);
  f.params.allEdgeDetection = 0;
  f.params.hotSpotEnd = 0.0f;  // no hot spots, so no draws after the cooling map
  RenderFirestormWith(&state, f.View(0.3f, 0, 0, 19, 20));
  EXPECT_EQ(state.fireWidth, 19);
  EXPECT_EQ(state.coolingWidth, 19);
  uint32_t s = 0;
  for (int i = 0; i < 2 * (19 * 20 / 10); ++i) s = s * 214013u + 2531011u;
  EXPECT_EQ(Rand15State(), s);
  EXPECT_EQ(FireCells(state), std::vector<uint8_t>(380, 0));

  // Progress exactly 0 forgets the fire: with the defaults the frame is scene A.
  f.params.allEdgeDetection = 1;
  f.params.hotSpotEnd = 0.32f;
  for (int i = 1; i <= 4; ++i) RenderFirestormWith(&state, f.View(0.17f, 0, 0, 19, 20));
  WriteFirestormDefaults(&f.params);
  std::fill(f.out.pixels.begin(), f.out.pixels.end(), 0xCD);
  RenderFirestormWith(&state, f.View(0.0f, 0, 0, 19, 20));
  for (int32_t row = 0; row < 20; ++row) {
    EXPECT_EQ(std::memcmp(PixelAt(f.out, 0, row), PixelAt(f.a, 0, row), 19 * 3), 0);
  }
  EXPECT_EQ(FireCells(state), std::vector<uint8_t>(380, 0));
  EXPECT_EQ(std::count(PreviousFire(state), PreviousFire(state) + 380, 0), 380);
  ReleaseFireState(&state);
}

// A saved fire with the generator's state, restored into a fresh state, one of another
// size or one further on, continues frame for frame as the state it was saved from.
TEST(FirestormRender, SavedFireContinuesAsTheStateItWasSavedFrom) {
  Frames f(test::PatternFrame(24, 20, 7), test::PatternFrame(24, 20, 8));
  f.params.hotSpotEnd = 0.9f;  // hot spots (and their draws) on every frame below
  FireState state{};
  for (int i = 1; i <= 4; ++i) RenderFirestormWith(&state, f.Whole(0.1f * i));
  std::vector<uint8_t> saved(MostSavedFireBytes(state));
  saved.resize(SaveFireState(state, saved.data()));
  // Four early frames leave most cells cold: the copy is smaller than the two buffers.
  EXPECT_LT(saved.size(), 2u * 24 * 20);
  const uint32_t rand = Rand15State();
  std::vector<std::vector<uint8_t>> expected;
  for (int i = 5; i <= 7; ++i) {
    RenderFirestormWith(&state, f.Whole(0.1f * i));
    expected.push_back(f.out.pixels);
  }

  FireState fresh{}, otherSize{};
  RenderFirestormWith(&otherSize, f.View(0.3f, 0, 0, 19, 20));
  for (FireState* s : {&fresh, &otherSize, &state}) {
    ASSERT_TRUE(RestoreFireState(s, saved.data(), saved.size()));
    Rand15Seed(rand);
    for (int i = 5; i <= 7; ++i) {
      RenderFirestormWith(s, f.Whole(0.1f * i));
      EXPECT_EQ(expected[i - 5], f.out.pixels) << "frame " << i;
    }
  }
  // Bytes that do not hold a saved fire leave it cold.
  EXPECT_FALSE(RestoreFireState(&fresh, saved.data(), saved.size() - 1));
  EXPECT_EQ(FireCells(fresh), std::vector<uint8_t>(24 * 20, 0));
  EXPECT_FALSE(RestoreFireState(&fresh, saved.data(), 3));
  for (FireState* s : {&fresh, &otherSize, &state}) ReleaseFireState(s);
}

TEST(FirestormZeroRuns, PackedByHandAndUnpackedForEveryShape) {
  const std::vector<uint8_t> worked = {0, 0, 0, 5, 0, 7, 0, 0};
  std::vector<uint8_t> packed(MostPackedBytes(worked.size()));
  packed.resize(PackZeroRuns(worked.data(), worked.size(), packed.data()));
  // Three zeros, three bytes copied (a lone zero among them), then two zeros.
  EXPECT_EQ(packed, (std::vector<uint8_t>{3, 3, 5, 0, 7, 2, 0}));

  std::vector<uint8_t> noisy(3000);
  uint32_t seed = 9;
  for (uint8_t& b : noisy) {
    seed = seed * 1103515245u + 12345u;
    b = (seed >> 28) < 9 ? 0 : static_cast<uint8_t>(seed >> 16);
  }
  const std::vector<std::vector<uint8_t>> shapes = {
      {},   {0}, {4}, {4, 0}, {0, 4}, std::vector<uint8_t>(300, 0), std::vector<uint8_t>(300, 9),
      noisy};
  for (const std::vector<uint8_t>& bytes : shapes) {
    std::vector<uint8_t> p(MostPackedBytes(bytes.size()));
    p.resize(PackZeroRuns(bytes.data(), bytes.size(), p.data()));
    std::vector<uint8_t> back(bytes.size(), 0xEE);
    EXPECT_TRUE(UnpackZeroRuns(p.data(), p.size(), back.data(), back.size())) << bytes.size();
    EXPECT_EQ(bytes, back);
    if (bytes.empty()) continue;
    EXPECT_FALSE(UnpackZeroRuns(p.data(), p.size() - 1, back.data(), back.size())) << bytes.size();
    EXPECT_FALSE(UnpackZeroRuns(p.data(), p.size(), back.data(), back.size() - 1)) << bytes.size();
  }
}

TEST(FirestormRender, EdgesFoundAtTheStartGlowFaintlyAfterOneStep) {
  // Every pixel tested at p = 0, hot spots set before the step: the first frame shows
  // only what one step made of the few lone hot spots, at most 255 / 4 = 63 (levels 11, 2,
  // 0: opacity 51).
  FrameImage grey = test::SolidFrame(24, 20, 100, 100, 100);
  for (const auto& at : {std::make_pair(5, 5), std::make_pair(12, 9), std::make_pair(18, 14)}) {
    PixelAt(grey, at.first, at.second)[1] = 200;
  }
  Frames f(grey, test::PatternFrame(24, 20, 10));
  f.params.allEdgeDetection = 1;
  FireState state{};
  ASSERT_EQ(RenderFirestormWith(&state, f.Whole(0.0f)), 1);
  const std::vector<uint8_t> cells = FireCells(state);
  EXPECT_LE(*std::max_element(cells.begin(), cells.end()), 63);
  EXPECT_GT(*std::max_element(cells.begin(), cells.end()), 0);
  int changed = 0;
  for (int32_t row = 0; row < 20; ++row) {
    for (int32_t i = 0; i < 72; ++i) {
      const int d = std::abs(PixelAt(f.out, 0, row)[i] - PixelAt(f.a, 0, row)[i]);
      EXPECT_LE(d, 51);
      changed += d != 0;
    }
  }
  EXPECT_GT(changed, 0);
  ReleaseFireState(&state);
}

TEST(FirestormRender, NoSettingsRecordWritesNothing) {
  Frames f(test::PatternFrame(6, 6, 1), test::PatternFrame(6, 6, 2));
  FireState state{};
  FrameView v = f.Whole(0.5f);
  v.paramBlock = nullptr;
  EXPECT_EQ(RenderFirestormWith(&state, v), 0);
  EXPECT_EQ(f.out.pixels, std::vector<uint8_t>(f.out.pixels.size(), 0xCD));
  EXPECT_EQ(state.fire[0], nullptr);
}

TEST(FirestormRender, TinyRectanglesAndOddSettingsStayInBounds) {
  Frames f(test::PatternFrame(9, 9, 7), test::PatternFrame(9, 9, 8));
  f.params.allEdgeDetection = 1;
  f.params.visibleHotSpots = 1;
  const int32_t rects[][4] = {{3, 4, 1, 1}, {2, 2, 2, 2}, {1, 3, 3, 5}, {0, 0, 9, 9}, {5, 0, 4, 9}};
  const uint8_t speeds[] = {0, 1, 3, 200};
  for (uint8_t speed : speeds) {
    for (const auto& r : rects) {
      FireState state{};
      f.params.flameSpeed = speed;
      std::fill(f.out.pixels.begin(), f.out.pixels.end(), 0xCD);
      for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(RenderFirestormWith(&state, f.View(0.1f + 0.03f * i, r[0], r[1], r[2], r[3])), 1);
      }
      EXPECT_TRUE(test::OutsideRectUntouched(f.out, r[0], r[1], r[2], r[3], 0xCD));
      ReleaseFireState(&state);
    }
  }
  // Settings far outside their ranges still give bytes, not faults.
  FireState state{};
  f.params.flameSpeed = 2;
  f.params.flameVariation = -1e30f;
  f.params.flameFadeStart = 1.0f;
  f.params.crossfadeStart = std::numeric_limits<float>::quiet_NaN();
  for (float p : {0.0f, 0.2f, 1.0f, 1.5f, -0.5f}) {
    EXPECT_EQ(RenderFirestormWith(&state, f.Whole(p)), 1);
  }
  ReleaseFireState(&state);
}

}  // namespace
}  // namespace zk
