// The chars glow that tries the neighbours nearest first and skips empty windows, against
// the full search of the square around every pixel, byte for byte, whole and in bands.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "chars_phases.h"
#include "chars_test_views.h"
#include "test_support.h"

namespace zk {
namespace {

using test::SolidFrame;
using test::WholeView;

TEST(SpeedCharsGlow, EqualsTheFullSearchOnScatteredCharacters) {
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  const struct {
    int32_t w, h;
  } sizes[] = {{1, 1}, {2, 3}, {5, 1}, {9, 9}, {10, 4}, {37, 23}, {64, 48}};
  for (const auto& s : sizes) {
    for (uint32_t background : {0x000000u, 0x204060u}) {
      for (uint32_t density : {2u, 20u, 200u}) {
        const uint8_t bb = background >> 16, bg = (background >> 8) & 0xFF, br = background & 0xFF;
        FrameImage a = SolidFrame(s.w, s.h, 0, 0, 0);
        FrameImage fast = SolidFrame(s.w, s.h, bb, bg, br);
        // Character pixels of a few colours, one in `density` on average.
        for (int32_t y = 0; y < s.h; ++y) {
          for (int32_t x = 0; x < s.w; ++x) {
            if (next() % 1000 >= density) continue;
            uint8_t* px = PixelAt(fast, x, y);
            px[0] = static_cast<uint8_t>(next());
            px[1] = static_cast<uint8_t>(next());
            px[2] = static_cast<uint8_t>(next() | 1);
          }
        }
        FrameImage plain = fast;
        const FrameImage unglowed = fast;
        ApplyGlow(WholeView(fast, a, a, 0.5f, nullptr), background);
        ApplyGlowPlain(WholeView(plain, a, a, 0.5f, nullptr), background);
        ASSERT_EQ(plain.pixels, fast.pixels)
            << s.w << "x" << s.h << " background " << background << " density " << density;
        // In bands of a few rows, the last band first: every band sees the unglowed marks.
        for (int32_t count : {2, 3, 7}) {
          FrameImage banded = unglowed;
          const FrameView v = WholeView(banded, a, a, 0.5f, nullptr);
          GlowPass glow(v, background, count);
          ASSERT_TRUE(glow.ok());
          for (int32_t i = count - 1; i >= 0; --i) glow.MarkRows(BandRows(s.h, count, i));
          for (int32_t i = count - 1; i >= 0; --i) glow.GlowRows(i, BandRows(s.h, count, i));
          ASSERT_EQ(plain.pixels, banded.pixels) << s.w << "x" << s.h << " in " << count;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zk
