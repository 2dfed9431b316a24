#include "bubble_geometry.h"

#include <cmath>

namespace zk {
namespace {

constexpr float kRoundUntil = 0.333f;      // above this t the bubble is a circle
constexpr float kStretchRate = 3.003003f;  // 1 / kRoundUntil: stretch reaches 1 at t = 0

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

int32_t TruncatedLength(int64_t dx, int64_t dy) {
  return static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

}  // namespace

BubbleShape MakeBubbleShape(int32_t width, int32_t lines, double t) {
  BubbleShape s;
  s.width = width;
  s.lines = lines;
  s.halfWidth = width / 2;
  s.halfLines = lines / 2;
  s.radius = s.halfWidth < s.halfLines ? s.halfWidth : s.halfLines;
  s.size = 1.0 - t;
  s.stretch = t <= kRoundUntil ? 1.0 - static_cast<double>(kStretchRate) * t : 0.0;
  return s;
}

RayExit ExitPoint(const BubbleShape& s, int32_t dx, int32_t dy) {
  // A horizontal ray (the centre line, centre pixel included) leaves through a side.
  if (dy == 0) return RayExit{dx >= 0 ? s.width - 1 : 0, s.halfLines};
  RayExit e{0, -1};
  if (dx != 0) {
    const double side = dx > 0 ? s.halfWidth : -s.halfWidth;
    e.y = static_cast<int32_t>(static_cast<double>(dy) * side / dx) + s.halfLines;
  }
  const double edge = dy > 0 ? s.halfLines : -s.halfLines;
  e.x = static_cast<int32_t>(static_cast<double>(dx) * edge / dy) + s.halfWidth;
  if (e.y >= 0 && e.y < s.lines) {
    e.x = dx >= 0 ? s.width - 1 : 0;
  } else if (e.x >= 0 && e.x < s.width) {
    e.y = dy >= 0 ? s.lines - 1 : 0;
  }
  return e;
}

BubbleSample SampleBubble(const BubbleShape& s, int32_t x, int32_t y) {
  const int32_t dx = x - s.halfWidth;
  const int32_t dy = y - s.halfLines;
  const RayExit e = ExitPoint(s, dx, dy);
  const int64_t reach = TruncatedLength(s.halfLines - e.y, s.halfWidth - e.x);  // E
  // q x (R + (E - R) x k): at full size (q = k = 1) this is E exactly, so the inside
  // mapping is then the identity; the form needs no division by E, which may be 0.
  const int64_t edge =
      static_cast<int32_t>(s.size * (s.radius + static_cast<double>(reach - s.radius) * s.stretch));
  const int64_t distance = TruncatedLength(dx, dy);
  BubbleSample out;
  out.inside = distance <= edge;
  if (out.inside) {
    // Squeeze the whole inside scene into the bubble along the ray.
    if (edge == 0) {
      out.x = s.halfWidth;
      out.y = s.halfLines;
    } else {
      out.x = static_cast<int32_t>(dx * reach / edge + s.halfWidth);
      out.y = static_cast<int32_t>(dy * reach / edge + s.halfLines);
    }
  } else if (reach == edge) {
    out.x = e.x;
    out.y = e.y;
  } else {
    // Squeeze the outside scene into the ring between the bubble and the border.
    out.x = static_cast<int32_t>(e.x + (x - e.x) * reach / (reach - edge));
    out.y = static_cast<int32_t>(e.y + (y - e.y) * reach / (reach - edge));
  }
  out.x = Clamp(out.x, 0, s.width - 1);
  out.y = Clamp(out.y, 0, s.lines - 1);
  return out;
}

}  // namespace zk
