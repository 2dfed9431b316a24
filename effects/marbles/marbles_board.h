// The board of marbles of one frame: the grid of square cells over the source scene, each
// cell's mean colour, and where every marble is at the frame's motion time (start order,
// depth, turn about the centre, colour intensity), sorted for painting far to near.
#pragma once

#include <cstddef>
#include <cstdint>

#include "marbles_params.h"

namespace zk {

struct Marble {
  uint32_t colour;      // 0x00BBGGRR
  float x, y, z;        // centre in scene pixels; z grows away from the viewer
  float depthFraction;  // share of the flight towards the viewer, at most 1
};
static_assert(sizeof(Marble) == 20, "one marble record");

struct MarbleGrid {
  float cellSize;  // S, scene pixels
  int32_t columns;
  int32_t rows;
  size_t count;  // columns * rows
};

// More marbles than this are not attempted: the render call answers as for memory it
// cannot have. (Cells that small are below a pixel even on large frames.)
constexpr size_t kMaxMarbles = size_t{1} << 22;

// Cells of `size` times the width, from the first column and scene row on; the strips
// narrower than a cell at the far sides belong to no marble.
MarbleGrid MakeMarbleGrid(int32_t width, int32_t sceneHeight, float size);

// The frame's motion time: 0 up to `staticTime`, then rising to 1 at the end. Always in
// 0..1, whatever the settings hold.
float MotionTime(float progress, float staticTime);

// The source scene as the board reads it.
struct SceneRows {
  const uint8_t* row0;  // first byte of stored row 0
  int32_t stride;
  int32_t width;
  int32_t sceneHeight;
  int32_t lineStep;  // scene rows per stored row
};

// Colour and resting centre of every marble, in index order (row by row).
void SampleMarbles(const SceneRows& scene, const MarbleGrid& grid, Marble* marbles);
// The same sample by sample, each position worked out as the sampling is defined: the
// reference SampleMarbles is checked against.
void SampleMarblesPlain(const SceneRows& scene, const MarbleGrid& grid, Marble* marbles);

// Moves every marble from its resting place to motion time `m`: start order, own time,
// depth, turn about the centre, depth fraction. Reseeds Rand15 with 0 first, so the random
// order draws the same start times on every frame.
void MoveMarbles(const MarblesParams& p, const MarbleGrid& grid, int32_t width, int32_t sceneHeight,
                 float m, Marble* marbles);

// A marble's own time from the frame's motion time and its start.
double MarbleOwnTime(float m, float start, float moveTime);

// Greys (0) or strengthens (above 1) a colour word about the mean of its three bytes.
uint32_t IntensifyColour(uint32_t colour, float colorHue);
// The same for every marble; a colorHue of exactly 1 leaves the colours as sampled.
void IntensifyColours(float colorHue, Marble* marbles, size_t count);

// `order` receives the marble indices, farthest (largest z) first, equal depths in index
// order; `scratch` holds as many indices again while sorting.
void SortFarToNear(const Marble* marbles, size_t count, uint32_t* order, uint32_t* scratch);

}  // namespace zk
