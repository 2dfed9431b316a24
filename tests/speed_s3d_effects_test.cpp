// The faster paths of bubble and rays against their plain forms, byte for byte: the
// bubble's source addresses against its pixel samples, the rays' composite at every width
// around the sixteen-pixel steps and the ray map with the source at many places inside a
// wide rectangle.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "bubble_geometry.h"
#include "colour_word.h"
#include "pixel_rows.h"
#include "ray_casting.h"
#include "rays_render.h"
#include "speed_test_support.h"

namespace zk {
namespace {

using test::RandomFrame;

TEST(SpeedS3dBubble, SpanSourcesAreThoseOfTheSamples) {
  const int32_t sizes[][2] = {{1, 1},   {2, 2},   {3, 5},    {5, 3},    {17, 40},
                              {40, 17}, {64, 64}, {161, 91}, {91, 161}, {330, 250}};
  for (const auto& size : sizes) {
    const int32_t w = size[0];
    const int32_t lines = size[1];
    // Two scenes of distinct addresses: every line of each its own row of bytes.
    std::vector<uint8_t> inside(static_cast<size_t>(3 * w * lines));
    std::vector<uint8_t> outside(inside.size());
    std::vector<const uint8_t*> insideLines(lines), outsideLines(lines);
    for (int32_t y = 0; y < lines; ++y) {
      insideLines[y] = inside.data() + 3 * w * y;
      outsideLines[y] = outside.data() + 3 * w * y;
    }
    for (double t : {0.0, 0.05, 0.2, 0.333, 0.334, 0.5, 0.8, 1.0}) {
      const BubbleShape shape = MakeBubbleShape(w, lines, t);
      std::vector<uint8_t> memory(BubbleRowTablesBytes(shape));
      BubbleRowTables tables;
      ASSERT_TRUE(MakeBubbleRowTables(shape, memory.data(), &tables));
      std::vector<const uint8_t*> sources(w);
      for (int32_t y = 0; y < lines; ++y) {
        // Whole rows and spans starting anywhere, of one pixel up to the rest of the row.
        for (int32_t left : {0, w / 3, w / 2, w - 1}) {
          for (int32_t count : {1, 7, w - left}) {
            if (count > w - left) continue;
            BubbleSpanSources(tables, y, left, count, insideLines.data(), outsideLines.data(),
                              sources.data());
            for (int32_t i = 0; i < count; ++i) {
              const BubbleSample e = SampleBubble(shape, left + i, y);
              const uint8_t* expected = (e.inside ? insideLines : outsideLines)[e.y] + 3 * e.x;
              ASSERT_EQ(expected, sources[i])
                  << w << "x" << lines << " t " << t << " at " << left + i << "," << y;
            }
          }
        }
      }
    }
  }
}

TEST(SpeedS3dRays, CompositeAtEveryWidthAroundTheSteps) {
  uint32_t seed = 23;
  for (int32_t width = 1; width <= 70; ++width) {
    const FrameImage source = RandomFrame(width, 1, 40 + width);
    std::vector<uint8_t> mask(width), rays(width), colourRow(3 * width), levels(3 * width);
    for (double phase : {0.0, 0.25, 0.999, 1.0}) {
      for (int32_t x = 0; x < width; ++x) {
        mask[x] = test::NextRandom(&seed) % 3 ? 0 : 255;
        rays[x] = static_cast<uint8_t>(test::NextRandom(&seed));
      }
      const uint32_t colour = 0x2080F0;
      FillRowPixel(colourRow.data(), width, ColourToPixel(colour));
      // One guard byte past the row on each side of the comparison.
      std::vector<uint8_t> plain(3 * width + 1, 0x44), fast(3 * width + 1, 0x44);
      std::vector<uint8_t> roomyLevels(3 * width + 1, 0x99);
      CompositeRaysRow(plain.data(), source.pixels.data(), mask.data(), rays.data(), width, phase,
                       colour);
      CompositeRaysRowByLevels(fast.data(), source.pixels.data(), mask.data(), rays.data(), width,
                               phase, colourRow.data(), roomyLevels.data());
      ASSERT_EQ(plain, fast) << width << " " << phase;
      EXPECT_EQ(0x99, roomyLevels[3 * width]) << "levels written past the row, width " << width;
    }
  }
}

TEST(SpeedS3dRays, RayMapOfAWideRectangleFromSourcesInside) {
  const int32_t w = 301;
  const int32_t h = 167;
  uint32_t seed = 5;
  std::vector<uint8_t> mask(w * h);
  // Lit blocks and single lit cells, so rays run through long lit and unlit stretches.
  for (int32_t row = 0; row < h; ++row) {
    for (int32_t col = 0; col < w; ++col) {
      const bool block = ((row / 9) * 7 + col / 13) % 5 == 0;
      mask[row * w + col] = block || test::NextRandom(&seed) % 29 == 0 ? 255 : 0;
    }
  }
  const int32_t places[][2] = {{0, 0},    {w - 1, h - 1}, {w / 2, h / 2}, {1, h - 2},  {w - 2, 1},
                               {37, 101}, {w - 1, 0},     {0, h - 1},     {250, h / 2}};
  for (const auto& place : places) {
    for (int32_t density : {-7, 0, 3, 10, 200}) {
      std::vector<uint8_t> plain(w * h, 0), fast(w * h, 0);
      CastRaysPlain(mask.data(), plain.data(), w, h, place[0], place[1], density);
      CastRays(mask.data(), fast.data(), w, h, place[0], place[1], density);
      ASSERT_EQ(plain, fast) << "light " << place[0] << "," << place[1] << " density " << density;
    }
  }
}

}  // namespace
}  // namespace zk
