#include "chars_render.h"

#include <cmath>
#include <cstring>

#include "chars_params.h"
#include "chars_phases.h"
#include "kernel_choice.h"
#include "slice_runner.h"

namespace zk {
namespace {

// A frame call without a settings record renders with the defaults.
CharsParams ReadParams(const void* block) {
  if (block == nullptr) return CharsDefaults();
  CharsParams p;
  std::memcpy(&p, block, sizeof p);
  return p;
}

// Bands of whole cell rows: band `index` of `count` over `cellRows` rows of cells ch rows
// high, counted from the top of the picture (the last rectangle row). The rows above the
// cells go with the last band.
struct CellBand {
  RowRange cells;  // cell rows
  RowRange rows;   // rectangle rows
};
CellBand CellBandOf(int32_t height, int32_t ch, int32_t cellRows, int32_t count, int32_t index) {
  const RowRange cells = BandRows(cellRows, count, index);
  const int32_t first = index == count - 1 ? 0 : height - cells.end * ch;
  return CellBand{cells, RowRange{first, height - cells.first * ch}};
}

}  // namespace

int32_t RenderChars(const FrameView& v, FrameClock* clock, GlyphSheetLoader loadSheet) {
  const float p = v.progress;
  if (std::isnan(p)) return 0;
  const CharsParams params = ReadParams(v.paramBlock);
  const bool plain = PlainKernels();
  const bool blend = p >= params.blendSceneBStart;

  if (p < params.dimOutEnd) {
    // No map and no tape while scene A dims out.
    AdvanceFrameClock(clock, p);
    ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
      const RowRange rows{first, end};
      (plain ? DimOutSceneAPlain : DimOutSceneA)(v, params, rows);
      if (blend) CrossfadeToSceneB(v, params, rows);
    });
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

  // The tape, the clock and the generator's draws in their order, on this thread.
  const int32_t frames = EstimateFrameCount(*clock, p);
  CharGrid grid;
  BuildCharGrid(params, CharGridSize{v.width, v.height, cw, ch, frames, sheet.glyphCount}, &grid);
  clock->frameCount = frames;
  clock->frameIndex = FrameIndexAt(frames, p);
  AdvanceFrameClock(clock, p);
  if (params.randomizeChars != 0) RandomizeGridGlyphs(sheet.glyphCount, &grid);
  const double offset =
      (clock->frameIndex - frames * static_cast<double>(params.dimOutEnd)) * grid.speed;
  const TapeView tape{&grid, &sheet, cw, ch, offset};

  // The glow reads up to three rows across a band's edge, so every band draws (and marks
  // its character pixels) before any glows, and every band glows before any blends.
  const bool glow = params.applyGlow != 0;
  const RowBands cellBands = PlanRowBands(grid.visibleRows, 1);
  const RowBands bands = PlanRowBands(v.height, 16);
  GlowPass glowPass(v, params.backgroundColor, glow && !plain ? bands.count : 0);
  RunSlices(cellBands.threads, cellBands.count, [&](int32_t index) {
    const CellBand band = CellBandOf(v.height, ch, grid.visibleRows, cellBands.count, index);
    FillBackground(v, params.backgroundColor, band.rows);
    (plain ? DrawCharacterCellsPlain : DrawCharacterCells)(v, params, tape, band.cells);
    if (glowPass.ok()) glowPass.MarkRows(band.rows);
    if (!glow && blend) CrossfadeToSceneB(v, params, band.rows);
  });
  if (!glow) return 1;
  if (plain) {
    ApplyGlowPlain(v, params.backgroundColor);
  } else if (glowPass.ok()) {
    RunRowBands(bands,
                [&](int32_t index, const RowRange& rows) { glowPass.GlowRows(index, rows); });
  }
  if (blend) {
    ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
      CrossfadeToSceneB(v, params, RowRange{first, end});
    });
  }
  return 1;
}

}  // namespace zk
