// The sphere drawer in its fast form. The pixels are those of DrawMarblePlain; what makes
// them cheaper: the parts of the normal and of its dot product with the light that depend
// only on the column or only on the row are worked out once per column and once per row,
// the power of the lighting comes from plain products wherever their small error cannot
// change a byte, and inside the rim of an opaque marble the lit colour is the byte.
#include "marbles_draw.h"

#include <cmath>
#include <cstddef>

#include "marbles_disc_rows.h"
#include "marbles_lit_rows.h"
#include "marbles_power.h"
#include "marbles_shading.h"

namespace zk {
namespace {

using marbles::ByteOf;
using marbles::Direction;
using marbles::F;
using marbles::MarbleDisc;

// Columns whose per-column values are held at a time (on the stack).
constexpr int32_t kColumnBlock = 256;

struct Look {
  double marble[4];
  double light[4];
  double impact;
  int32_t gloss;
};

// The lit colour of one pixel from q, the dot product of its normal with the light.
template <int32_t kBytes>
inline void ShadePixel(const Look& s, float q, int32_t* x) {
  if (q >= 0) {
    const double base = q * s.impact;
    float v;
    if (!WholePowerAsFloat(base, s.gloss, &v)) v = F(WholePower(base, s.gloss));
    const double V = v;
    for (int32_t k = 0; k < kBytes; ++k) x[k] = ByteOf(s.marble[k] * (1 - V) + s.light[k] * V);
    return;
  }
  // The dark side: each byte falls as the power grows, so one byte at both ends of the
  // power's interval is the byte of the power itself.
  const double base = -q * s.impact;
  double lo, hi;
  if (PowerInterval(base, s.gloss, &lo, &hi)) {
    bool settled = true;
    for (int32_t k = 0; k < kBytes; ++k) {
      x[k] = ByteOf(s.marble[k] * (1 - lo));
      settled = settled && x[k] == ByteOf(s.marble[k] * (1 - hi));
    }
    if (settled) return;
  }
  const double V = WholePower(base, s.gloss);
  for (int32_t k = 0; k < kBytes; ++k) x[k] = ByteOf(s.marble[k] * (1 - V));
}

template <int32_t kBytes>
void DrawDisc(const ImagePlane& out, const MarbleDisc& disc, const Look& s, const Direction& L,
              float opacity) {
  const float R = disc.R;
  const double R2 = disc.R2;
  const bool opaque = opacity == 1.0f;
  const int32_t step = EffectiveRowStep(out);
  double dx2[kColumnBlock];
  double nxL[kColumnBlock];
  double J[kColumnBlock];  // per row
  float q[kColumnBlock];
  uint8_t pending[kColumnBlock] = {};  // pixels the lanes left to the path below
  LitLook look{};
  for (int32_t k = 0; k < 3 && k < kBytes; ++k) {
    look.marble[k] = s.marble[k];
    look.light[k] = s.light[k];
  }
  look.impact = s.impact;
  look.gloss = s.gloss;
  look.opacity = opacity;
  const LitLanes lanes = LitLanesOf(look);
  // A pixel inside the rim (J > 0) has sqrt(rho2) + 0.5 < R, so rho2 < (R - 0.5)^2 and its
  // column lies less than sqrt((R - 0.5)^2 - dy^2) from sx. The roundings on the way (of
  // dx to a float, relatively 2^-24; of rho2, the root and the sum, 2^-53; and of these
  // bounds themselves) move that by far less than the slack added here, relative and
  // absolute, so no pixel inside is left out.
  const double inner = (double{R} - 0.5) + double{R} * 0x1p-45;
  if (!(inner > 0)) return;  // no pixel lies inside the rim
  const double inner2 = inner * inner * (1 + 0x1p-40);
  const double slack = (1 + std::fabs(double{disc.sx})) * 0x1p-20;
  // Pixels with rho2 up to this take the full weight.
  const double solid = kBytes == 3 ? SolidLimit(R) : -1;
  for (int32_t first = disc.x0; first <= disc.x1; first += kColumnBlock) {
    const int32_t n = disc.x1 - first + 1 < kColumnBlock ? disc.x1 - first + 1 : kColumnBlock;
    for (int32_t i = 0; i < n; ++i) {
      const float dx = F(first + i - double{disc.sx});
      dx2[i] = double{dx} * dx;
      nxL[i] = (dx / R) * L.x;
    }
    // Every visited scene row lies on the next stored row.
    ptrdiff_t stored = disc.y0 / step - 1;
    for (int32_t y = disc.y0; y <= disc.y1; y += step) {
      ++stored;
      const float dy = F(y - double{disc.sy});
      const double dy2 = double{dy} * dy;
      // The columns whose pixels may lie inside the rim (see `inner`): those less than
      // sqrt(inner^2 - dy^2) from the centre.
      const double reach = inner2 - dy2;
      if (!(reach > 0)) continue;
      const double half = std::sqrt(reach) * (1 + 0x1p-20) + slack;
      const double from = std::floor(disc.sx - half) + 1 - first;
      const double to = std::ceil(disc.sx + half) - 1 - first;
      const int32_t i0 = from > 0 ? (from < n ? static_cast<int32_t>(from) : n) : 0;
      const int32_t i1 = to < n ? (to >= 0 ? static_cast<int32_t>(to) + 1 : 0) : n;
      const DiscRow geometry{dy2, (dy / R) * L.y, R, R2, L.z};
      uint8_t* px = out.data + stored * out.stride + kBytes * static_cast<ptrdiff_t>(first + i0);
      if constexpr (kBytes == 3) {
        DiscRowSolid(geometry, solid, dx2 + i0, nxL + i0, i1 - i0, J + i0, q + i0);
        if (LightRow3(lanes, J + i0, q + i0, i1 - i0, px, pending + i0) == 0) continue;
      } else {
        DiscRowFast(geometry, dx2 + i0, nxL + i0, i1 - i0, J + i0, q + i0);
        for (int32_t i = i0; i < i1; ++i) pending[i] = 1;
      }
      for (int32_t i = i0; i < i1; ++i, px += kBytes) {
        // Outside the sphere's disc, or lit already.
        if (!pending[i]) continue;
        pending[i] = 0;
        if (!(J[i] > 0)) continue;
        int32_t lit[kBytes];
        ShadePixel<kBytes>(s, q[i], lit);
        if (opaque && J[i] >= 1) {
          for (int32_t k = 0; k < kBytes; ++k) px[k] = static_cast<uint8_t>(lit[k]);
        } else {
          const double w = F((J[i] < 1 ? J[i] : 1) * opacity);
          for (int32_t k = 0; k < kBytes; ++k)
            px[k] = static_cast<uint8_t>(ByteOf(px[k] + (lit[k] - px[k]) * w));
        }
      }
    }
  }
}

}  // namespace

void DrawMarble(const ImagePlane* out, const MarbleLight* light, Point3 centre, float radius,
                const MarbleLook* look, float opacity, const RowRange& rows) {
  MarbleDisc disc = marbles::ProjectMarble(out, light, centre, radius, look, opacity);
  if (!disc.visible || !marbles::ClipDiscRows(&disc, EffectiveRowStep(*out), rows)) return;
  const marbles::Channels marble = marbles::ChannelsOf(look->colour);
  const marbles::Channels lightColour = marbles::ChannelsOf(light->lightColor);
  Look s{};
  for (int32_t k = 0; k < 4; ++k) {
    s.marble[k] = marble.v[k];
    s.light[k] = lightColour.v[k];
  }
  s.impact = look->impact;
  s.gloss = look->gloss;
  const Direction L = marbles::LightDirection(light->position);
  switch (out->bytesPerPixel) {
    case 1:
      DrawDisc<1>(*out, disc, s, L, opacity);
      break;
    case 2:
      DrawDisc<2>(*out, disc, s, L, opacity);
      break;
    case 3:
      DrawDisc<3>(*out, disc, s, L, opacity);
      break;
    default:
      DrawDisc<4>(*out, disc, s, L, opacity);
      break;
  }
}

}  // namespace zk
