// The perspective, depth-buffered, textured and flat-lit triangle renderer of the 3D
// effects. There is no face sorting: the depth buffer alone settles visibility, and a
// caller without one draws in its own order, later triangles over earlier ones.
#pragma once

#include <cstdint>

#include "image_plane.h"
#include "triangle_bands.h"
#include "vector_math.h"

namespace zk {

// One triangle to draw. The renderer writes `normal` (the face normal of the unprojected
// vertices) and ignores the vertices' `w`.
struct ShadedTriangle {
  RasterVertex vertex[3];
  Point3 normal;
  uint32_t colour;  // colour word 0x00BBGGRR, used when there is no texture
  float impact;     // scales the lighting cosine
  int32_t gloss;    // exponent of the lighting curve
  const ImagePlane* texture;
};

// How a face looks: what a triangle takes from the face it belongs to.
struct FaceLook {
  uint32_t colour;
  float impact;
  int32_t gloss;
  const ImagePlane* texture;
};

// Shared by every triangle of a frame.
struct CameraSetup {
  Point3 light;          // light direction of the lighting cosine
  uint32_t lightColour;  // colour word
  uint32_t distance;     // eye distance D in front of the image plane
  float* depthBuffer;    // width floats per stored output row, or null for no depth test
  int32_t outline;       // bit 0: span ends and section end rows drawn white
  // Null: the whole image. Otherwise only the band's rows are drawn, the bytes there as the
  // whole image would have them (see triangle_bands.h).
  TriangleBand* band = nullptr;
};

// A four-cornered card (corners in row order: top-left, top-right, bottom-left,
// bottom-right) with the looks of its two sides.
struct QuadCard {
  RasterVertex corner[4];
  FaceLook front;
  FaceLook back;
};

// Depth entries start at this value: far behind anything a scene places.
constexpr float kDepthClear = 9999.0f;

// StoreFaceNormal: the triangle's `normal` from its vertices 0, 1, 2.
void StoreFaceNormal(ShadedTriangle* triangle);
// Stores the normal, then the cosine between it and the light vector.
double FaceLightCosine(ShadedTriangle* triangle, const Point3& light);

// Projects and fills one triangle. Returns 0 without drawing when a record is missing or a
// vertex lies on the eye plane (D + z = 0); otherwise 1, also when nothing falls inside
// the image. Writes 1 into `output->rowStep` when it finds 0 there.
int32_t DrawTriangle(ImagePlane* output, const CameraSetup* camera, ShadedTriangle* triangle);

// Draws a card as two triangles with the look of the side facing the viewer; the back look
// is mirrored left to right. Returns the second triangle's result.
int32_t DrawQuad(ImagePlane* output, const CameraSetup* camera, const QuadCard* card);

// Projected coordinates beyond this many pixels from the origin only arise for vertices
// a hair's breadth from the eye plane; such triangles are not drawn, which keeps the row
// and pixel walks bounded.
constexpr double kMaxRasterCoordinate = 131072.0;

}  // namespace zk
