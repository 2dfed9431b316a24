#include "airport_render.h"

#include <algorithm>
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

// Each half of a tile shows a piece of a card: the area of tile q of one scene. Only the
// lines that land on rectangle rows `rows` are drawn.
void DrawStaticHalves(const FrameView& v, const AirportParams& p, const BoardGeometry& g,
                      const FlapTile& tile, const RowRange& rows) {
  // Line t lands on row H - y - t: the band's rows are the lines from H - y - end + 1.
  const int32_t tFirst = v.height - tile.y - rows.end + 1;
  const int32_t tLast = v.height - tile.y - rows.first;
  for (int32_t t = tFirst > 0 ? tFirst : 0; t < g.tileHeight && t <= tLast; ++t) {
    const bool upper = t < g.halfHeight;
    int32_t xq, yq;
    TilePlace(p, g, upper ? tile.upperCard : tile.lowerCard, &xq, &yq);
    const uint8_t* scene = SceneRow0(v, upper ? tile.upperScene : tile.lowerScene);
    const int32_t outRow = RowOfLine(v.height, tile.y + t);
    const int32_t srcRow = RowOfLine(v.height, yq + t);
    if (!Inside(outRow, v.height) || !Inside(srcRow, v.height)) continue;
    // The columns j with both tile.x + j and xq + j inside the rectangle.
    const int32_t jFirst = std::max({0, -tile.x, -xq});
    const int32_t jEnd = std::min({g.tileWidth, v.width - tile.x, v.width - xq});
    const uint8_t* src = scene + static_cast<size_t>(srcRow) * v.stride;
    CopyRowPixels(OutRow(v, outRow) + 3 * (tile.x + jFirst), src + 3 * (xq + jFirst),
                  jEnd - jFirst);
  }
}

// The moving flap in perspective: row by row from the hinge to its far edge, each row a
// stretched line of the card's half, darkened or brightened by the flap's light. Only the
// rows of the flap that land on rectangle rows `rows` are drawn.
void DrawFlap(const FrameView& v, const AirportParams& p, const BoardGeometry& g,
              const FlapTile& tile, const RowRange& rows) {
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
  // Only the rows m with first <= H - edge - m < end reach the band; every row is computed
  // on its own, so the others are skipped without changing a pixel.
  const int64_t lowest = h - edge - rows.end + 1;  // m of the band's last row
  const int64_t highest = h - edge - rows.first;   // m of its first row
  int64_t first = 0;
  int64_t last = dir > 0 ? dy - 1 : dy;
  if (dir > 0) {
    first = first > lowest ? first : lowest;
    last = last < highest ? last : highest;
  } else {
    first = first < highest ? first : highest;
    last = last > lowest ? last : lowest;
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

// The board of a frame: its geometry, timing and tiles, or none (the crossfade alone).
struct Board {
  AirportParams params;
  BoardGeometry geometry;
  FlipTiming timing;
  std::unique_ptr<FlapTile[]> tiles;
  int32_t count = 0;
};

// Builds the frame's board from the clock and the settings (the byte pool's draws, in their
// order, on the calling thread). Returns the frame call's result: 1, or 0 for a missing
// settings record, tiles under one pixel or short memory; board->count stays 0 when only
// the crossfade shows.
int32_t PlanBoard(const FrameView& v, AirportClock* clock, Board* board) {
  const float p = v.progress;
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
  AirportParams& params = board->params;
  std::memcpy(&params, v.paramBlock, sizeof params);
  if (params.tilesDown == 0 || params.tilesAcross == 0) return 1;
  if (!ComputeBoardGeometry(params, v.width, v.height, &board->geometry)) return 0;
  board->timing = ComputeFlipTiming(params.framesPerFlip, e, f);

  const int32_t n = params.tilesDown * params.tilesAcross;
  board->tiles.reset(new (std::nothrow) FlapTile[n]);
  if (board->tiles == nullptr ||
      !BuildFlapTiles(params, board->geometry, board->timing, board->tiles.get()))
    return 0;
  board->count = n;
  return 1;
}

}  // namespace

int32_t RenderAirport(const FrameView& v, AirportClock* clock) {
  const float p = v.progress;
  if (std::isnan(p)) return 0;
  Board board;
  const int32_t result = PlanBoard(v, clock, &board);
  ByteBlendTable table;
  MakeCrossfadeTable(p, &table);
  // Tiles overlap (a flap reaches past its own tile), so every band draws every tile in the
  // board's order, clipped to its own rows: each pixel sees the writes it would on one thread.
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    if (v.width > 0) {
      ForEachRectRowIn(v, first, end,
                       [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
                         BlendRowWithTable(out, a, b, 3 * v.width, table);
                       });
    }
    const RowRange rows{first, end};
    const FlapTile* tiles = board.tiles.get();
    for (int32_t i = 0; i < board.count; ++i) {
      DrawStaticHalves(v, board.params, board.geometry, tiles[i], rows);
    }
    for (int32_t i = 0; i < board.count; ++i) {
      // Tiles whose final step has passed lie still.
      if (board.timing.step <= tiles[i].finalStep) {
        DrawFlap(v, board.params, board.geometry, tiles[i], rows);
      }
    }
  });
  return result;
}

}  // namespace zk
