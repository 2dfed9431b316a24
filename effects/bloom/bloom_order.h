// The order of the pixels along a bloom direction: every pixel gets an integer order M from
// its position, and the direction an extent D (computed once per frame) that M runs up to.
#pragma once

#include <cstdint>

#include "arctan_degrees.h"

namespace zk {

struct BloomGeometry {
  int32_t direction;  // 0 to 20; unknown directions are stored as 0
  int32_t width;      // W: columns of the rectangle
  int32_t lines;      // Hs: picture lines, rectangle rows times the line step
  int32_t extent;     // D
};

BloomGeometry MakeBloomGeometry(int32_t direction, int32_t width, int32_t lines);

// The order M of column x on picture line y, exactly as the direction defines it; it can
// stray a little outside 0..D at the corners. Callers must not ask for the orders of a
// geometry whose extent is 0 (the diagonal orders divide by it).
int32_t BloomOrder(const BloomGeometry& g, int32_t x, int32_t y);

// True for the directions whose order depends on the column alone (0, 1, 2, 7, 8).
bool BloomOrderIgnoresLine(const BloomGeometry& g);

// What a frame works out once for the orders of whole rows: the start of every whole
// degree of the angle orders (directions 11 and 12), whose arctangents are otherwise one
// per pixel.
struct BloomRowOrders {
  BloomGeometry g;
  ArctanDegreeSteps angles;
};
void MakeBloomRowOrders(const BloomGeometry& g, BloomRowOrders* r);

// orders[x] = BloomOrder(g, x, y) for the `g.width` pixels of picture line y, except that a
// geometry without extent gives every pixel order 0, and an order below 0 (a corner of the
// falling diagonals) is raised to 0 so that no pixel starts before the transition does.
void BloomOrderRow(const BloomRowOrders& r, int32_t y, int32_t* orders);

}  // namespace zk
