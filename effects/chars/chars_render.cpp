#include "chars_render.h"

#include <cmath>
#include <cstring>

#include "chars_params.h"
#include "chars_phases.h"
#include "kernel_choice.h"

namespace zk {
namespace {

// A frame call without a settings record renders with the defaults.
CharsParams ReadParams(const void* block) {
  if (block == nullptr) return CharsDefaults();
  CharsParams p;
  std::memcpy(&p, block, sizeof p);
  return p;
}

}  // namespace

int32_t RenderChars(const FrameView& v, FrameClock* clock, GlyphSheetLoader loadSheet) {
  const float p = v.progress;
  if (std::isnan(p)) return 0;
  const CharsParams params = ReadParams(v.paramBlock);

  if (p < params.dimOutEnd) {
    // No map and no tape while scene A dims out.
    AdvanceFrameClock(clock, p);
    (PlainKernels() ? DimOutSceneAPlain : DimOutSceneA)(v, params);
    if (p >= params.blendSceneBStart) CrossfadeToSceneB(v, params);
    return 1;
  }

  const GlyphMapChoice map = ChooseGlyphMap(params.charMap, v.width, v.height);
  GlyphSheet sheet;
  int32_t cw = map.glyphWidth;
  int32_t ch = map.glyphHeight;
  if (params.fixedRatio != 0 && v.width >= 100 && v.height >= 100) {
    cw = static_cast<int32_t>(int64_t{params.columnSize} * v.width / 10000);
    ch = static_cast<int32_t>(int64_t{params.rowSize} * v.height / 10000);
  }
  // A cell under one pixel has no rows or columns to count: the call declines untouched.
  if (cw <= 0 || ch <= 0 || !loadSheet(map, &sheet)) {
    AdvanceFrameClock(clock, p);
    return 0;
  }

  const int32_t frames = EstimateFrameCount(*clock, p);
  CharGrid grid;
  BuildCharGrid(params, CharGridSize{v.width, v.height, cw, ch, frames, sheet.glyphCount}, &grid);
  clock->frameCount = frames;
  clock->frameIndex = FrameIndexAt(frames, p);
  AdvanceFrameClock(clock, p);

  FillBackground(v, params.backgroundColor);
  if (params.randomizeChars != 0) RandomizeGridGlyphs(sheet.glyphCount, &grid);
  const double offset =
      (clock->frameIndex - frames * static_cast<double>(params.dimOutEnd)) * grid.speed;
  const bool plain = PlainKernels();
  (plain ? DrawCharacterCellsPlain : DrawCharacterCells)(v, params,
                                                         TapeView{&grid, &sheet, cw, ch, offset});
  if (params.applyGlow != 0) (plain ? ApplyGlowPlain : ApplyGlow)(v, params.backgroundColor);
  if (p >= params.blendSceneBStart) CrossfadeToSceneB(v, params);
  return 1;
}

}  // namespace zk
