// The split-flap board of one frame: where the tiles lie, which card each shows, and how
// far its flap has turned. The random choices come from the byte pool after a reset, so
// every frame of a transition sees the same cards and flip times.
#pragma once

#include <cstdint>
#include <memory>

#include "airport_params.h"

namespace zk {

struct BoardGeometry {
  int32_t borderTop;
  int32_t borderLeft;
  int32_t rowGap;
  int32_t columnGap;
  int32_t tileHeight;
  int32_t tileWidth;
  int32_t halfHeight;
};

// False when a tile would be smaller than one pixel (or the board has no tiles).
bool ComputeBoardGeometry(const AirportParams& params, int32_t width, int32_t height,
                          BoardGeometry* geometry);

struct FlipTiming {
  int32_t framesPerFlip;  // F, lowered to the frame count when that is smaller
  int32_t step;           // k: the flip under way
  int32_t stepCount;      // R
  int32_t phaseAngle;     // a0: degrees the flap has turned within this flip
};

FlipTiming ComputeFlipTiming(int32_t framesPerFlip, int32_t frameCount, int32_t frameIndex);

struct FlapTile {
  int32_t x, y;                    // left column and top line (lines count from the top)
  int32_t lowerCard, upperCard;    // tile whose area the lower and upper half show
  int32_t lowerScene, upperScene;  // 0: scene A; nonzero: scene B
  int32_t angle;                   // 0..180 within the current flip
  int32_t finalStep;               // the step at which the tile settles on its own piece of B
  float flapLight;                 // brightness factor of the moving flap
};

// Left column and top line of tile `index` (tiles numbered row by row).
void TilePlace(const AirportParams& params, const BoardGeometry& g, int32_t index, int32_t* x,
               int32_t* y);

// Brightness factor of a flap at `angle`: darkest at 45 degrees, brightest at 135.
float FlapLight(int32_t angle, int32_t flapShading);

// Fills tilesDown x tilesAcross tiles; false when memory is short.
bool BuildFlapTiles(const AirportParams& params, const BoardGeometry& geometry,
                    const FlipTiming& timing, FlapTile* tiles);

}  // namespace zk
