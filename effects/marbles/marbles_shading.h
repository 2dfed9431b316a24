// What both sphere drawers share: the light's direction, the colour channels and the byte
// rounding of the lighting. Internal to the marble drawers.
#pragma once

#include <cmath>
#include <cstdint>

#include "float_rounding.h"
#include "image_plane.h"
#include "marbles_draw.h"
#include "slice_runner.h"
#include "vector_math.h"

namespace zk::marbles {

inline float F(double v) { return RoundToFloat(v); }

// A channel value held to a byte; NaN gives 0.
inline int32_t ByteOf(double v) {
  if (!(v > 0)) return 0;
  return v < 255 ? static_cast<int32_t>(v) : 255;
}

inline int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The light's direction, kept in double: it is one constant per marble, and rounding it to
// float would leave the pixel that faces the light a level short of the light colour.
// A light at the origin has no direction; the marbles then show their own colour.
struct Direction {
  double x, y, z;
};
inline Direction LightDirection(const Point3& p) {
  const double length = std::sqrt(double{p.z} * p.z + double{p.y} * p.y + double{p.x} * p.x);
  if (!(length > 0) || !std::isfinite(length)) return Direction{0, 0, 0};
  return Direction{p.x / length, p.y / length, p.z / length};
}

// Bytes in memory order (blue, green, red, then a fourth channel that carries nothing).
struct Channels {
  double v[4];
};
inline Channels ChannelsOf(uint32_t colour) {
  return Channels{{static_cast<double>((colour >> 16) & 0xFF),
                   static_cast<double>((colour >> 8) & 0xFF), static_cast<double>(colour & 0xFF),
                   0.0}};
}

// The projected disc of a marble and the part of the plane it may touch.
struct MarbleDisc {
  bool visible;            // false: nothing is to be drawn
  float R, R2;             // projected radius and its square, both floats
  float sx, sy;            // projected centre
  int32_t x0, x1, y0, y1;  // inclusive bounds, inside the plane
};
// Also settles every case that draws nothing: missing pointers, a marble at or behind the
// eye, pixels not of 1 to 4 bytes, an opacity of 0 (or NaN), a bounding box of no extent.
MarbleDisc ProjectMarble(const ImagePlane* out, const MarbleLight* light, Point3 centre,
                         float radius, const MarbleLook* look, float opacity);

// Keeps the disc's visited scene rows (y0, y0 + step, ...) whose stored rows lie in
// [rows.first, rows.end); false when none does.
bool ClipDiscRows(MarbleDisc* disc, int32_t step, const RowRange& rows);

}  // namespace zk::marbles
