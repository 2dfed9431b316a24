// The fire that lives from frame to frame: the cooling map and the two fire buffers, sized
// for the rectangle of the frames they serve. The module keeps one; tests make their own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

struct FireState {
  uint8_t* cooling;
  int32_t coolingWidth;
  int32_t coolingHeight;
  uint8_t* fire[2];  // fire[current] is this frame's fire, the other one the last frame's
  int32_t current;
  int32_t fireWidth;
  int32_t fireHeight;
  // Asked before every allocation when set; false makes it fail as if memory ran out.
  bool (*allowAllocation)(size_t bytes);
};

// Makes the cooling map (reseeding Rand15) and the fire buffers (zeroed, first one current)
// anew where their size differs from width x height. False when memory could not be had:
// whatever could not be made is left unmade, so the next frame tries again.
bool PrepareFireState(FireState* state, int32_t width, int32_t height);

// Both fire buffers to zero, the first one current.
void ClearFire(FireState* state);

// Frees everything and forgets the sizes.
void ReleaseFireState(FireState* state);

// A copy of the fire that owns no memory of the state's: the sizes and both fire buffers,
// packed. The cooling map is not copied, being rebuilt from its size alone.
size_t MostSavedFireBytes(const FireState& state);
size_t SaveFireState(const FireState& state, uint8_t* to);  // returns the bytes written
// Makes the state the saved one, reusing its buffers where the sizes agree. A map it has to
// rebuild reseeds Rand15 as PrepareFireState does; memory that cannot be had is left unmade.
// False (the fire cleared) when `size` bytes do not hold a saved fire.
bool RestoreFireState(FireState* state, const uint8_t* from, size_t size);

inline uint8_t* CurrentFire(const FireState& s) { return s.fire[s.current]; }
inline uint8_t* PreviousFire(const FireState& s) { return s.fire[1 - s.current]; }

}  // namespace zk
