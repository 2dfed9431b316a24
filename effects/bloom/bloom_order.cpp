#include "bloom_order.h"

#include <cmath>
#include <cstdlib>

#include "zmath.h"

namespace zk {
namespace {

// Degrees per radian as the angle orders have always used it (slightly above 180 / pi, so
// the steepest angles reach 90).
constexpr double kDegreesPerRadian = 57.29582790879778;
// Stands in for a zero column distance so the centre column still gets an angle.
constexpr double kCentreColumnDistance = 0.00001;

// The square root is taken of the exact integer sum of squares.
double DiagonalLength(int32_t w, int32_t hs) {
  const int64_t sum = static_cast<int64_t>(w) * w + static_cast<int64_t>(hs) * hs;
  return std::sqrt(static_cast<double>(sum));
}

// Projections onto the two diagonals, in 64 bits so that large frames cannot overflow.
int64_t RisingDiagonal(const BloomGeometry& g, int32_t x, int32_t y) {
  return static_cast<int64_t>(y) * g.lines + static_cast<int64_t>(x) * g.width;
}
int64_t FallingDiagonal(const BloomGeometry& g, int32_t x, int32_t y) {
  return static_cast<int64_t>(g.lines) * (g.lines - y) + static_cast<int64_t>(x) * g.width;
}

// Distance from the middle of the diagonal band, halved: 0 in the middle, D/2 at the ends.
int32_t FromDiagonalMiddle(int32_t d, int64_t projection) {
  return static_cast<int32_t>(std::llabs(d - projection / (2 * static_cast<int64_t>(d))) / 2);
}

// The angle of the pixel seen from the centre, -90 to 90 degrees, truncated.
int32_t AngleFromCentre(const BloomGeometry& g, int32_t x, int32_t y) {
  const int32_t dx = g.width / 2 - x;
  const double q = dx != 0 ? static_cast<double>(dx) : kCentreColumnDistance;
  return static_cast<int32_t>(Atan(static_cast<double>(g.lines / 2 - y) / q) * kDegreesPerRadian);
}

}  // namespace

BloomGeometry MakeBloomGeometry(int32_t direction, int32_t width, int32_t lines) {
  BloomGeometry g{};
  g.direction = (direction >= 0 && direction <= 20) ? direction : 0;
  g.width = width;
  g.lines = lines;
  switch (g.direction) {
    case 3:
    case 4:
      g.extent = lines;
      break;
    case 5:
    case 6:
      g.extent = static_cast<int32_t>(DiagonalLength(width / 2, lines / 2));
      break;
    case 7:
    case 8:
      g.extent = width / 2;
      break;
    case 9:
    case 10:
      g.extent = lines / 2;
      break;
    case 11:
    case 12:
      g.extent = 360;
      break;
    case 13:
    case 14:
    case 15:
    case 16:
      g.extent = static_cast<int32_t>(DiagonalLength(width, lines));
      break;
    case 17:
    case 18:
    case 19:
    case 20:
      g.extent = static_cast<int32_t>(DiagonalLength(width, lines) * 0.5);
      break;
    default:
      g.extent = width;
      break;  // 0, 1, 2
  }
  return g;
}

int32_t BloomOrder(const BloomGeometry& g, int32_t x, int32_t y) {
  const int32_t d = g.extent;
  switch (g.direction) {
    case 2:
      return d - x;
    case 3:
      return d - y;
    case 4:
      return y;
    case 5:
    case 6: {
      const int64_t cx = x - g.width / 2;
      const int64_t cy = y - g.lines / 2;
      const double r = std::sqrt(static_cast<double>(cx * cx + cy * cy));
      return g.direction == 5 ? static_cast<int32_t>(d - r) : static_cast<int32_t>(r);
    }
    case 7:
      return d - std::abs(d - x) / 2;
    case 8:
      return std::abs(d - x) / 2;
    case 9:
      return d - std::abs(d - y) / 2;
    case 10:
      return std::abs(d - y) / 2;
    case 11:
    case 12: {
      const int32_t a = AngleFromCentre(g, x, y);
      const int32_t turned = g.width / 2 - x >= 0 ? a + 90 : a + 270;
      return g.direction == 11 ? d - turned : turned;
    }
    case 13:
      return static_cast<int32_t>(RisingDiagonal(g, x, y) / d);
    case 14:
      return d - static_cast<int32_t>(RisingDiagonal(g, x, y) / d);
    case 15:
      return static_cast<int32_t>(FallingDiagonal(g, x, y) / d);
    case 16:
      return d - static_cast<int32_t>(FallingDiagonal(g, x, y) / d);
    case 17:
      return FromDiagonalMiddle(d, RisingDiagonal(g, x, y));
    case 18:
      return d - FromDiagonalMiddle(d, RisingDiagonal(g, x, y));
    case 19:
      return FromDiagonalMiddle(d, FallingDiagonal(g, x, y));
    case 20:
      return d - FromDiagonalMiddle(d, FallingDiagonal(g, x, y));
    default:
      return x;  // 0, 1
  }
}

}  // namespace zk
