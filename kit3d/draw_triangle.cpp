// DrawTriangle: projection, row sections, spans, and per pixel the depth test, the
// perspective-correct bilinear texel and the flat lighting.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "coverage.h"
#include "coverage_fast.h"
#include "float_rounding.h"
#include "float_to_int.h"
#include "kernel_choice.h"
#include "span_avx2.h"
#include "span_fast.h"
#include "texel_fast.h"
#include "triangle_renderer.h"
#include "zmath.h"

namespace zk {
namespace {

inline float F(double v) { return RoundToFloat(v); }

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
  TexelShading shading;
  TexelLighting lighting;
  uint8_t flat[4];
  // The colour bytes last computed in this call, reused for texels outside the texture.
  uint8_t last[4];
  bool haveLast;
  bool threeChannels;  // DrawSpanTextured3 applies
  // Scene rows drawn: the image's, or a band's with its halo above it.
  int32_t haloBegin, rowsBegin, rowsEnd;
  // Where stored row r goes: rowData and depthData at r - rowOrigin (the halo's own rows
  // while it is walked).
  uint8_t* rowData;
  float* depthData;
  int32_t rowOrigin;
  // In the halo: whether a texel inside the texture has been computed, after which the
  // colour carried is the one the band above has too.
  bool trackInside;
  bool insideSeen;
  bool inBand;
  bool begunAbove;  // the triangle's drawn rows begin above the band
  bool begunInHalo;
  CarryAbove above;
#if defined(__SSE2__)
  bool fastSpans;     // DrawSpanFast applies
  bool wideSpans;     // and takes the AVX2 walk
  SpanTexture* fast;  // what it needs of the texture
#endif
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
  const double s = t->shading.shade;
  for (int k = 0; k < 4; ++k) {
    const double value = t->shading.cosine >= 0 ? t->shading.light[k] * s + face[k] * (1.0 - s)
                                                : face[k] * (1.0 - s);
    t->flat[k] = ClampByte(TruncToInt(value));
  }
}

// Step 7b: the lit texel at texture coordinates (U, V) into t->last.
void ComputeTexel(TriangleContext* t, double U, double V) {
  if (t->trackInside) {
    const int32_t tu = TruncToInt(U), tv = TruncToInt(V);
    if (tu >= 0 && tu < t->texture->width && tv >= 0 && tv < t->texture->height) {
      t->insideSeen = true;
    }
  }
  LitTexel(*t->texture, t->shading, U, V, &t->haveLast, t->last);
}

// Step 7d with coverage: the colour laid over the pixel below by the share alpha.
void BlendPixel(uint8_t* px, const uint8_t* colour, int32_t channels, double alpha) {
  for (int32_t c = 0; c < channels; ++c) {
    px[c] = TruncToByteBits(px[c] + (colour[c] - px[c]) * alpha);
  }
}

// What a span from edge A to edge B walks: its ends and direction, the per-pixel steps,
// the output and depth rows.
struct Span {
  int32_t xa, xb, step, lo, hi;
  float dz, du, dv, dw;
  uint8_t* row;
  float* depthRow;
  bool outline;
};

// False when row y lies outside the image.
bool SetUpSpan(const TriangleContext* t, int32_t y, const Edge& A, const Edge& B, Span* s) {
  s->xa = TruncToInt(A.at.x);
  s->xb = TruncToInt(B.at.x);
  const int32_t n = s->xb == s->xa ? 1 : std::abs(s->xb - s->xa);
  s->dz = F((double{B.at.z} - A.at.z) / n);
  s->du = F((double{B.at.u} - A.at.u) / n);
  s->dv = F((double{B.at.v} - A.at.v) / n);
  s->dw = F((double{B.at.w} - A.at.w) / n);
  const ImagePlane& out = *t->out;
  if (y < 0 || y >= out.height) return false;
  s->step = s->xa < s->xb ? 1 : -1;
  s->lo = s->xa < s->xb ? s->xa : s->xb;
  s->hi = s->xa < s->xb ? s->xb : s->xa;
  const int32_t storedRow = y / out.rowStep - t->rowOrigin;
  s->row = t->rowData + static_cast<intptr_t>(storedRow) * out.stride;
  s->depthRow = t->depthData == nullptr
                    ? nullptr
                    : t->depthData + static_cast<intptr_t>(storedRow) * out.width;
  s->outline = (t->camera->outline & 1) != 0;
  return true;
}

// Steps 6 and 7 for one row: the span from edge A to edge B.
void DrawSpan(TriangleContext* t, int32_t y, const Edge& A, const Edge& B, bool endRow) {
  Span sp;
  if (!SetUpSpan(t, y, A, B, &sp)) return;
  const int32_t xa = sp.xa, xb = sp.xb, step = sp.step, lo = sp.lo, hi = sp.hi;
  const float dz = sp.dz, du = sp.du, dv = sp.dv, dw = sp.dw;
  uint8_t* row = sp.row;
  float* depthRow = sp.depthRow;
  const bool outline = sp.outline;
  ImagePlane& out = *t->out;
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

#if defined(__SSE2__)
// DrawSpan for a textured triangle with three channels: the same walk and the same
// operations, with u and v stepped and divided by w side by side in one register (each
// lane rounds as the scalar would), the SSE2 texel and the inlined coverage.
void DrawSpanTextured3(TriangleContext* t, int32_t y, const Edge& A, const Edge& B, bool endRow) {
  Span sp;
  if (!SetUpSpan(t, y, A, B, &sp)) return;
  const int32_t xa = sp.xa, xb = sp.xb, step = sp.step, lo = sp.lo, hi = sp.hi;
  const float dz = sp.dz, du = sp.du, dv = sp.dv, dw = sp.dw;
  uint8_t* row = sp.row;
  float* depthRow = sp.depthRow;
  const bool outline = sp.outline;
  ImagePlane& out = *t->out;
  const ImagePlane& tex = *t->texture;
  const bool covered = t->covered;
  const double opacity = tex.opacity;
  double z = A.at.z, w = A.at.w;
  __m128d uv = _mm_set_pd(A.at.v, A.at.u);
  const __m128d duv = _mm_set_pd(dv, du);
  for (int32_t x = xa; x >= lo && x <= hi; x += step) {
    if (x >= 0 && x < out.width) {
      if (depthRow == nullptr || depthRow[x] > z + 0.01) {
        uint8_t* px = row + static_cast<intptr_t>(x) * 3;
        const bool white = outline && (x == xa || x == xb || endRow);
        // x / 1 is x: cards facing the viewer flat at rest keep w at 1.
        const __m128d UV = w == 1.0 ? uv : _mm_div_pd(uv, _mm_set1_pd(w));
        if (!covered) {
          if (depthRow != nullptr) depthRow[x] = F(z);
          LitTexel3At(tex, t->lighting, UV, &t->haveLast, t->last);
          for (int32_t c = 0; c < 3; ++c) px[c] = white ? 255 : t->last[c];
        } else {
          // The coverage stage as in DrawSpan.
          const double U = _mm_cvtsd_f64(UV);
          const double V = _mm_cvtsd_f64(_mm_unpackhi_pd(UV, UV));
          const double alpha = double{MaskCoverageFast(tex, U, V)} * opacity;
          if (alpha > 0.0) {
            if (depthRow != nullptr) depthRow[x] = F(z);
            LitTexel3At(tex, t->lighting, UV, &t->haveLast, t->last);
            if (white) {
              for (int32_t c = 0; c < 3; ++c) px[c] = 255;
            } else if (alpha == 1.0) {
              // Full cover: px + (colour - px) * 1 is the colour itself.
              for (int32_t c = 0; c < 3; ++c) px[c] = t->last[c];
            } else {
              BlendPixel(px, t->last, 3, alpha);
            }
          }
        }
      }
    } else if ((step > 0) == (x >= out.width)) {
      break;
    }
    z += dz;
    uv = _mm_add_pd(uv, duv);
    w += dw;
  }
}

// The span of a textured triangle with three channels and no outline, through the fast
// walk over the pixels inside the image; the pixels before them are only stepped over.
void DrawSpanFast(TriangleContext* t, int32_t y, const Edge& A, const Edge& B) {
  Span sp;
  if (!SetUpSpan(t, y, A, B, &sp)) return;
  const int32_t width = t->out->width;
  int32_t first, count;
  if (sp.step > 0) {  // xa is the left end
    first = sp.xa < 0 ? 0 : sp.xa;
    count = (sp.hi < width - 1 ? sp.hi : width - 1) - first + 1;
  } else {  // xa is the right end
    first = sp.xa > width - 1 ? width - 1 : sp.xa;
    count = first - (sp.lo > 0 ? sp.lo : 0) + 1;
  }
  if (count <= 0) return;
  SpanWalk walk{sp.row,
                sp.depthRow,
                first,
                count,
                sp.step,
                A.at.z,
                A.at.w,
                _mm_set_pd(A.at.v, A.at.u),
                sp.dz,
                sp.dw,
                _mm_set_pd(sp.dv, sp.du)};
  for (int32_t skipped = (first - sp.xa) * sp.step; skipped > 0; --skipped) {
    walk.z += walk.dz;
    walk.uv = _mm_add_pd(walk.uv, walk.duv);
    walk.w += walk.dw;
  }
  if (t->wideSpans) {
    DrawFastSpanAvx2(*t->fast, walk, t->covered, t->last, &t->haveLast);
  } else {
    DrawFastSpanAny(*t->fast, walk, t->covered, t->last, &t->haveLast);
  }
}
#endif

void SetFastCarry(TriangleContext* t, const CarryAbove* above) {
#if defined(__SSE2__)
  if (t->fastSpans) t->fast->lighting.plain.above = above;
#else
  (void)t;
  (void)above;
#endif
}

// Leaves the halo for the band's own rows. The colour the halo leaves is the band above's
// when the triangle began inside the halo or computed a texel inside the texture there;
// otherwise the band starts without one and asks the band above if a texel needs it.
void EnterBand(TriangleContext* t) {
  t->inBand = true;
  t->trackInside = false;
  t->rowData = t->out->data;
  t->depthData = t->camera->depthBuffer;
  t->rowOrigin = 0;
  if (t->begunAbove && !t->begunInHalo && !t->insideSeen) {
    t->haveLast = false;
    t->shading.above = &t->above;
    t->lighting.plain.above = &t->above;
    SetFastCarry(t, &t->above);
  }
}

// Rows that nothing is drawn on still advance both edges, row by row, so that every row
// after them starts from the same sums. Copies in registers: the edges of a section are
// spilled around the span calls, and a band low in a tall triangle passes over most of it.
void PassEdgesOver(Edge* A, Edge* B, int32_t rows) {
  Edge a = *A, b = *B;
  for (; rows > 0; --rows) {
    AdvanceEdge(&a);
    AdvanceEdge(&b);
  }
  *A = a;
  *B = b;
}

// Rows first..last between edges A and B; edges advance on every row, drawn or not.
void DrawSection(TriangleContext* t, int32_t first, int32_t last, Edge A, Edge B) {
  int32_t y = first;
  int32_t passed = last + 1 < t->haloBegin ? last + 1 : t->haloBegin;
  if (passed > t->rowsEnd) passed = t->rowsEnd;
  if (y < passed) {
    PassEdgesOver(&A, &B, passed - y);
    y = passed;
  }
  for (; y <= last; ++y) {
    if (y >= t->rowsEnd) break;  // later rows cannot be drawn
    if (y < t->rowsBegin) {
      // The halo is walked the plain way, which follows the inside texels.
      if (y >= t->haloBegin) DrawSpan(t, y, A, B, y == first || y == last);
      AdvanceEdge(&A);
      AdvanceEdge(&B);
      continue;
    }
    if (!t->inBand) EnterBand(t);
#if defined(__SSE2__)
    if (t->fastSpans) {
      DrawSpanFast(t, y, A, B);
    } else if (t->texture != nullptr && t->threeChannels) {
      DrawSpanTextured3(t, y, A, B, y == first || y == last);
    } else {
      DrawSpan(t, y, A, B, y == first || y == last);
    }
#else
    DrawSpan(t, y, A, B, y == first || y == last);
#endif
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

namespace {

// Steps 1 to 3: the checks, the projection about the image centre and the corners from top
// to bottom (ties keep the input order) into p and order. Returns DrawTriangle's result when
// there is nothing to draw (0 for a failed check, 1 past the raster limits), else -1.
int32_t ProjectTriangle(ImagePlane* output, const CameraSetup* camera,
                        const ShadedTriangle* triangle, ProjectedVertex p[3], int order[3]) {
  const float D = static_cast<float>(camera->distance);
  for (const RasterVertex& v : triangle->vertex) {
    if (double{D} + v.z == 0.0) return 0;
  }
  if (output->rowStep == 0) output->rowStep = 1;
  if (output->data == nullptr || output->bytesPerPixel < 1 || output->bytesPerPixel > 4 ||
      output->rowStep < 0)
    return 0;
  const double cx = output->width * 0.5;
  const double cy = output->height * 0.5;
  for (int i = 0; i < 3; ++i) {
    const RasterVertex& v = triangle->vertex[i];
    const double f = double{D} / (double{D} + v.z);
    p[i].a = Attributes{F((v.x - cx) * f + cx), v.z, F(v.u * f), F(v.v * f), F(f)};
    p[i].y = F((v.y - cy) * f + cy);
  }
  order[0] = 0, order[1] = 1, order[2] = 2;
  if (p[order[2]].y < p[order[1]].y) std::swap(order[1], order[2]);
  if (p[order[1]].y < p[order[0]].y) std::swap(order[0], order[1]);
  if (p[order[2]].y < p[order[1]].y) std::swap(order[1], order[2]);
  for (int i = 0; i < 3; ++i) {
    if (!WithinRasterLimits(p[i])) return 1;  // NaN fails the test as well
  }
  return -1;
}

// DrawTriangle for the whole image (band null) or for one band, where `carry` receives
// the colour the triangle carries out of the band.
int32_t DrawTriangleRows(ImagePlane* output, const CameraSetup* camera, ShadedTriangle* triangle,
                         const TriangleBand* band, int32_t sequence, TriangleCarry* carry) {
  ProjectedVertex p[3];
  int order[3];
  const int32_t stop = ProjectTriangle(output, camera, triangle, p, order);
  if (stop >= 0) return stop;
  const ProjectedVertex& top = p[order[0]];
  const ProjectedVertex& mid = p[order[1]];
  const ProjectedVertex& bot = p[order[2]];

  // A triangle that reaches none of the rows drawn here (the image's, or a band's rows and
  // halo) is skipped before it is lit: it would draw nothing and carry nothing (the bands
  // below never ask a band the triangle does not reach), and every band still counts it.
  {
    const int32_t step = EffectiveRowStep(*output);
    int32_t begin = 0, end = output->height;
    if (band != nullptr) {
      begin = (band->firstRow - band->haloRows) * step;
      if (band->endRow * step < end) end = band->endRow * step;
    }
    if (TruncToInt(bot.y) < begin || TruncToInt(top.y) >= end) return 1;
  }

  // Step 4: lighting, once per triangle. A triangle without area has no direction; it is
  // lit like a face lying along the light.
  TriangleContext t{};
  t.out = output;
  t.camera = camera;
  t.channels = output->bytesPerPixel;
  double cosine = FaceLightCosine(triangle, camera->light);
  if (std::isnan(cosine)) cosine = 0.0;
  t.shading.cosine = cosine;
  t.shading.shade = F(Pow(double{F(std::fabs(cosine))} * triangle->impact, triangle->gloss));
  ColourBytes(camera->lightColour, t.shading.light);
  t.shading.channels = t.channels;
  t.lighting = MakeTexelLighting(t.shading);
  t.texture = UsableTexture(triangle->texture, t.channels) ? triangle->texture : nullptr;
  if (t.texture == nullptr) LightFlatColour(&t, triangle->colour);
  t.covered = t.texture != nullptr && HasCoverage(*t.texture);
  t.threeChannels = t.channels == 3;
#if defined(__SSE2__)
  // The fast walk leaves outlines, textures of other than three bytes a texel and a
  // translucent texture without a mask to the spans above.
  t.fastSpans = !PlainKernels() && t.texture != nullptr && t.threeChannels &&
                t.texture->bytesPerPixel == 3 && (camera->outline & 1) == 0 &&
                (!t.covered || t.texture->mask != nullptr);
  t.wideSpans = t.fastSpans && WideKernels();
  // Filled only when used (its coverage table is not cleared for every triangle).
  SpanTexture fast;
  if (t.fastSpans) MakeSpanTexture(*t.texture, t.lighting, t.covered, &fast);
  t.fast = &fast;
#endif

  // Step 5: one or two sections between the rows of the three vertices.
  const int32_t ytop = TruncToInt(top.y);
  const int32_t ymid = TruncToInt(mid.y);
  const int32_t ybot = TruncToInt(bot.y);
  t.haloBegin = t.rowsBegin = 0;
  t.rowsEnd = output->height;
  t.rowData = output->data;
  t.depthData = camera->depthBuffer;
  t.inBand = true;
  if (band != nullptr) {
    const int32_t step = EffectiveRowStep(*output);
    t.rowsBegin = band->firstRow * step;
    t.haloBegin = (band->firstRow - band->haloRows) * step;
    if (band->endRow * step < t.rowsEnd) t.rowsEnd = band->endRow * step;
    t.inBand = false;
    t.rowData = band->haloPixels;
    t.depthData = camera->depthBuffer != nullptr ? band->haloDepth : nullptr;
    t.rowOrigin = band->firstRow - band->haloRows;
    t.trackInside = true;
    const int32_t drawnTop = ytop > 0 ? ytop : 0;
    t.begunAbove = drawnTop < t.rowsBegin && ybot >= t.rowsBegin && t.rowsBegin < t.rowsEnd;
    t.begunInHalo = drawnTop >= t.haloBegin;
    t.above = CarryAbove{band->handoff, band->index - 1, sequence};
  }
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
  if (carry != nullptr) {
    for (int k = 0; k < 4; ++k) carry->colour[k] = t.last[k];
    carry->have = t.haveLast;
    carry->forward = t.begunAbove && !t.haveLast;
  }
  return 1;
}

// The census of a band of no rows: the pixels of every stored row the triangle reaches
// inside the image, from its projected corners (an estimate of the work: the span walk's
// own rounding is not followed).
int32_t TallyTriangleRows(ImagePlane* output, const CameraSetup* camera,
                          const ShadedTriangle* triangle, int64_t* rowWork) {
  ProjectedVertex p[3];
  int order[3];
  const int32_t stop = ProjectTriangle(output, camera, triangle, p, order);
  if (stop >= 0) return stop;
  const double xt = p[order[0]].a.x, xm = p[order[1]].a.x, xb = p[order[2]].a.x;
  const double yt = p[order[0]].y, ym = p[order[1]].y, yb = p[order[2]].y;
  // Where the edge from (x0, y0) to (x1, y1) crosses the row.
  auto along = [](double row, double x0, double y0, double x1, double y1) {
    return y1 > y0 ? x0 + (x1 - x0) * ((row - y0) / (y1 - y0)) : x0;
  };
  const int32_t step = EffectiveRowStep(*output);
  const int32_t first = std::max(TruncToInt(yt), 0);
  const int32_t last = std::min(TruncToInt(yb), output->height - 1);
  for (int32_t row = first; row <= last; ++row) {
    // The long edge and the edge of this half.
    const double a = along(row, xt, yt, xb, yb);
    const double b = row < ym ? along(row, xt, yt, xm, ym) : along(row, xm, ym, xb, yb);
    const double left = std::max(std::min(a, b), 0.0);
    const double right = std::min(std::max(a, b), output->width - 1.0);
    if (right >= left) rowWork[row / step] += static_cast<int64_t>(right - left) + 1;
  }
  return 1;
}

}  // namespace

int32_t DrawTriangle(ImagePlane* output, const CameraSetup* camera, ShadedTriangle* triangle) {
  if (output == nullptr || camera == nullptr || triangle == nullptr) return 0;
  TriangleBand* band = camera->band;
  if (band == nullptr) return DrawTriangleRows(output, camera, triangle, nullptr, 0, nullptr);
  if (band->rowWork != nullptr) return TallyTriangleRows(output, camera, triangle, band->rowWork);
  // Every band counts the same triangles, so the count names a triangle across bands.
  const int32_t sequence = band->next++;
  TriangleCarry carry{};
  const int32_t drawn = DrawTriangleRows(output, camera, triangle, band, sequence, &carry);
  PublishCarry(band->handoff, band->index, sequence, carry);
  return drawn;
}

}  // namespace zk
