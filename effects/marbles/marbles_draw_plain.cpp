// The sphere drawer as the lighting is defined, pixel by pixel: the reference the fast
// drawer (marbles_draw.cpp) is checked against byte for byte.
#include <cmath>
#include <cstddef>

#include "marbles_draw.h"
#include "marbles_power.h"
#include "marbles_shading.h"

namespace zk {
namespace {

using marbles::ByteOf;
using marbles::Channels;
using marbles::Direction;
using marbles::F;

struct Shading {
  Channels marble;
  Channels light;
  Direction toLight;
  double impact;
  int32_t gloss;
  int32_t bytes;  // per pixel
};

// The lit colour of one pixel of the sphere from its unit normal.
void ShadePixel(const Shading& s, float nx, float ny, float nz, int32_t* x) {
  const float q = F(nz * s.toLight.z + ny * s.toLight.y + nx * s.toLight.x);
  if (q >= 0) {
    const double V = F(WholePower(q * s.impact, s.gloss));
    for (int32_t k = 0; k < s.bytes; ++k) x[k] = ByteOf(s.marble.v[k] * (1 - V) + s.light.v[k] * V);
  } else {
    const double V = WholePower(-q * s.impact, s.gloss);
    for (int32_t k = 0; k < s.bytes; ++k) x[k] = ByteOf(s.marble.v[k] * (1 - V));
  }
}

}  // namespace

void DrawMarblePlain(const ImagePlane* out, const MarbleLight* light, Point3 centre, float radius,
                     const MarbleLook* look, float opacity, const RowRange& rows) {
  marbles::MarbleDisc disc = marbles::ProjectMarble(out, light, centre, radius, look, opacity);
  if (!disc.visible || !marbles::ClipDiscRows(&disc, EffectiveRowStep(*out), rows)) return;
  const float R = disc.R, R2 = disc.R2, sx = disc.sx, sy = disc.sy;
  Shading s{marbles::ChannelsOf(look->colour),
            marbles::ChannelsOf(light->lightColor),
            marbles::LightDirection(light->position),
            look->impact,
            look->gloss,
            out->bytesPerPixel};
  const int32_t step = EffectiveRowStep(*out);
  int32_t lit[4];
  for (int32_t y = disc.y0; y <= disc.y1; y += step) {
    const float dy = F(y - double{sy});
    uint8_t* row = ScenePixel(*out, 0, y);
    for (int32_t x = disc.x0; x <= disc.x1; ++x) {
      const float dx = F(x - double{sx});
      const double rho2 = double{dx} * dx + double{dy} * dy;
      const double J = R - (std::sqrt(rho2) + 0.5);
      if (!(J > 0)) continue;  // outside the sphere's disc
      const double w = F((J < 1 ? J : 1) * opacity);
      const double e = R2 - rho2;
      const double h = e >= 0 ? std::sqrt(e) : -std::sqrt(-e);
      ShadePixel(s, F(dx / R), F(dy / R), F(h / R), lit);
      uint8_t* px = row + static_cast<ptrdiff_t>(out->bytesPerPixel) * x;
      for (int32_t k = 0; k < s.bytes; ++k)
        px[k] = static_cast<uint8_t>(ByteOf(px[k] + (lit[k] - px[k]) * w));
    }
  }
}

}  // namespace zk
