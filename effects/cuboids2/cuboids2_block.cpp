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

// The block's strip buffers and what fills them.
struct Strips {
  const ImagePlane* sceneA;
  const ImagePlane* sceneB;
  uint32_t colourA;  // stands in for a missing scene A
  uint32_t colourB;  // stands in for a missing scene B
  int32_t n;         // bytes per texel
  int32_t sceneWidth, rowStep;
  uint8_t* across;  // buffer 1: two rows of up to sceneWidth texels
  uint8_t* down;    // buffer 2: two columns of up to sceneHeight texels
};

// Top or bottom strip: row 0 walks scene B leftwards from the back edge's start, row 1
// scene A rightwards from the front edge's start. A strip of no texels would sample
// nothing; it keeps its one filled texel.
ImagePlane AcrossStrip(const Strips& s, int32_t M, int32_t bu, int32_t bv, int32_t fu, int32_t fv) {
  const int32_t last = M > 0 ? M : 0;
  const int32_t stride = s.sceneWidth * s.n;
  for (int32_t e = 0; e <= last && e < s.sceneWidth; ++e) {
    CopyTexel(s.across + e * s.n, s.n, s.sceneB, bu - e, bv, s.colourB);
    CopyTexel(s.across + stride + e * s.n, s.n, s.sceneA, fu + e, fv, s.colourA);
  }
  return ImagePlane{s.across, s.n, stride, M > 1 ? M : 1, 2, 1};
}

// Left or right strip: column 0 from scene B down the back edge, column 1 from scene A
// down the front edge, one stored row per row step.
ImagePlane DownStrip(const Strips& s, int32_t N, int32_t bu, int32_t bv, int32_t fu, int32_t fv,
                     int32_t sceneHeight) {
  const int32_t last = N > 0 ? N : 0;
  const int32_t r = s.rowStep;
  for (int32_t e = 0; e <= last && e / r < sceneHeight; e += r) {
    uint8_t* row = s.down + (e / r) * 2 * s.n;
    CopyTexel(row, s.n, s.sceneB, bu, bv + e, s.colourB);
    CopyTexel(row + s.n, s.n, s.sceneA, fu, fv + e, s.colourA);
  }
  return ImagePlane{s.down, s.n, 2 * s.n, 2, N > 1 ? N : 1, r};
}

}  // namespace

Point3 CuboidsEye(const CuboidsFrame& f) {
  return Point3{static_cast<float>(f.width / 2), static_cast<float>(f.sceneHeight / 2),
                static_cast<float>(f.distance)};
}

void DrawCuboid(ImagePlane* out, const CameraSetup* camera, const Cuboid& cuboid,
                const Point3& eye) {
  const ImagePlane* T =
      cuboid.frontLook.texture != nullptr ? cuboid.frontLook.texture : cuboid.backLook.texture;
  const int32_t n = T != nullptr ? T->bytesPerPixel : 0;
  const size_t acrossBytes = T != nullptr ? 2 * static_cast<size_t>(T->width) * n : 1;
  const size_t downBytes = T != nullptr ? 2 * static_cast<size_t>(T->height) * n : 1;
  uint8_t* across = static_cast<uint8_t*>(std::calloc(acrossBytes > 0 ? acrossBytes : 1, 1));
  uint8_t* down = static_cast<uint8_t*>(std::calloc(downBytes > 0 ? downBytes : 1, 1));
  if (across == nullptr || down == nullptr) {
    std::free(across);
    std::free(down);
    return;
  }

  // Back corners: the front corners moved by the depth along the face's back normal; u is
  // mirrored within each row so the back face reads the right way round once turned.
  const RasterVertex* q = cuboid.corner;
  const Point3 away{-cuboid.facing.x, -cuboid.facing.y, -cuboid.facing.z};
  const Point3 c = Cross(Subtract(PositionOf(q[1]), PositionOf(q[0])),
                         Subtract(PositionOf(q[3]), PositionOf(q[0])));
  const Point3 nb = (c.x == 0 && c.y == 0 && c.z == 0) ? away : Normalize(c);
  static const int kMirror[4] = {1, 0, 3, 2};
  RasterVertex bq[4];
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
  {
    const RasterVertex t1[3] = {q[0], q[1], q[3]}, t2[3] = {q[3], q[2], q[0]};
    DrawFace(out, camera, eye, t1, t2, front);
  }
  {
    const RasterVertex t1[3] = {bq[1], bq[0], bq[2]}, t2[3] = {bq[2], bq[3], bq[1]};
    DrawFace(out, camera, eye, t1, t2, back);
  }

  Strips s{front.texture,
           back.texture,
           front.colour,
           back.colour,
           n,
           T != nullptr ? T->width : 0,
           T != nullptr ? EffectiveRowStep(*T) : 1,
           across,
           down};
  const int32_t sceneHeight = T != nullptr ? T->height : 0;
  const bool flatSides = T == nullptr;
  auto tr = [](float v) { return TruncToInt(v); };
  FaceLook side{front.colour, front.impact, front.gloss, nullptr};
  ImagePlane strip{};

  // Top (q0-q1 edge).
  if (FaceVisible(q[0], bq[0], bq[1], eye)) {
    const int32_t M = TruncToInt(double{q[1].u} - q[0].u);
    const float m = static_cast<float>(M);
    FaceLook look = side;
    if (!flatSides) {
      strip = AcrossStrip(s, M, tr(bq[0].u), tr(bq[0].v), tr(q[0].u), tr(q[0].v));
      look.texture = &strip;
    }
    const RasterVertex t1[3] = {WithTexture({&q[0], 0, 1}), WithTexture({&bq[0], 0, 0}),
                                WithTexture({&bq[1], m, 0})};
    const RasterVertex t2[3] = {WithTexture({&bq[1], m, 0}), WithTexture({&q[1], m, 1}),
                                WithTexture({&q[0], 0, 1})};
    DrawFace(out, camera, eye, t1, t2, look);
  }
  // Bottom (q2-q3 edge).
  if (FaceVisible(bq[3], bq[2], q[2], eye)) {
    const int32_t M = TruncToInt(double{q[3].u} - q[2].u);
    const float m = static_cast<float>(M);
    FaceLook look = side;
    if (flatSides) {
      look.colour = back.colour;
    } else {
      strip = AcrossStrip(s, M, tr(bq[2].u), tr(bq[2].v), tr(q[2].u), tr(q[2].v));
      look.texture = &strip;
    }
    const RasterVertex t1[3] = {WithTexture({&bq[3], m, 0}), WithTexture({&bq[2], 0, 0}),
                                WithTexture({&q[2], 0, 1})};
    const RasterVertex t2[3] = {WithTexture({&q[2], 0, 1}), WithTexture({&q[3], m, 1}),
                                WithTexture({&bq[3], m, 0})};
    DrawFace(out, camera, eye, t1, t2, look);
  }
  // Left (q0-q2 edge).
  if (FaceVisible(q[2], bq[2], bq[0], eye)) {
    const int32_t N = TruncToInt(double{bq[2].v} - bq[0].v);
    const float nn = static_cast<float>(N);
    FaceLook look = side;
    if (!flatSides) {
      strip = DownStrip(s, N, tr(bq[0].u), tr(bq[0].v), tr(q[0].u), tr(q[0].v), sceneHeight);
      look.texture = &strip;
    }
    const RasterVertex t1[3] = {WithTexture({&q[2], 1, nn}), WithTexture({&bq[2], 0, nn}),
                                WithTexture({&bq[0], 0, 0})};
    const RasterVertex t2[3] = {WithTexture({&bq[0], 0, 0}), WithTexture({&q[0], 1, 0}),
                                WithTexture({&q[2], 1, nn})};
    DrawFace(out, camera, eye, t1, t2, look);
  }
  // Right (q1-q3 edge).
  if (FaceVisible(bq[1], bq[3], q[3], eye)) {
    const int32_t N = TruncToInt(double{bq[3].v} - bq[1].v);
    const float nn = static_cast<float>(N);
    FaceLook look = side;
    if (flatSides) {
      look.colour = back.colour;
    } else {
      strip = DownStrip(s, N, tr(bq[1].u), tr(bq[1].v), tr(q[1].u), tr(q[1].v), sceneHeight);
      look.texture = &strip;
    }
    const RasterVertex t1[3] = {WithTexture({&bq[1], 0, 0}), WithTexture({&bq[3], 0, nn}),
                                WithTexture({&q[3], 1, nn})};
    const RasterVertex t2[3] = {WithTexture({&q[3], 1, nn}), WithTexture({&q[1], 1, 0}),
                                WithTexture({&bq[1], 0, 0})};
    DrawFace(out, camera, eye, t1, t2, look);
  }
  std::free(across);
  std::free(down);
}

}  // namespace zk
