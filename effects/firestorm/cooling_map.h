// The cooling map: how much heat each fire cell loses per step. Built once per rectangle
// size from random seeds spread over a 10 x 10 grid of tiles and then blurred.
#pragma once

#include <cstdint>

namespace zk {

constexpr uint8_t kCoolingSeed = 135;
constexpr int32_t kCoolingSmoothPasses = 12;

// Zeroes the map, reseeds Rand15 with 0 and sets W*H/10 seeds, the same number in each tile.
void SeedCoolingMap(uint8_t* map, int32_t width, int32_t height);
// In-place passes over the inner cells: each becomes the sum of its eight neighbours
// shifted right by 3, cells already visited in the pass counting with their new value.
void SmoothCoolingMap(uint8_t* map, int32_t width, int32_t height, int32_t passes);

// The same map, each row's sums that do not wait on the row's own new cells gathered first
// (the plain form is its reference, and its fallback without a row of scratch).
void SmoothCoolingMapFast(uint8_t* map, int32_t width, int32_t height, int32_t passes);
// Seeds and twelve passes.
void BuildCoolingMap(uint8_t* map, int32_t width, int32_t height);

}  // namespace zk
