// DrawTriangle: projection, row sections, spans, and per pixel the depth test, the
// perspective-correct bilinear texel and the flat lighting.
#include <cmath>
#include <cstdlib>
#include <utility>

#include "coverage.h"
#include "float_to_int.h"
#include "triangle_renderer.h"
#include "zmath.h"

namespace zk {
namespace {

inline float F(double v) { return static_cast<float>(v); }

// The interpolated quantities of an edge or a projected vertex.
struct Attributes {
  float x, z, u, v, w;
};

struct ProjectedVertex {
  Attributes a;
  float y;
};

// An edge walked row by row: current values and the per-row increments.
struct Edge {
  Attributes at;
  Attributes step;
};

Edge MakeEdge(const Attributes& from, const Attributes& to, int32_t rows) {
  Edge e{from, {0, 0, 0, 0, 0}};
  // A section of one row never applies its increments, so none are needed.
  if (rows != 0) {
    const double n = rows;
    e.step = Attributes{F((double{to.x} - from.x) / n), F((double{to.z} - from.z) / n),
                        F((double{to.u} - from.u) / n), F((double{to.v} - from.v) / n),
                        F((double{to.w} - from.w) / n)};
  }
  return e;
}

void AdvanceEdge(Edge* e) {
  e->at.x = F(double{e->at.x} + e->step.x);
  e->at.z = F(double{e->at.z} + e->step.z);
  e->at.u = F(double{e->at.u} + e->step.u);
  e->at.v = F(double{e->at.v} + e->step.v);
  e->at.w = F(double{e->at.w} + e->step.w);
}

// Everything a span needs that is fixed for the whole triangle.
struct TriangleContext {
  ImagePlane* out;
  const CameraSetup* camera;
  const ImagePlane* texture;  // null: flat colour
  bool covered;               // the texture needs the coverage stage
  int32_t channels;           // output bytes per pixel
  double cosine;
  float shade;  // s = (|cos| * impact) ^ gloss
  uint8_t light[4];
  uint8_t flat[4];
  // The colour bytes last computed in this call, reused for texels outside the texture.
  uint8_t last[4];
  bool haveLast;
};

void ColourBytes(uint32_t word, uint8_t bytes[4]) {
  bytes[0] = static_cast<uint8_t>((word >> 16) & 0xFF);
  bytes[1] = static_cast<uint8_t>((word >> 8) & 0xFF);
  bytes[2] = static_cast<uint8_t>(word & 0xFF);
  bytes[3] = 0;
}

uint8_t ClampByte(int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Step 4: the flat colour of an untextured triangle.
void LightFlatColour(TriangleContext* t, uint32_t colour) {
  uint8_t face[4];
  ColourBytes(colour, face);
  const double s = t->shade;
  for (int k = 0; k < 4; ++k) {
    const double value =
        t->cosine >= 0 ? t->light[k] * s + face[k] * (1.0 - s) : face[k] * (1.0 - s);
    t->flat[k] = ClampByte(TruncToInt(value));
  }
}

// One channel of a bilinear texel at byte offset o; fractions are zero for the clamped
// fallback sample.
int32_t SampleChannel(const ImagePlane& tex, int32_t o, int32_t c, bool right, bool lower, float fu,
                      float fv) {
  const uint8_t* T = tex.data;
  const int32_t bpp = tex.bytesPerPixel;
  auto rowValue = [&](int32_t at) {
    const int32_t left = T[at + c];
    if (!right) return left;
    return TruncToInt(left + (T[at + bpp + c] - left) * double{fu});
  };
  const int32_t top = rowValue(o);
  if (!lower) return top;
  const int32_t bottom = rowValue(o + tex.stride);
  return TruncToInt(top + (bottom - top) * double{fv});
}

void LightTexel(TriangleContext* t, int32_t c, int32_t val) {
  const double s = t->shade;
  const double lit = t->cosine < 0 ? val - val * s : val + (t->light[c] - val) * s;
  t->last[c] = TruncToByteBits(lit);
}

// Step 7b: the lit texel at texture coordinates (U, V) into t->last. A texel outside the
// texture keeps the colour last computed; before any, the nearest edge texel is used.
void ComputeTexel(TriangleContext* t, double U, double V) {
  const ImagePlane& tex = *t->texture;
  int32_t tu = TruncToInt(U);
  int32_t tv = TruncToInt(V);
  float fu = F(U - tu);
  float fv = F(V - tv);
  const bool inside = tu >= 0 && tu < tex.width && tv >= 0 && tv < tex.height;
  if (!inside) {
    if (t->haveLast) return;
    tu = tu < 0 ? 0 : (tu >= tex.width ? tex.width - 1 : tu);
    tv = tv < 0 ? 0 : (tv >= tex.height ? tex.height - 1 : tv);
    fu = 0.0f;
    fv = 0.0f;
  }
  const int32_t step = EffectiveRowStep(tex);
  const int32_t o = (tv / step) * tex.stride + tu * tex.bytesPerPixel;
  const bool right = inside && tu + 1 < tex.width;
  const bool lower = inside && tv + step < tex.height;
  for (int32_t c = 0; c < t->channels; ++c) {
    LightTexel(t, c, SampleChannel(tex, o, c, right, lower, fu, fv));
  }
  t->haveLast = true;
}

// Step 7d with coverage: the colour laid over the pixel below by the share alpha.
void BlendPixel(uint8_t* px, const uint8_t* colour, int32_t channels, double alpha) {
  for (int32_t c = 0; c < channels; ++c) {
    px[c] = TruncToByteBits(px[c] + (colour[c] - px[c]) * alpha);
  }
}

// Steps 6 and 7 for one row: the span from edge A to edge B.
void DrawSpan(TriangleContext* t, int32_t y, const Edge& A, const Edge& B, bool endRow) {
  const int32_t xa = TruncToInt(A.at.x);
  const int32_t xb = TruncToInt(B.at.x);
  const int32_t n = xb == xa ? 1 : std::abs(xb - xa);
  const float dz = F((double{B.at.z} - A.at.z) / n);
  const float du = F((double{B.at.u} - A.at.u) / n);
  const float dv = F((double{B.at.v} - A.at.v) / n);
  const float dw = F((double{B.at.w} - A.at.w) / n);
  if (y < 0 || y >= t->out->height) return;

  ImagePlane& out = *t->out;
  const int32_t step = xa < xb ? 1 : -1;
  const int32_t lo = xa < xb ? xa : xb;
  const int32_t hi = xa < xb ? xb : xa;
  const int32_t storedRow = y / out.rowStep;
  uint8_t* row = out.data + static_cast<intptr_t>(storedRow) * out.stride;
  float* depthRow = t->camera->depthBuffer == nullptr
                        ? nullptr
                        : t->camera->depthBuffer + static_cast<intptr_t>(storedRow) * out.width;
  const bool outline = (t->camera->outline & 1) != 0;
  double z = A.at.z, u = A.at.u, v = A.at.v, w = A.at.w;
  for (int32_t x = xa; x >= lo && x <= hi; x += step) {
    if (x >= 0 && x < out.width) {
      const bool visible = depthRow == nullptr || depthRow[x] > z + 0.01;
      uint8_t* px = row + static_cast<intptr_t>(x) * out.bytesPerPixel;
      const bool white = outline && (x == xa || x == xb || endRow);
      if (visible && !t->covered) {
        if (depthRow != nullptr) depthRow[x] = F(z);
        if (t->texture != nullptr) ComputeTexel(t, u / w, v / w);
        const uint8_t* colour = t->texture != nullptr ? t->last : t->flat;
        for (int32_t c = 0; c < t->channels; ++c) px[c] = white ? 255 : colour[c];
      } else if (visible) {
        // Coverage stage: a pixel the card does not cover stays as it is and leaves the
        // depth free for whatever lies behind it. The texel only matters for covered
        // pixels (uncovered ones never reach the output, whichever colour they leave for
        // texels outside the texture), so it is computed after the coverage.
        const double U = u / w;
        const double V = v / w;
        const double alpha = double{MaskCoverage(*t->texture, U, V)} * t->texture->opacity;
        if (alpha > 0.0) {  // NaN counts as uncovered
          if (depthRow != nullptr) depthRow[x] = F(z);
          ComputeTexel(t, U, V);
          if (white) {
            for (int32_t c = 0; c < t->channels; ++c) px[c] = 255;
          } else {
            BlendPixel(px, t->last, t->channels, alpha);
          }
        }
      }
    } else if ((step > 0) == (x >= out.width)) {
      break;  // past the image in the walking direction: nothing more to draw
    }
    z += dz;
    u += du;
    v += dv;
    w += dw;
  }
}

// Rows first..last between edges A and B; edges advance on every row, drawn or not.
void DrawSection(TriangleContext* t, int32_t first, int32_t last, Edge A, Edge B) {
  for (int32_t y = first; y <= last; ++y) {
    if (y >= t->out->height) break;  // later rows cannot be drawn
    DrawSpan(t, y, A, B, y == first || y == last);
    AdvanceEdge(&A);
    AdvanceEdge(&B);
  }
}

bool WithinRasterLimits(const ProjectedVertex& p) {
  return std::fabs(p.a.x) <= kMaxRasterCoordinate && std::fabs(p.y) <= kMaxRasterCoordinate;
}

bool UsableTexture(const ImagePlane* tex, int32_t channels) {
  return tex != nullptr && tex->data != nullptr && tex->width > 0 && tex->height > 0 &&
         tex->bytesPerPixel >= channels && tex->stride >= 0;
}

}  // namespace

void StoreFaceNormal(ShadedTriangle* triangle) {
  triangle->normal =
      TriangleNormal(PositionOf(triangle->vertex[0]), PositionOf(triangle->vertex[1]),
                     PositionOf(triangle->vertex[2]));
}

double FaceLightCosine(ShadedTriangle* triangle, const Point3& light) {
  StoreFaceNormal(triangle);
  return CosBetween(triangle->normal, light);
}

int32_t DrawTriangle(ImagePlane* output, const CameraSetup* camera, ShadedTriangle* triangle) {
  if (output == nullptr || camera == nullptr || triangle == nullptr) return 0;
  const float D = static_cast<float>(camera->distance);
  for (const RasterVertex& v : triangle->vertex) {
    if (double{D} + v.z == 0.0) return 0;
  }
  if (output->rowStep == 0) output->rowStep = 1;
  if (output->data == nullptr || output->bytesPerPixel < 1 || output->bytesPerPixel > 4 ||
      output->rowStep < 0)
    return 0;

  // Step 2: projection about the image centre.
  const double cx = output->width * 0.5;
  const double cy = output->height * 0.5;
  ProjectedVertex p[3];
  for (int i = 0; i < 3; ++i) {
    const RasterVertex& v = triangle->vertex[i];
    const double f = double{D} / (double{D} + v.z);
    p[i].a = Attributes{F((v.x - cx) * f + cx), v.z, F(v.u * f), F(v.v * f), F(f)};
    p[i].y = F((v.y - cy) * f + cy);
  }

  // Step 3: top, middle, bottom; ties keep the input order.
  int order[3] = {0, 1, 2};
  if (p[order[2]].y < p[order[1]].y) std::swap(order[1], order[2]);
  if (p[order[1]].y < p[order[0]].y) std::swap(order[0], order[1]);
  if (p[order[2]].y < p[order[1]].y) std::swap(order[1], order[2]);
  const ProjectedVertex& top = p[order[0]];
  const ProjectedVertex& mid = p[order[1]];
  const ProjectedVertex& bot = p[order[2]];

  // Step 4: lighting, once per triangle. A triangle without area has no direction; it is
  // lit like a face lying along the light.
  TriangleContext t{};
  t.out = output;
  t.camera = camera;
  t.channels = output->bytesPerPixel;
  t.cosine = FaceLightCosine(triangle, camera->light);
  if (std::isnan(t.cosine)) t.cosine = 0.0;
  t.shade = F(Pow(double{F(std::fabs(t.cosine))} * triangle->impact, triangle->gloss));
  ColourBytes(camera->lightColour, t.light);
  t.texture = UsableTexture(triangle->texture, t.channels) ? triangle->texture : nullptr;
  if (t.texture == nullptr) LightFlatColour(&t, triangle->colour);
  t.covered = t.texture != nullptr && HasCoverage(*t.texture);

  for (const ProjectedVertex& v : p) {
    if (!WithinRasterLimits(v)) return 1;  // NaN fails the test as well
  }

  // Step 5: one or two sections between the rows of the three vertices.
  const int32_t ytop = TruncToInt(top.y);
  const int32_t ymid = TruncToInt(mid.y);
  const int32_t ybot = TruncToInt(bot.y);
  if (ymid == ytop) {
    DrawSection(&t, ytop, ybot, MakeEdge(top.a, bot.a, ybot - ytop),
                MakeEdge(mid.a, bot.a, ybot - ytop));
  } else if (ybot == ymid) {
    DrawSection(&t, ytop, ybot, MakeEdge(top.a, mid.a, ybot - ytop),
                MakeEdge(top.a, bot.a, ybot - ytop));
  } else {
    const float s = F(static_cast<double>(ymid - ytop) / static_cast<double>(ybot - ytop));
    auto split = [&](float a, float b) { return F(a + (double{b} - a) * s); };
    const Attributes P{split(top.a.x, bot.a.x), split(top.a.z, bot.a.z), split(top.a.u, bot.a.u),
                       split(top.a.v, bot.a.v), split(top.a.w, bot.a.w)};
    const int32_t upper = ymid - ytop > 1 ? ymid - ytop : 1;
    const int32_t lower = ybot - ymid > 1 ? ybot - ymid : 1;
    DrawSection(&t, ytop, ymid, MakeEdge(top.a, mid.a, upper), MakeEdge(top.a, P, upper));
    DrawSection(&t, ymid, ybot, MakeEdge(mid.a, bot.a, lower), MakeEdge(P, bot.a, lower));
  }
  return 1;
}

}  // namespace zk
