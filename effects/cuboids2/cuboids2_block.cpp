#include "cuboids2_block.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "face_math.h"
#include "float_rounding.h"
#include "float_to_int.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

// Texture coordinates of one triangle vertex, taken from a corner position.
struct TexturedCorner {
  const RasterVertex* at;
  float u, v;
};

RasterVertex WithTexture(const TexturedCorner& c) {
  return RasterVertex{c.at->x, c.at->y, c.at->z, c.u, c.v, 0};
}

// Draws the face's two triangles if the first one faces the eye.
void DrawFace(ImagePlane* out, const CameraSetup* camera, const Point3& eye,
              const RasterVertex first[3], const RasterVertex second[3], const FaceLook& look) {
  if (!FacesViewer(first, eye)) return;
  for (const RasterVertex* tri : {first, second}) {
    ShadedTriangle t{{tri[0], tri[1], tri[2]},
                     Point3{0, 0, 0},
                     look.colour,
                     look.impact,
                     look.gloss,
                     look.texture};
    DrawTriangle(out, camera, &t);
  }
}

bool FaceVisible(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                 const Point3& eye) {
  const RasterVertex tri[3] = {a, b, c};
  return FacesViewer(tri, eye);
}

// Copies scene texel (x, y), clamped into the scene, into a strip texel; a missing scene
// gives the face colour instead.
void CopyTexel(uint8_t* to, int32_t n, const ImagePlane* scene, int32_t x, int32_t y,
               uint32_t colour) {
  if (scene == nullptr) {
    const uint8_t bgr[4] = {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                            static_cast<uint8_t>(colour), 0};
    std::memcpy(to, bgr, static_cast<size_t>(n < 4 ? n : 4));
    return;
  }
  x = x < 0 ? 0 : (x >= scene->width ? scene->width - 1 : x);
  y = y < 0 ? 0 : (y >= scene->height ? scene->height - 1 : y);
  std::memcpy(to, ScenePixel(*scene, x, y), static_cast<size_t>(n));
}

// What fills a block's strips.
struct Strips {
  const ImagePlane* sceneA;
  const ImagePlane* sceneB;
  uint32_t colourA;  // stands in for a missing scene A
  uint32_t colourB;  // stands in for a missing scene B
  int32_t n;         // bytes per texel
  int32_t sceneWidth, sceneHeight, rowStep;
};

// Texels a row of a top or bottom strip of M holds: those filled, and at least as many as
// the strip is wide, so that every texel a sample reads lies in the row.
size_t AcrossTexels(const Strips& s, int32_t M) {
  const int32_t last = M > 0 ? M : 0;
  const int32_t filled = last + 1 < s.sceneWidth ? last + 1 : s.sceneWidth;
  const int32_t wide = M > 1 ? M : 1;
  return static_cast<size_t>(filled > wide ? filled : wide);
}

// Stored rows of a left or right strip of N, the same way.
size_t DownRows(const Strips& s, int32_t N) {
  const int32_t last = N > 0 ? N : 0;
  const int32_t filled =
      last / s.rowStep + 1 < s.sceneHeight ? last / s.rowStep + 1 : s.sceneHeight;
  const int32_t tall = ((N > 1 ? N : 1) + s.rowStep - 1) / s.rowStep;
  return static_cast<size_t>(filled > tall ? filled : tall);
}

// Top or bottom strip in `buffer` (2 * AcrossTexels texels): row 0 walks scene B leftwards
// from the back edge's start, row 1 scene A rightwards from the front edge's start. A strip
// of no texels would sample nothing; it keeps its one filled texel.
ImagePlane AcrossStrip(const Strips& s, uint8_t* buffer, int32_t M, int32_t bu, int32_t bv,
                       int32_t fu, int32_t fv) {
  const int32_t last = M > 0 ? M : 0;
  const int32_t stride = static_cast<int32_t>(AcrossTexels(s, M)) * s.n;
  for (int32_t e = 0; e <= last && e < s.sceneWidth; ++e) {
    CopyTexel(buffer + e * s.n, s.n, s.sceneB, bu - e, bv, s.colourB);
    CopyTexel(buffer + stride + e * s.n, s.n, s.sceneA, fu + e, fv, s.colourA);
  }
  return ImagePlane{buffer, s.n, stride, M > 1 ? M : 1, 2, 1};
}

// Left or right strip in `buffer` (DownRows rows of two texels): column 0 from scene B down
// the back edge, column 1 from scene A down the front edge, one stored row per row step.
ImagePlane DownStrip(const Strips& s, uint8_t* buffer, int32_t N, int32_t bu, int32_t bv,
                     int32_t fu, int32_t fv) {
  const int32_t last = N > 0 ? N : 0;
  const int32_t r = s.rowStep;
  for (int32_t e = 0; e <= last && e / r < s.sceneHeight; e += r) {
    uint8_t* row = buffer + (e / r) * 2 * s.n;
    CopyTexel(row, s.n, s.sceneB, bu, bv + e, s.colourB);
    CopyTexel(row + s.n, s.n, s.sceneA, fu, fv + e, s.colourA);
  }
  return ImagePlane{buffer, s.n, 2 * s.n, 2, N > 1 ? N : 1, r};
}

}  // namespace

Point3 CuboidsEye(const CuboidsFrame& f) {
  return Point3{static_cast<float>(f.width / 2), static_cast<float>(f.sceneHeight / 2),
                static_cast<float>(f.distance)};
}

bool PrepareCuboidSides(const Cuboid& cuboid, const Point3& eye, CuboidSides* sides) {
  *sides = CuboidSides{};
  // Back corners: the front corners moved by the depth along the face's back normal; u is
  // mirrored within each row so the back face reads the right way round once turned.
  const RasterVertex* q = cuboid.corner;
  const Point3 away{-cuboid.facing.x, -cuboid.facing.y, -cuboid.facing.z};
  const Point3 c = Cross(Subtract(PositionOf(q[1]), PositionOf(q[0])),
                         Subtract(PositionOf(q[3]), PositionOf(q[0])));
  const Point3 nb = (c.x == 0 && c.y == 0 && c.z == 0) ? away : Normalize(c);
  static const int kMirror[4] = {1, 0, 3, 2};
  RasterVertex* bq = sides->back;
  for (int j = 0; j < 4; ++j) {
    bq[j] = RasterVertex{F(q[j].x + double{nb.x} * cuboid.depth),
                         F(q[j].y + double{nb.y} * cuboid.depth),
                         F(q[j].z + double{nb.z} * cuboid.depth),
                         q[kMirror[j]].u,
                         q[j].v,
                         0};
  }

  const FaceLook& front = cuboid.frontLook;
  const FaceLook& back = cuboid.backLook;
  const ImagePlane* T = front.texture != nullptr ? front.texture : back.texture;
  if (T == nullptr) {  // flat sides: nothing to cut
    sides->ready = true;
    return true;
  }
  const Strips s{front.texture,    back.texture, front.colour, back.colour,
                 T->bytesPerPixel, T->width,     T->height,    EffectiveRowStep(*T)};
  auto tr = [](float v) { return TruncToInt(v); };
  // The extent of each side's strip (texels across, or scene rows down).
  const int32_t top = TruncToInt(double{q[1].u} - q[0].u);
  const int32_t bottom = TruncToInt(double{q[3].u} - q[2].u);
  const int32_t left = TruncToInt(double{bq[2].v} - bq[0].v);
  const int32_t right = TruncToInt(double{bq[3].v} - bq[1].v);
  const bool seen[4] = {FaceVisible(q[0], bq[0], bq[1], eye), FaceVisible(bq[3], bq[2], q[2], eye),
                        FaceVisible(q[2], bq[2], bq[0], eye), FaceVisible(bq[1], bq[3], q[3], eye)};
  const size_t texel = static_cast<size_t>(s.n);
  const size_t bytes[4] = {seen[0] ? 2 * AcrossTexels(s, top) * texel : 0,
                           seen[1] ? 2 * AcrossTexels(s, bottom) * texel : 0,
                           seen[2] ? 2 * DownRows(s, left) * texel : 0,
                           seen[3] ? 2 * DownRows(s, right) * texel : 0};
  // Never empty, so that a strip always has a buffer to point at.
  const size_t total = bytes[0] + bytes[1] + bytes[2] + bytes[3] + 1;
  sides->memory = static_cast<uint8_t*>(std::calloc(total, 1));
  if (sides->memory == nullptr) return false;
  uint8_t* at = sides->memory;
  if (seen[0])
    sides->top = AcrossStrip(s, at, top, tr(bq[0].u), tr(bq[0].v), tr(q[0].u), tr(q[0].v));
  at += bytes[0];
  if (seen[1])
    sides->bottom = AcrossStrip(s, at, bottom, tr(bq[2].u), tr(bq[2].v), tr(q[2].u), tr(q[2].v));
  at += bytes[1];
  if (seen[2])
    sides->left = DownStrip(s, at, left, tr(bq[0].u), tr(bq[0].v), tr(q[0].u), tr(q[0].v));
  at += bytes[2];
  if (seen[3])
    sides->right = DownStrip(s, at, right, tr(bq[1].u), tr(bq[1].v), tr(q[1].u), tr(q[1].v));
  sides->ready = true;
  return true;
}

void ReleaseCuboidSides(CuboidSides* sides) {
  std::free(sides->memory);
  *sides = CuboidSides{};
}

void DrawCuboid(ImagePlane* out, const CameraSetup* camera, const Cuboid& cuboid,
                const CuboidSides& sides, const Point3& eye) {
  if (!sides.ready) return;
  const RasterVertex* q = cuboid.corner;
  const RasterVertex* bq = sides.back;
  const FaceLook& front = cuboid.frontLook;
  const FaceLook& back = cuboid.backLook;
  {
    const RasterVertex t1[3] = {q[0], q[1], q[3]}, t2[3] = {q[3], q[2], q[0]};
    DrawFace(out, camera, eye, t1, t2, front);
  }
  {
    const RasterVertex t1[3] = {bq[1], bq[0], bq[2]}, t2[3] = {bq[2], bq[3], bq[1]};
    DrawFace(out, camera, eye, t1, t2, back);
  }

  const bool flatSides = front.texture == nullptr && back.texture == nullptr;
  const FaceLook side{front.colour, front.impact, front.gloss, nullptr};
  // The look of a side: its strip, or a flat colour when the block has no texture.
  auto sideLook = [&](const ImagePlane& strip, uint32_t flatColour) {
    FaceLook look = side;
    if (flatSides) {
      look.colour = flatColour;
    } else {
      look.texture = &strip;
    }
    return look;
  };

  // Top (q0-q1 edge).
  if (FaceVisible(q[0], bq[0], bq[1], eye)) {
    const float m = static_cast<float>(TruncToInt(double{q[1].u} - q[0].u));
    const RasterVertex t1[3] = {WithTexture({&q[0], 0, 1}), WithTexture({&bq[0], 0, 0}),
                                WithTexture({&bq[1], m, 0})};
    const RasterVertex t2[3] = {WithTexture({&bq[1], m, 0}), WithTexture({&q[1], m, 1}),
                                WithTexture({&q[0], 0, 1})};
    DrawFace(out, camera, eye, t1, t2, sideLook(sides.top, front.colour));
  }
  // Bottom (q2-q3 edge).
  if (FaceVisible(bq[3], bq[2], q[2], eye)) {
    const float m = static_cast<float>(TruncToInt(double{q[3].u} - q[2].u));
    const RasterVertex t1[3] = {WithTexture({&bq[3], m, 0}), WithTexture({&bq[2], 0, 0}),
                                WithTexture({&q[2], 0, 1})};
    const RasterVertex t2[3] = {WithTexture({&q[2], 0, 1}), WithTexture({&q[3], m, 1}),
                                WithTexture({&bq[3], m, 0})};
    DrawFace(out, camera, eye, t1, t2, sideLook(sides.bottom, back.colour));
  }
  // Left (q0-q2 edge).
  if (FaceVisible(q[2], bq[2], bq[0], eye)) {
    const float nn = static_cast<float>(TruncToInt(double{bq[2].v} - bq[0].v));
    const RasterVertex t1[3] = {WithTexture({&q[2], 1, nn}), WithTexture({&bq[2], 0, nn}),
                                WithTexture({&bq[0], 0, 0})};
    const RasterVertex t2[3] = {WithTexture({&bq[0], 0, 0}), WithTexture({&q[0], 1, 0}),
                                WithTexture({&q[2], 1, nn})};
    DrawFace(out, camera, eye, t1, t2, sideLook(sides.left, front.colour));
  }
  // Right (q1-q3 edge).
  if (FaceVisible(bq[1], bq[3], q[3], eye)) {
    const float nn = static_cast<float>(TruncToInt(double{bq[3].v} - bq[1].v));
    const RasterVertex t1[3] = {WithTexture({&bq[1], 0, 0}), WithTexture({&bq[3], 0, nn}),
                                WithTexture({&q[3], 1, nn})};
    const RasterVertex t2[3] = {WithTexture({&q[3], 1, nn}), WithTexture({&q[1], 1, 0}),
                                WithTexture({&bq[1], 0, 0})};
    DrawFace(out, camera, eye, t1, t2, sideLook(sides.right, back.colour));
  }
}

}  // namespace zk
