// The chars glow by keyed row minima, in place, against the full search of the square around
// every pixel on a copy, byte for byte: ties in several directions, every pair of character
// pixels around one background pixel, borders, glyph-like blocks, rectangles away from the
// origin and field mode. Its row kernels against their plain forms.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "chars_phases.h"
#include "chars_test_views.h"
#include "glow_nearest.h"
#include "speed_test_support.h"
#include "test_support.h"

namespace zk {
namespace {

using test::NextRandom;
using test::RectView;
using test::SolidFrame;

constexpr uint32_t kBackgrounds[] = {0x000000u, 0x204060u, 0xFFFFFFu, 0x0000FFu};

PixelBgr Bgr(uint32_t colour) { return ColourToPixel(colour); }

void Paint(FrameImage& f, int32_t x, int32_t y, const uint8_t bgr[3]) {
  std::memcpy(PixelAt(f, x, y), bgr, 3);
}

// A character colour near the background: one channel one step away, or any colour.
void CharacterColour(uint32_t background, uint32_t* seed, uint8_t bgr[3]) {
  const PixelBgr bg = Bgr(background);
  bgr[0] = bg.b;
  bgr[1] = bg.g;
  bgr[2] = bg.r;
  const uint32_t r = NextRandom(seed);
  if (r % 3 == 0) {
    const int32_t k = static_cast<int32_t>(NextRandom(seed) % 3);
    bgr[k] = static_cast<uint8_t>(bgr[k] == 255 ? 254 : bgr[k] + 1);
  } else {
    for (int32_t k = 0; k < 3; ++k) bgr[k] = static_cast<uint8_t>(NextRandom(seed));
    if (bgr[0] == bg.b && bgr[1] == bg.g && bgr[2] == bg.r) bgr[1] ^= 0x80;
  }
}

// Glows the rectangle (left, top, w, h) of `frame` (in field mode every other line of it)
// with both forms and expects the same frame, bytes outside the rectangle as they were.
void ExpectSameGlow(const FrameImage& frame, int32_t left, int32_t top, int32_t w, int32_t h,
                    bool field, uint32_t background, const char* what) {
  FrameImage fast = frame;
  FrameImage plain = frame;
  const FrameImage a = SolidFrame(frame.width, frame.height, 0, 0, 0);
  FrameView vf = RectView(fast, a, a, left, top, w, h, 0.5f, nullptr);
  FrameView vp = RectView(plain, a, a, left, top, w, h, 0.5f, nullptr);
  if (field) {
    for (FrameView* v : {&vf, &vp}) test::TakeEveryOtherLine(v, h / 2);
  }
  ApplyGlow(vf, background);
  ApplyGlowPlain(vp, background);
  ASSERT_EQ(plain.pixels, fast.pixels)
      << what << " " << w << "x" << h << " at " << left << "," << top << (field ? " field" : "")
      << " background " << background;
  // Nothing outside the glowed rows of the rectangle changes.
  const int32_t rows = field ? h / 2 : h;
  const int32_t step = field ? 2 : 1;
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) {
      const bool inside =
          x >= left && x < left + w && y >= top && y < top + rows * step && (y - top) % step == 0;
      if (inside) continue;
      ASSERT_EQ(0, std::memcmp(PixelAt(frame, x, y), PixelAt(fast, x, y), 3))
          << what << " pixel " << x << "," << y << " outside the rectangle";
    }
  }
}

// The keys rank the offsets as the full search does: the smaller distance, then the earlier
// row in memory, then the column to the left; offsets at distance 4 or more never glow.
TEST(SpeedS3cGlow, KeysRankOffsetsAsTheFullSearch) {
  struct Offset {
    int32_t dy, dx, d;
  };
  std::vector<Offset> glowing;
  for (int32_t dy = -4; dy <= 4; ++dy) {
    for (int32_t dx = -4; dx <= 4; ++dx) {
      const int32_t d = GlowClass(dy, dx);
      if (dy == 0 && dx == 0) continue;
      if (d <= 3) {
        EXPECT_LE(std::abs(dy), kGlowReach);
        EXPECT_LE(std::abs(dx), kGlowReach);
        glowing.push_back({dy, dx, d});
      }
    }
  }
  // The farthest distance the search takes leaves every byte as it is.
  EXPECT_EQ(0.0, GlowWeight(4));
  for (int32_t own = 0; own < 256; ++own) {
    for (int32_t found = 0; found < 256; found += 51) {
      const double f = GlowWeight(4);
      ASSERT_EQ(own, static_cast<int32_t>(own * (1.0 - f) + f * found));
    }
  }
  ASSERT_EQ(44u, glowing.size());  // 8 at distance 1, 16 at 2, 20 at 3
  for (const Offset& p : glowing) {
    const uint8_t kp = GlowKey(p.d, p.dy, p.dx);
    EXPECT_LT(kp, kNoGlow);
    for (const Offset& q : glowing) {
      const bool searchFirst =
          p.d < q.d || (p.d == q.d && (p.dy < q.dy || (p.dy == q.dy && p.dx < q.dx)));
      EXPECT_EQ(searchFirst, kp < GlowKey(q.d, q.dy, q.dx))
          << p.dy << "," << p.dx << " against " << q.dy << "," << q.dx;
    }
  }
}

TEST(SpeedS3cGlow, MarksEqualThePlainForm) {
  uint32_t seed = 7;
  for (uint32_t background : kBackgrounds) {
    for (int32_t width = 0; width <= 70; ++width) {
      for (uint32_t density : {0u, 1u, 30u, 100u}) {
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * 3);
        const PixelBgr bg = Bgr(background);
        for (int32_t x = 0; x < width; ++x) {
          uint8_t bgr[3] = {bg.b, bg.g, bg.r};
          if (NextRandom(&seed) % 100 < density) CharacterColour(background, &seed, bgr);
          std::memcpy(&pixels[3 * x], bgr, 3);
        }
        std::vector<uint8_t> fast(width + 1, 0x5A), plain(width + 1, 0x5A);
        const bool anyFast = MarkCharacterPixels(pixels.data(), width, bg, fast.data());
        const bool anyPlain = MarkCharacterPixelsPlain(pixels.data(), width, bg, plain.data());
        ASSERT_EQ(plain, fast) << "width " << width << " density " << density;
        ASSERT_EQ(anyPlain, anyFast) << "width " << width << " density " << density;
        bool any = false;
        for (int32_t x = 0; x < width; ++x) any = any || plain[x] == 0;
        ASSERT_EQ(any, anyPlain);
      }
    }
  }
}

TEST(SpeedS3cGlow, AlongRowKeysEqualThePlainForm) {
  uint32_t seed = 99;
  for (int32_t width = 1; width <= 80; ++width) {
    for (uint32_t density : {1u, 10u, 50u, 95u}) {
      const int32_t padded = GlowPaddedWidth(width);
      std::vector<uint8_t> marks(padded + 2 * kGlowMargin, kNoGlow);
      uint8_t* m = marks.data() + kGlowMargin;
      for (int32_t x = 0; x < width; ++x) m[x] = NextRandom(&seed) % 100 < density ? 0 : kNoGlow;
      std::vector<uint8_t> fast(4 * padded, 0x11), plain(4 * padded, 0x11);
      uint8_t* const fastRows[4] = {&fast[0], &fast[padded], &fast[2 * padded], &fast[3 * padded]};
      uint8_t* const plainRows[4] = {&plain[0], &plain[padded], &plain[2 * padded],
                                     &plain[3 * padded]};
      NearestAlongRow(m, width, fastRows);
      NearestAlongRowPlain(m, width, plainRows);
      for (int32_t a = 0; a < 4; ++a) {
        for (int32_t x = 0; x < width; ++x) {
          ASSERT_EQ(plainRows[a][x], fastRows[a][x])
              << "width " << width << " |dy| " << a << " x " << x;
        }
      }
    }
  }
}

TEST(SpeedS3cGlow, AcrossRowKeysEqualThePlainForm) {
  uint32_t seed = 4242;
  for (int32_t width = 1; width <= 50; ++width) {
    for (int32_t trial = 0; trial < 20; ++trial) {
      const int32_t padded = GlowPaddedWidth(width);
      std::vector<std::vector<uint8_t>> along(kGlowRows, std::vector<uint8_t>(padded));
      const uint8_t* rows[kGlowRows];
      for (int32_t k = 0; k < kGlowRows; ++k) {
        // Along-row keys reach at most 2 x 49 + 6.
        for (uint8_t& key : along[k]) {
          key =
              NextRandom(&seed) % 3 == 0 ? kNoGlow : static_cast<uint8_t>(NextRandom(&seed) % 105);
        }
        rows[k] = NextRandom(&seed) % 4 == 0 ? nullptr : along[k].data();
      }
      std::vector<uint8_t> own(padded, kNoGlow);
      for (int32_t x = 0; x < width; ++x) own[x] = NextRandom(&seed) % 5 == 0 ? 0 : kNoGlow;
      std::vector<uint8_t> fast(padded, 0x22), plain(padded, 0x22);
      NearestAcrossRows(rows, own.data(), width, fast.data());
      NearestAcrossRowsPlain(rows, own.data(), width, plain.data());
      for (int32_t x = 0; x < width; ++x) {
        ASSERT_EQ(plain[x], fast[x]) << "width " << width << " trial " << trial << " x " << x;
      }
    }
  }
}

TEST(SpeedS3cGlow, GlowingPixelsEqualThePlainForm) {
  uint32_t seed = 11;
  uint8_t keys[16];
  for (int32_t trial = 0; trial < 2000; ++trial) {
    for (uint8_t& k : keys) {
      k = NextRandom(&seed) % 2 == 0 ? kNoGlow : static_cast<uint8_t>(NextRandom(&seed) % 147);
    }
    const int32_t count = 1 + trial % 20;
    ASSERT_EQ(GlowingPixelsPlain(keys, count), GlowingPixels(keys, count)) << count;
  }
  uint8_t worked[16];
  std::memset(worked, kNoGlow, sizeof worked);
  worked[0] = 0;
  worked[5] = 146;
  worked[15] = 7;
  EXPECT_EQ(0x8021u, GlowingPixels(worked, 16));
  EXPECT_EQ(0x0021u, GlowingPixels(worked, 15));
  EXPECT_EQ(0x0001u, GlowingPixels(worked, 1));
}

// One background pixel between two character pixels of distinct colours at every pair of
// offsets of the 9 x 9 window (equal distances in every pair of directions, nearer and
// farther, distance 4 and beyond the reach), the pixel in the middle and at the borders.
TEST(SpeedS3cGlow, EveryPairOfCharacterPixelsAroundOnePixel) {
  const uint8_t first[3] = {200, 10, 90};
  const uint8_t second[3] = {15, 230, 140};
  for (int32_t i = 0; i < 81; ++i) {
    for (int32_t j = i + 1; j < 81; ++j) {
      const PixelBgr bg = Bgr(0x204060u);
      FrameImage f = SolidFrame(9, 9, bg.b, bg.g, bg.r);
      Paint(f, i % 9, i / 9, first);
      Paint(f, j % 9, j / 9, second);
      ExpectSameGlow(f, 0, 0, 9, 9, false, 0x204060u, "pair");
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

// Random sets of character pixels with their own colours in small frames: many ties.
TEST(SpeedS3cGlow, RandomSmallLayouts) {
  uint32_t seed = 31337;
  for (int32_t trial = 0; trial < 3000; ++trial) {
    const uint32_t background = kBackgrounds[trial % 4];
    const PixelBgr bg = Bgr(background);
    const int32_t w = 1 + static_cast<int32_t>(NextRandom(&seed) % 20);
    const int32_t h = 1 + static_cast<int32_t>(NextRandom(&seed) % 12);
    const uint32_t density = 1 + NextRandom(&seed) % 60;
    FrameImage f = SolidFrame(w, h, bg.b, bg.g, bg.r);
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        if (NextRandom(&seed) % 100 >= density) continue;
        uint8_t bgr[3];
        CharacterColour(background, &seed, bgr);
        Paint(f, x, y, bgr);
      }
    }
    ExpectSameGlow(f, 0, 0, w, h, false, background, "random small");
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Glyph-like blocks and strokes over larger frames, whole, in a rectangle away from the
// origin and in field mode; also an empty frame, a full one, stripes and a checkerboard.
TEST(SpeedS3cGlow, BlocksStripesAndFieldMode) {
  uint32_t seed = 2024;
  const struct {
    int32_t w, h;
  } sizes[] = {{15, 7}, {16, 16}, {17, 9}, {33, 20}, {64, 40}, {97, 61}, {130, 50}};
  for (const auto& s : sizes) {
    for (uint32_t background : kBackgrounds) {
      const PixelBgr bg = Bgr(background);
      for (int32_t layout = 0; layout < 6; ++layout) {
        // The frame is larger than the rectangles tried on it, and full of other bytes.
        FrameImage f = test::RandomFrame(s.w + 11, 2 * s.h + 9, seed++);
        for (int32_t y = 0; y < f.height; ++y) {
          for (int32_t x = 0; x < f.width; ++x) {
            bool lit = false;
            switch (layout) {
              case 0:
                lit = false;
                break;
              case 1:
                lit = true;
                break;
              case 2:
                lit = x % 5 == 0;
                break;
              case 3:
                lit = (x + y) % 2 == 0;
                break;
              case 4:
                lit = y % 7 == 3 || (x % 9 == 1 && y % 11 < 6);
                break;
              default:
                lit = (x / 6 + y / 8) % 3 == 0 && (x % 6) < 4 && (y % 8) < 6;
                break;
            }
            if (!lit) std::memcpy(PixelAt(f, x, y), &bg, 3);
          }
        }
        // Blocks of one character colour here and there, as glyphs give.
        for (int32_t b = 0; b < 4; ++b) {
          uint8_t bgr[3];
          CharacterColour(background, &seed, bgr);
          const int32_t bx = static_cast<int32_t>(NextRandom(&seed) % f.width);
          const int32_t by = static_cast<int32_t>(NextRandom(&seed) % f.height);
          for (int32_t y = by; y < by + 5 && y < f.height; ++y) {
            for (int32_t x = bx; x < bx + 3 && x < f.width; ++x) Paint(f, x, y, bgr);
          }
        }
        ExpectSameGlow(f, 0, 0, f.width, f.height, false, background, "whole");
        ExpectSameGlow(f, 5, 3, s.w, s.h, false, background, "rectangle");
        ExpectSameGlow(f, 2, 1, s.w, 2 * s.h, true, background, "field");
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
  }
}

}  // namespace
}  // namespace zk
