#include "fire_state.h"

#include <cstdlib>
#include <cstring>

#include "cooling_map.h"
#include "zero_runs.h"

namespace zk {
namespace {

uint8_t* Allocate(const FireState& s, size_t bytes) {
  if (s.allowAllocation != nullptr && !s.allowAllocation(bytes)) return nullptr;
  return static_cast<uint8_t*>(std::malloc(bytes));
}

void DropCooling(FireState* s) {
  std::free(s->cooling);
  s->cooling = nullptr;
  s->coolingWidth = 0;
  s->coolingHeight = 0;
}

void DropFire(FireState* s) {
  std::free(s->fire[0]);
  std::free(s->fire[1]);
  s->fire[0] = nullptr;
  s->fire[1] = nullptr;
  s->current = 0;
  s->fireWidth = 0;
  s->fireHeight = 0;
}

size_t CellCount(int32_t width, int32_t height) {
  return static_cast<size_t>(width) * static_cast<size_t>(height);
}

bool MakeCooling(FireState* s, int32_t width, int32_t height) {
  uint8_t* map = Allocate(*s, CellCount(width, height));
  if (map == nullptr) return false;
  BuildCoolingMap(map, width, height);
  s->cooling = map;
  s->coolingWidth = width;
  s->coolingHeight = height;
  return true;
}

// Both buffers or neither; their cells are left as they come.
bool MakeFire(FireState* s, int32_t width, int32_t height) {
  const size_t cells = CellCount(width, height);
  uint8_t* first = Allocate(*s, cells);
  uint8_t* second = first != nullptr ? Allocate(*s, cells) : nullptr;
  if (second == nullptr) {
    std::free(first);
    return false;
  }
  s->fire[0] = first;
  s->fire[1] = second;
  s->fireWidth = width;
  s->fireHeight = height;
  return true;
}

// The head of a saved state; the two fire buffers follow it, packed.
struct SavedSizes {
  int32_t coolingWidth, coolingHeight, fireWidth, fireHeight, current;
  uint64_t firstPacked;  // bytes of the first buffer
};

}  // namespace

bool PrepareFireState(FireState* s, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  if (s->cooling == nullptr || s->coolingWidth != width || s->coolingHeight != height) {
    DropCooling(s);
    if (!MakeCooling(s, width, height)) return false;
  }
  if (s->fire[0] == nullptr || s->fireWidth != width || s->fireHeight != height) {
    DropFire(s);
    if (!MakeFire(s, width, height)) return false;
    ClearFire(s);
  }
  return true;
}

void ClearFire(FireState* s) {
  const size_t cells = CellCount(s->fireWidth, s->fireHeight);
  if (s->fire[0] != nullptr) std::memset(s->fire[0], 0, cells);
  if (s->fire[1] != nullptr) std::memset(s->fire[1], 0, cells);
  s->current = 0;
}

void ReleaseFireState(FireState* s) {
  DropCooling(s);
  DropFire(s);
}

size_t MostSavedFireBytes(const FireState& s) {
  const size_t fire = s.fire[0] != nullptr ? CellCount(s.fireWidth, s.fireHeight) : 0;
  return sizeof(SavedSizes) + 2 * MostPackedBytes(fire);
}

size_t SaveFireState(const FireState& s, uint8_t* to) {
  const bool hasFire = s.fire[0] != nullptr;
  SavedSizes sizes{s.cooling != nullptr ? s.coolingWidth : 0,
                   s.cooling != nullptr ? s.coolingHeight : 0,
                   hasFire ? s.fireWidth : 0,
                   hasFire ? s.fireHeight : 0,
                   s.current,
                   0};
  size_t bytes = sizeof sizes;
  if (hasFire) {
    const size_t cells = CellCount(s.fireWidth, s.fireHeight);
    sizes.firstPacked = PackZeroRuns(s.fire[0], cells, to + bytes);
    bytes += sizes.firstPacked;
    bytes += PackZeroRuns(s.fire[1], cells, to + bytes);
  }
  std::memcpy(to, &sizes, sizeof sizes);
  return bytes;
}

bool RestoreFireState(FireState* s, const uint8_t* from, size_t size) {
  SavedSizes sizes{};
  if (size < sizeof sizes) return false;
  std::memcpy(&sizes, from, sizeof sizes);
  if (s->cooling == nullptr || s->coolingWidth != sizes.coolingWidth ||
      s->coolingHeight != sizes.coolingHeight) {
    DropCooling(s);
    if (sizes.coolingWidth > 0) MakeCooling(s, sizes.coolingWidth, sizes.coolingHeight);
  }
  if (s->fire[0] == nullptr || s->fireWidth != sizes.fireWidth ||
      s->fireHeight != sizes.fireHeight) {
    DropFire(s);
    if (sizes.fireWidth <= 0 || !MakeFire(s, sizes.fireWidth, sizes.fireHeight)) return true;
  }
  const size_t cells = CellCount(s->fireWidth, s->fireHeight);
  const uint8_t* packed = from + sizeof sizes;
  const size_t packedBytes = size - sizeof sizes;
  s->current = sizes.current;
  if (sizes.firstPacked <= packedBytes &&
      UnpackZeroRuns(packed, sizes.firstPacked, s->fire[0], cells) &&
      UnpackZeroRuns(packed + sizes.firstPacked, packedBytes - sizes.firstPacked, s->fire[1],
                     cells))
    return true;
  ClearFire(s);
  return false;
}

}  // namespace zk
