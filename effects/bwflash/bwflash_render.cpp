#include "bwflash_render.h"

#include "bwflash_phase.h"
#include "pixel_rows.h"
#include "rect_row_bands.h"

namespace zk {

int32_t RenderBwFlash(const FrameView& v) {
  if (v.width <= 0) return 1;
  const FlashPhase phase = ChooseFlashPhase(v.progress, v.extraFlags);
  const int32_t bytes = v.width * 3;
  ForEachRectRowInBands(v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
    BlendRowTowardLevel(out, phase.showsSceneB ? b : a, bytes, phase.target, phase.weight);
  });
  return 1;
}

}  // namespace zk
