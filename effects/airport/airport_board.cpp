#include "airport_board.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "byte_pool.h"

namespace zk {
namespace {

// Single-precision constants of the board's arithmetic, widened where they are used.
constexpr float kPercent = 0.01f;
constexpr float kPerMille = 0.001f;
constexpr float kRounding = 0.4999f;
constexpr float kOneOver45 = 1.0f / 45.0f;

int32_t Trunc(double x) { return static_cast<int32_t>(x); }

}  // namespace

bool ComputeBoardGeometry(const AirportParams& p, int32_t w, int32_t h, BoardGeometry* g) {
  if (p.tilesDown == 0 || p.tilesAcross == 0) return false;
  g->borderTop = Trunc(p.borderVertical * h * static_cast<double>(kPercent) + kRounding);
  g->borderLeft = Trunc(w * p.borderHorizontal * static_cast<double>(kPercent) + kRounding);
  g->rowGap = Trunc(h * p.gapVertical * static_cast<double>(kPerMille) + kRounding);
  g->columnGap = Trunc(w * p.gapHorizontal * static_cast<double>(kPerMille) + kRounding);
  // The tile sizes are rounded shares of what the borders and gaps leave.
  g->tileHeight = Trunc(static_cast<double>(h - 2 * g->borderTop - (p.tilesDown - 1) * g->rowGap) /
                            p.tilesDown +
                        kRounding);
  g->tileWidth =
      Trunc(static_cast<double>(w - 2 * g->borderLeft - (p.tilesAcross - 1) * g->columnGap) /
                p.tilesAcross +
            kRounding);
  g->halfHeight = g->tileHeight / 2;
  return g->tileHeight >= 1 && g->tileWidth >= 1;
}

FlipTiming ComputeFlipTiming(int32_t framesPerFlip, int32_t frameCount, int32_t frameIndex) {
  FlipTiming t;
  // A record with 0 frames per flip would divide by zero; one frame is the shortest flip.
  t.framesPerFlip = framesPerFlip < 1 ? 1 : framesPerFlip;
  if (frameCount < t.framesPerFlip) t.framesPerFlip = frameCount;
  t.step = frameIndex / t.framesPerFlip;
  t.stepCount = frameCount / t.framesPerFlip;
  t.phaseAngle = (frameIndex - t.step * t.framesPerFlip) * 180 / t.framesPerFlip;
  return t;
}

void TilePlace(const AirportParams& p, const BoardGeometry& g, int32_t index, int32_t* x,
               int32_t* y) {
  *x = g.borderLeft + (g.tileWidth + g.columnGap) * (index % p.tilesAcross);
  *y = g.borderTop + (g.tileHeight + g.rowGap) * (index / p.tilesAcross);
}

float FlapLight(int32_t angle, int32_t flapShading) {
  double l;
  if (angle > 90)
    l = 1.0 - std::abs(angle - 135) * static_cast<double>(kOneOver45);
  else
    l = -(1.0 - std::abs(angle - 45) * static_cast<double>(kOneOver45));
  return static_cast<float>(l * (flapShading * static_cast<double>(kPercent)) + 1.0);
}

bool BuildFlapTiles(const AirportParams& p, const BoardGeometry& g, const FlipTiming& t,
                    FlapTile* tiles) {
  const int32_t n = p.tilesDown * p.tilesAcross;
  const int32_t k = t.step;
  const int32_t r = t.stepCount;
  // Only the cards of the previous and the current step are shown; the others are drawn
  // all the same, since every draw moves the pool on.
  std::unique_ptr<int32_t[]> previousCards(new (std::nothrow) int32_t[n]);
  std::unique_ptr<int32_t[]> currentCards(new (std::nothrow) int32_t[n]);
  if (previousCards == nullptr || currentCards == nullptr) return false;
  BytePool pool;
  BytePoolReset(&pool);
  uint32_t j = 0;  // running draw number; only its low 8 bits salt the draw
  for (int32_t step = 0; step < r; ++step) {
    for (int32_t i = 0; i < n; ++i, ++j) {
      const int32_t card = BytePoolDraw(&pool, n, static_cast<int32_t>(j & 0xFFu));
      if (step == k - 1) previousCards[i] = card;
      if (step == k) currentCards[i] = card;
    }
  }

  for (int32_t i = 0; i < n; ++i) {
    FlapTile& tile = tiles[i];
    TilePlace(p, g, i, &tile.x, &tile.y);
    tile.finalStep = BytePoolDraw(&pool, r, i);
    tile.lowerCard = tile.upperCard = i;
    tile.lowerScene = tile.upperScene = i % 2;
    if (k > 0 && k - 1 < r) tile.lowerCard = previousCards[i];
    if (k < r) tile.upperCard = currentCards[i];
    if (k == 0) {
      tile.lowerCard = i;  // its own piece of scene A
      tile.lowerScene = 0;
    }
    if (tile.finalStep <= k) {
      tile.upperCard = i;
      tile.upperScene = 1;
      if (tile.finalStep < k) {
        tile.lowerCard = i;  // settled: its own piece of scene B
        tile.lowerScene = 1;
      }
    }
    tile.angle = t.phaseAngle;
    if (p.angleSpread > 0) {
      tile.angle += BytePoolDraw(&pool, p.angleSpread, i) - p.angleSpread / 2;
      tile.angle = tile.angle < 0 ? 0 : (tile.angle > 180 ? 180 : tile.angle);
    }
    tile.flapLight = FlapLight(tile.angle, p.flapShading);
  }
  return true;
}

}  // namespace zk
