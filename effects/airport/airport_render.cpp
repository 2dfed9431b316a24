#include "airport_render.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "airport_board.h"
#include "airport_params.h"
#include "pixel_rows.h"
#include "slice_runner.h"
#include "zmath.h"

namespace zk {
namespace {

constexpr float kRounding = 0.4999f;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Lines count from the top of the tile board; line t of a tile whose top is y lies in
// rectangle row H - y - t, so the board sits one row higher than the picture's own rows.
int32_t RowOfLine(int32_t height, int32_t line) { return height - line; }

bool Inside(int64_t value, int32_t limit) { return value >= 0 && value < limit; }

const uint8_t* SceneRow0(const FrameView& v, int32_t scene) {
  return scene != 0 ? v.sceneB : v.sceneA;
}

// Each half of a tile shows a piece of a card: the area of tile q of one scene.
void DrawStaticHalves(const FrameView& v, const AirportParams& p, const BoardGeometry& g,
                      const FlapTile& tile) {
  for (int32_t t = 0; t < g.tileHeight; ++t) {
    const bool upper = t < g.halfHeight;
    int32_t xq, yq;
    TilePlace(p, g, upper ? tile.upperCard : tile.lowerCard, &xq, &yq);
    const uint8_t* scene = SceneRow0(v, upper ? tile.upperScene : tile.lowerScene);
    const int32_t outRow = RowOfLine(v.height, tile.y + t);
    const int32_t srcRow = RowOfLine(v.height, yq + t);
    if (!Inside(outRow, v.height) || !Inside(srcRow, v.height)) continue;
    uint8_t* out = OutRow(v, outRow);
    const uint8_t* src = scene + static_cast<size_t>(srcRow) * v.stride;
    for (int32_t j = 0; j < g.tileWidth; ++j) {
      if (!Inside(tile.x + j, v.width) || !Inside(xq + j, v.width)) continue;
      std::memcpy(out + 3 * (tile.x + j), src + 3 * (xq + j), 3);
    }
  }
}

// The moving flap in perspective: row by row from the hinge to its far edge, each row a
// stretched line of the card's half, darkened or brightened by the flap's light.
void DrawFlap(const FrameView& v, const AirportParams& p, const BoardGeometry& g,
              const FlapTile& tile) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  const int32_t hh = g.halfHeight;
  const double radians = tile.angle * kRadiansPerDegree;
  const int64_t sn = static_cast<int64_t>(hh * Sin(radians));
  const int64_t cs = static_cast<int64_t>(hh * Cos(radians));
  const int64_t distance = p.viewerDistance;
  const int64_t depth = distance - sn;
  // A viewer at or behind the flap sees no projection of it.
  if (depth <= 0) return;
  const int64_t hinge = tile.y + hh;
  const int64_t edge = ((hinge - cs - h / 2) * distance) / depth + h / 2;
  const int64_t farLeft = w / 2 + ((tile.x - w / 2) * distance) / depth;
  const int64_t farRight = w / 2 + ((tile.x + g.tileWidth - w / 2) * distance) / depth;

  const bool oldCard = edge < hinge;
  int32_t xq, yq;
  TilePlace(p, g, oldCard ? tile.lowerCard : tile.upperCard, &xq, &yq);
  const uint8_t* scene = SceneRow0(v, oldCard ? tile.lowerScene : tile.upperScene);
  const int32_t sourceOffset = oldCard ? 0 : hh;
  const int32_t shade = static_cast<int32_t>((static_cast<double>(tile.flapLight) - 1.0) * -255.0);

  const int64_t dy = hinge - edge;
  const int64_t dir = dy >= 0 ? 1 : -1;
  // Only the rows m with 0 <= H - edge - m < H reach the picture; every row is computed on
  // its own, so the others are skipped without changing a pixel.
  int64_t first = 0;
  int64_t last = dir > 0 ? dy - 1 : dy;
  if (dir > 0) {
    first = first > 1 - edge ? first : 1 - edge;
    last = last < h - edge ? last : h - edge;
  } else {
    first = first < h - edge ? first : h - edge;
    last = last > 1 - edge ? last : 1 - edge;
  }
  for (int64_t m = first; dir > 0 ? m <= last : m >= last; m += dir) {
    const float u = static_cast<float>(m) / static_cast<float>(dy);
    const int64_t xl = farLeft + static_cast<int64_t>((tile.x - farLeft) * static_cast<double>(u));
    const int64_t width =
        farRight + static_cast<int64_t>(u * static_cast<double>(tile.x + g.tileWidth - farRight)) -
        xl;
    const int32_t outRow = static_cast<int32_t>(h - edge - m);
    const double along = dir > 0 ? u : 1.0 - u;
    const int64_t sy = static_cast<int64_t>(h - (along * hh + yq + sourceOffset));
    if (!Inside(sy, h)) continue;
    const uint8_t* src = scene + static_cast<size_t>(sy) * v.stride;
    uint8_t* out = OutRow(v, outRow);
    const int64_t iFirst = xl < 0 ? -xl : 0;
    const int64_t iEnd = width < w - xl ? width : w - xl;
    for (int64_t i = iFirst; i < iEnd; ++i) {
      const int64_t sx = static_cast<int64_t>(static_cast<double>(i) / width * g.tileWidth + xq);
      if (!Inside(sx, w)) continue;
      for (int32_t c = 0; c < 3; ++c) {
        const int32_t value = src[3 * sx + c] - shade;
        out[3 * (xl + i) + c] = static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
      }
    }
  }
}

}  // namespace

int32_t RenderAirport(const FrameView& v, AirportClock* clock) {
  const float p = v.progress;
  if (std::isnan(p)) return 0;
  if (v.width > 0) {
    ByteBlendTable table;
    MakeCrossfadeTable(p, &table);
    // The crossfade in bands of rows side by side; the tiles below overlap and are drawn
    // in their order on this thread.
    ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
      ForEachRectRowIn(v, first, end,
                       [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
                         BlendRowWithTable(out, a, b, 3 * v.width, table);
                       });
    });
  }

  // A first call, a repeated progress or a jump shows the crossfade alone.
  const bool hadPrevious = clock->hasPrevious;
  const double step = std::fabs(static_cast<double>(p) - clock->previousProgress);
  clock->previousProgress = p;
  clock->hasPrevious = true;
  if (!hadPrevious || step == 0.0 || step > 0.5) return 1;

  const double frames = 1.0 / step + kRounding;
  const int32_t e = frames >= kLargestAirportFrameCount ? kLargestAirportFrameCount
                                                        : static_cast<int32_t>(frames);
  const double at = p * static_cast<double>(e);
  const int32_t f = at <= 0.0 ? 0 : (at >= e ? e : static_cast<int32_t>(at));

  if (v.paramBlock == nullptr) return 0;
  AirportParams params;
  std::memcpy(&params, v.paramBlock, sizeof params);
  if (params.tilesDown == 0 || params.tilesAcross == 0) return 1;
  BoardGeometry geometry;
  if (!ComputeBoardGeometry(params, v.width, v.height, &geometry)) return 0;
  const FlipTiming timing = ComputeFlipTiming(params.framesPerFlip, e, f);

  const int32_t n = params.tilesDown * params.tilesAcross;
  std::unique_ptr<FlapTile[]> tiles(new (std::nothrow) FlapTile[n]);
  if (tiles == nullptr || !BuildFlapTiles(params, geometry, timing, tiles.get())) return 0;
  for (int32_t i = 0; i < n; ++i) DrawStaticHalves(v, params, geometry, tiles[i]);
  for (int32_t i = 0; i < n; ++i) {
    // Tiles whose final step has passed lie still.
    if (timing.step <= tiles[i].finalStep) DrawFlap(v, params, geometry, tiles[i]);
  }
  return 1;
}

}  // namespace zk
