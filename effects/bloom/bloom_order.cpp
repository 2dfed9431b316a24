#include "bloom_order.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "row_distances.h"
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

// The argument of the angle order: the centre line's height over the column distance.
double AngleArgument(const BloomGeometry& g, int32_t x, int32_t y) {
  const int32_t dx = g.width / 2 - x;
  const double q = dx != 0 ? static_cast<double>(dx) : kCentreColumnDistance;
  return static_cast<double>(g.lines / 2 - y) / q;
}

// The angle of the pixel seen from the centre, -90 to 90 degrees, truncated.
int32_t AngleFromCentre(const BloomGeometry& g, int32_t x, int32_t y) {
  return ArctanDegreesDirect(kDegreesPerRadian, AngleArgument(g, x, y));
}

// The angle orders from whole degrees: a = angle, turned by 90 right of the centre column
// (dx >= 0) and by 270 left of it.
int32_t AngleOrder(const BloomGeometry& g, int32_t x, int32_t a) {
  const int32_t turned = g.width / 2 - x >= 0 ? a + 90 : a + 270;
  return g.direction == 11 ? g.extent - turned : turned;
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

namespace {

// The order of one pixel along the given direction; the row loops below instantiate it
// with a constant direction so that the choice is made once a row, not once a pixel.
inline int32_t OrderAlong(int32_t direction, const BloomGeometry& g, int32_t x, int32_t y) {
  const int32_t d = g.extent;
  switch (direction) {
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
      return direction == 5 ? static_cast<int32_t>(d - r) : static_cast<int32_t>(r);
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
    case 12:
      return AngleOrder(g, x, AngleFromCentre(g, x, y));
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

template <int32_t Direction>
void OrderRowAlong(const BloomGeometry& g, int32_t y, int32_t* orders) {
  for (int32_t x = 0; x < g.width; ++x) orders[x] = OrderAlong(Direction, g, x, y);
}

using OrderRowFn = void (*)(const BloomGeometry&, int32_t, int32_t*);

template <int32_t... D>
constexpr std::array<OrderRowFn, sizeof...(D)> OrderRowTable(std::integer_sequence<int32_t, D...>) {
  return {OrderRowAlong<D>...};
}

constexpr std::array<OrderRowFn, 21> kOrderRows =
    OrderRowTable(std::make_integer_sequence<int32_t, 21>());

}  // namespace

int32_t BloomOrder(const BloomGeometry& g, int32_t x, int32_t y) {
  return OrderAlong(g.direction, g, x, y);
}

bool BloomOrderIgnoresLine(const BloomGeometry& g) {
  switch (g.direction) {
    case 0:
    case 1:
    case 2:
    case 7:
    case 8:
      return true;
    default:
      return false;
  }
}

void MakeBloomRowOrders(const BloomGeometry& g, BloomRowOrders* r) {
  r->g = g;
  if (g.direction == 11 || g.direction == 12) MakeArctanDegreeSteps(kDegreesPerRadian, &r->angles);
}

void BloomOrderRow(const BloomRowOrders& r, int32_t y, int32_t* orders) {
  const BloomGeometry& g = r.g;
  if (g.width <= 0) return;
  if (g.extent == 0) {
    for (int32_t x = 0; x < g.width; ++x) orders[x] = 0;
    return;
  }
  if (g.direction == 11 || g.direction == 12) {
    // Columns dx and -dx have arguments of opposite sign, exactly (a quotient's magnitude
    // does not depend on the signs), and so angles of opposite sign: the right half of the
    // row (dx >= 0, x <= W/2) is worked out, the left half mirrored from it.
    const int32_t centre = g.width / 2;
    int32_t hint = 0;
    for (int32_t x = centre; x >= 0; --x) {
      orders[x] = ArctanDegrees(r.angles, AngleArgument(g, x, y), &hint);
    }
    for (int32_t x = centre + 1; x < g.width; ++x) {
      const int32_t mirror = 2 * centre - x;
      orders[x] =
          mirror >= 0 ? -orders[mirror] : ArctanDegrees(r.angles, AngleArgument(g, x, y), &hint);
    }
    for (int32_t x = 0; x < g.width; ++x) orders[x] = AngleOrder(g, x, orders[x]);
  } else if (g.direction == 6) {
    // The distance from the centre itself, as the ring effects take it.
    RowDistances(g.width / 2, y - g.lines / 2, g.width, orders);
  } else {
    kOrderRows[static_cast<size_t>(g.direction)](g, y, orders);
  }
  for (int32_t x = 0; x < g.width; ++x) {
    if (orders[x] < 0) orders[x] = 0;
  }
}

}  // namespace zk
