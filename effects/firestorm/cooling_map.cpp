#include "cooling_map.h"

#include <cstring>
#include <new>

#include "fire_random.h"
#include "kernel_choice.h"
#include "rand15.h"

namespace zk {
namespace {

// Offset of a seed inside its tile: a draw scaled over the rectangle, divided by 10.
int32_t SeedOffset(int32_t draw, int32_t extent) {
  return static_cast<int32_t>(Rand15ToUnit(draw) * (extent - 3) + 1) / 10;
}

}  // namespace

void SeedCoolingMap(uint8_t* map, int32_t width, int32_t height) {
  const int64_t cells = static_cast<int64_t>(width) * height;
  std::memset(map, 0, static_cast<size_t>(cells));
  Rand15Seed(0);
  const int64_t seeds = cells / 10;
  const int32_t tileWidth = width / 10;
  const int32_t tileHeight = height / 10;
  for (int64_t i = 0; i < seeds; ++i) {
    const int32_t xDraw = Rand15Next();
    const int32_t yDraw = Rand15Next();
    const int32_t gx = SeedOffset(xDraw, width);
    const int32_t gy = SeedOffset(yDraw, height);
    const int32_t tile = static_cast<int32_t>(i * 100 / seeds);
    const int32_t row = gy + tileHeight * (tile / 10);
    const int32_t col = tileWidth * (tile % 10) + gx;
    // The tiles never reach past the map; the guard only keeps rounding honest.
    if (row >= 0 && row < height && col >= 0 && col < width) {
      map[static_cast<int64_t>(row) * width + col] = kCoolingSeed;
    }
  }
}

void SmoothCoolingMap(uint8_t* map, int32_t width, int32_t height, int32_t passes) {
  for (int32_t pass = 0; pass < passes; ++pass) {
    for (int32_t r = 1; r < height - 1; ++r) {
      uint8_t* before = map + static_cast<int64_t>(r - 1) * width;
      uint8_t* row = before + width;
      uint8_t* after = row + width;
      for (int32_t c = 1; c < width - 1; ++c) {
        const int32_t sum = before[c - 1] + before[c] + before[c + 1] + row[c - 1] + row[c + 1] +
                            after[c - 1] + after[c] + after[c + 1];
        row[c] = static_cast<uint8_t>(sum >> 3);
      }
    }
  }
}

void SmoothCoolingMapFast(uint8_t* map, int32_t width, int32_t height, int32_t passes) {
  // Each cell takes the new value of its left neighbour, so a row is a chain; everything
  // else it sums (the row above, already smoothed, the row below and its right neighbour,
  // not yet) is gathered for the whole row first, leaving one add and shift per link.
  int32_t* rest = width > 2 ? new (std::nothrow) int32_t[static_cast<size_t>(width)] : nullptr;
  if (rest == nullptr) {
    SmoothCoolingMap(map, width, height, passes);
    return;
  }
  for (int32_t pass = 0; pass < passes; ++pass) {
    for (int32_t r = 1; r < height - 1; ++r) {
      const uint8_t* before = map + static_cast<int64_t>(r - 1) * width;
      uint8_t* row = map + static_cast<int64_t>(r) * width;
      const uint8_t* after = row + width;
      for (int32_t c = 1; c < width - 1; ++c) {
        rest[c] = before[c - 1] + before[c] + before[c + 1] + row[c + 1] + after[c - 1] + after[c] +
                  after[c + 1];
      }
      for (int32_t c = 1; c < width - 1; ++c) {
        row[c] = static_cast<uint8_t>((rest[c] + row[c - 1]) >> 3);
      }
    }
  }
  delete[] rest;
}

void BuildCoolingMap(uint8_t* map, int32_t width, int32_t height) {
  SeedCoolingMap(map, width, height);
  (PlainKernels() ? SmoothCoolingMap : SmoothCoolingMapFast)(map, width, height,
                                                             kCoolingSmoothPasses);
}

}  // namespace zk
