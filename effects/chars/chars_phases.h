// The picture phases of the character rain, each over the whole output rectangle or the
// rectangle rows `rows` of it (a band drawn side by side with others).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "char_grid.h"
#include "chars_params.h"
#include "colour_word.h"
#include "frame_view.h"
#include "glow_nearest.h"
#include "glyph_sheet.h"
#include "slice_runner.h"

namespace zk {

// Scene A dims towards the background: trunc(A x (1 - u) + u x background), u = p / dimOutEnd.
void DimOutSceneA(const FrameView& v, const CharsParams& params, const RowRange& rows = kEveryRow);
// The same, every byte worked out on its own: the reference for the above.
void DimOutSceneAPlain(const FrameView& v, const CharsParams& params,
                       const RowRange& rows = kEveryRow);

// Every byte: trunc(B x f + current x (1 - f)), f = (p - blendSceneBStart) / (1 -
// blendSceneBStart).
void CrossfadeToSceneB(const FrameView& v, const CharsParams& params,
                       const RowRange& rows = kEveryRow);

void FillBackground(const FrameView& v, uint32_t backgroundColor, const RowRange& rows = kEveryRow);

// Where the tape stands on this frame and how bright its cells are drawn.
struct TapeView {
  const CharGrid* grid;
  const GlyphSheet* sheet;
  int32_t cellWidth;
  int32_t cellHeight;
  double offset;  // k: tape rows moved past the top of the screen
};

// Draws every visible lit cell's glyph over the background, of the cell rows `cellRows`
// (counted from the top of the picture, each ch rectangle rows high).
void DrawCharacterCells(const FrameView& v, const CharsParams& params, const TapeView& tape,
                        const RowRange& cellRows = kEveryRow);
// The same, pixel by pixel through the sheet and cell by cell over scene B: the reference
// for the above.
void DrawCharacterCellsPlain(const FrameView& v, const CharsParams& params, const TapeView& tape,
                             const RowRange& cellRows = kEveryRow);

// Soft glow around the characters (radius 4, strength 0.8), judged on the unglowed
// picture; skipped when its scratch rows cannot be had.
void ApplyGlow(const FrameView& v, uint32_t backgroundColor);

// The same glow in two passes over bands of rows: first every row's character pixels are
// marked (MarkRows), then rows glow (GlowRows), reading the marks and character pixels
// alone, which no band changes; a band's rows may then glow beside its neighbours'.
class GlowPass {
 public:
  // Scratch for `bands` bands glowing at once; ok() is false when it cannot be had.
  GlowPass(const FrameView& v, uint32_t backgroundColor, int32_t bands);
  GlowPass(const GlowPass&) = delete;
  GlowPass& operator=(const GlowPass&) = delete;
  bool ok() const { return scratch_ != nullptr; }
  void MarkRows(const RowRange& rows);
  // Glows `rows` with band `band`'s scratch, once every row is marked.
  void GlowRows(int32_t band, const RowRange& rows);

 private:
  struct Source {
    ptrdiff_t offset;  // from the glowing pixel to its character pixel, in bytes
    const uint8_t (*level)[256];
  };
  const FrameView& v_;
  PixelBgr bg_;
  size_t padded_, markStride_, bandBytes_;
  std::unique_ptr<uint8_t[]> scratch_;  // marks of every row, then each band's key rows
  std::unique_ptr<bool[]> rowLit_;
  uint8_t level_[kGlowReach][3][256];  // glowed bytes per distance, channel and found byte
  Source sources_[256];

  uint8_t* MarkRow(int32_t row) const;
};
// The same, searching the whole square around every pixel: the reference for the above.
void ApplyGlowPlain(const FrameView& v, uint32_t backgroundColor);

// Glow weight of a background pixel whose nearest character pixel lies at distance d.
double GlowWeight(int32_t distance);

}  // namespace zk
