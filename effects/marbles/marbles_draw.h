// One marble on the output: a sphere seen by the perspective camera, lit from a point
// light, with a one-pixel soft rim and a given opacity. Painter's order is the caller's.
#pragma once

#include <cstdint>

#include "image_plane.h"
#include "slice_runner.h"
#include "vector_math.h"

namespace zk {

struct MarbleLight {
  Point3 position;      // the light; its direction from the origin lights every marble
  uint32_t lightColor;  // 0x00BBGGRR
  int32_t distance;     // camera distance D in front of the image plane
};

struct MarbleLook {
  uint32_t colour;  // 0x00BBGGRR
  float impact;     // how strongly the light pulls the colour
  int32_t gloss;    // exponent of the lighting
};

// Draws nothing when a pointer is missing, the marble is at or behind the eye, the plane's
// pixels are not 1 to 4 bytes, or the opacity is 0 (or NaN). Opacities above 1 (a marble
// turned behind the image plane) overshoot and are held to 0..255.
// `rows`: the stored rows drawn (a band of the picture; the bytes there are those of the
// whole picture's drawing).
void DrawMarble(const ImagePlane* out, const MarbleLight* light, Point3 centre, float radius,
                const MarbleLook* look, float opacity, const RowRange& rows = kEveryRow);

// The same pixels, computed one by one exactly as the lighting is written: the reference
// DrawMarble is checked against.
void DrawMarblePlain(const ImagePlane* out, const MarbleLight* light, Point3 centre, float radius,
                     const MarbleLook* look, float opacity, const RowRange& rows = kEveryRow);

}  // namespace zk
