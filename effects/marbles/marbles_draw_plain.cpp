#include "marbles_draw.h"

#include <cmath>
#include <cstddef>

#include "marbles_power.h"
#include "saturating_trunc.h"

namespace zk {
namespace {

inline float F(double v) { return static_cast<float>(v); }

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
Direction LightDirection(const Point3& p) {
  const double length = std::sqrt(double{p.z} * p.z + double{p.y} * p.y + double{p.x} * p.x);
  if (!(length > 0) || !std::isfinite(length)) return Direction{0, 0, 0};
  return Direction{p.x / length, p.y / length, p.z / length};
}

// Bytes in memory order (blue, green, red, then a fourth channel that carries nothing).
struct Channels {
  double v[4];
};
Channels ChannelsOf(uint32_t colour) {
  return Channels{{static_cast<double>((colour >> 16) & 0xFF),
                   static_cast<double>((colour >> 8) & 0xFF), static_cast<double>(colour & 0xFF),
                   0.0}};
}

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

void DrawMarble(const ImagePlane* out, const MarbleLight* light, Point3 centre, float radius,
                const MarbleLook* look, float opacity) {
  if (out == nullptr || light == nullptr || look == nullptr || out->data == nullptr) return;
  const double D = static_cast<float>(light->distance);
  const double d = D + centre.z;
  if (!(d > 0)) return;
  if (out->bytesPerPixel < 1 || out->bytesPerPixel > 4) return;
  if (opacity == 0 || std::isnan(opacity)) return;
  const int32_t W = out->width;
  const int32_t H = out->height;
  if (W <= 0 || H <= 0) return;

  const double f = D / d;
  const double cx = W * 0.5;
  const double cy = H * 0.5;
  const float R = F((radius + 0.5) * f);
  const float R2 = F(double{R} * R);
  const float sx = F((centre.x - cx) * f + cx);
  const float sy = F((centre.y - cy) * f + cy);
  const int32_t y0 = Clamp(SaturatingTrunc(double{sy} - R - 0.5), 0, H - 1);
  const int32_t y1 = Clamp(SaturatingTrunc(double{sy} + R + 0.5), 0, H - 1);
  const int32_t x0 = Clamp(SaturatingTrunc(double{sx} - R - 0.5), 0, W - 1);
  const int32_t x1 = Clamp(SaturatingTrunc(double{sx} + R + 0.5), 0, W - 1);
  if (x1 == x0 || y1 == y0) return;

  Shading s{ChannelsOf(look->colour),
            ChannelsOf(light->lightColor),
            LightDirection(light->position),
            look->impact,
            look->gloss,
            out->bytesPerPixel};
  const int32_t step = EffectiveRowStep(*out);
  int32_t lit[4];
  for (int32_t y = y0; y <= y1; y += step) {
    const float dy = F(y - double{sy});
    uint8_t* row = ScenePixel(*out, 0, y);
    for (int32_t x = x0; x <= x1; ++x) {
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
