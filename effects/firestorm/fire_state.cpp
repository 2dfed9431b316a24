#include "fire_state.h"

#include <cstdlib>
#include <cstring>

#include "cooling_map.h"

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

}  // namespace

bool PrepareFireState(FireState* s, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  const size_t cells = CellCount(width, height);
  if (s->cooling == nullptr || s->coolingWidth != width || s->coolingHeight != height) {
    DropCooling(s);
    uint8_t* map = Allocate(*s, cells);
    if (map == nullptr) return false;
    BuildCoolingMap(map, width, height);
    s->cooling = map;
    s->coolingWidth = width;
    s->coolingHeight = height;
  }
  if (s->fire[0] == nullptr || s->fireWidth != width || s->fireHeight != height) {
    DropFire(s);
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

}  // namespace zk
