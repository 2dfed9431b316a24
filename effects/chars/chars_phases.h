// The picture phases of the character rain, each over the whole output rectangle.
#pragma once

#include <cstdint>

#include "char_grid.h"
#include "chars_params.h"
#include "frame_view.h"
#include "glyph_sheet.h"

namespace zk {

// Scene A dims towards the background: trunc(A x (1 - u) + u x background), u = p / dimOutEnd.
void DimOutSceneA(const FrameView& v, const CharsParams& params);
// The same, every byte worked out on its own: the reference for the above.
void DimOutSceneAPlain(const FrameView& v, const CharsParams& params);

// Every byte: trunc(B x f + current x (1 - f)), f = (p - blendSceneBStart) / (1 -
// blendSceneBStart).
void CrossfadeToSceneB(const FrameView& v, const CharsParams& params);

void FillBackground(const FrameView& v, uint32_t backgroundColor);

// Where the tape stands on this frame and how bright its cells are drawn.
struct TapeView {
  const CharGrid* grid;
  const GlyphSheet* sheet;
  int32_t cellWidth;
  int32_t cellHeight;
  double offset;  // k: tape rows moved past the top of the screen
};

// Draws every visible lit cell's glyph over the background.
void DrawCharacterCells(const FrameView& v, const CharsParams& params, const TapeView& tape);
// The same, pixel by pixel through the sheet and cell by cell over scene B: the reference
// for the above.
void DrawCharacterCellsPlain(const FrameView& v, const CharsParams& params, const TapeView& tape);

// Soft glow around the characters (radius 4, strength 0.8), judged on the unglowed
// picture; skipped when its scratch rows cannot be had.
void ApplyGlow(const FrameView& v, uint32_t backgroundColor);
// The same, searching the whole square around every pixel: the reference for the above.
void ApplyGlowPlain(const FrameView& v, uint32_t backgroundColor);

// Glow weight of a background pixel whose nearest character pixel lies at distance d.
double GlowWeight(int32_t distance);

}  // namespace zk
