#include "waves_render.h"

#include "kernel_choice.h"
#include "level_blend.h"
#include "level_blend_rows.h"
#include "picture_lines.h"
#include "row_distances.h"
#include "scratch_source.h"
#include "slice_runner.h"
#include "waves_rings.h"

namespace zk {
namespace {

// Pixel by pixel, the level worked out whenever the distance changes: the form the table
// path below reproduces, and the fallback when its scratch memory cannot be had.
void RenderWavesPixelwise(const FrameView& v, const WavesFrame& f) {
  int32_t lastDistance = -1;
  int32_t level = 0;
  ForEachPictureLine(v,
                     [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t, int32_t line) {
                       const int64_t dy = f.halfLines - line;
                       for (int32_t x = 0; x < v.width; ++x) {
                         const int32_t distance = TruncatedDistance(f.halfWidth - x, dy);
                         if (distance != lastDistance) {
                           level = WaveMixLevel(f, distance);
                           lastDistance = distance;
                         }
                         BlendPixelLevel(out + 3 * x, a + 3 * x, b + 3 * x, level);
                       }
                     });
}

// Scratch of one frame: the level of every distance the rectangle holds (a few hundred to
// a thousand sines instead of one per pixel), and for each band of rows one row of
// distances and levels.
struct WavesScratch {
  uint8_t* levelOfDistance;
  int32_t* distances;
  uint8_t* pixelLevels;
  uint8_t* byteLevels;
};

constexpr size_t kRowScratchBytes = sizeof(int32_t) + 4;  // a pixel's share of a band's row

}  // namespace

int32_t RenderWaves(const FrameView& v) { return RenderWavesWith(v, FastPathScratch()); }

int32_t RenderWavesWith(const FrameView& v, const ScratchSource& scratch) {
  if (v.width <= 0 || v.height <= 0) return 1;
  const WavesFrame f = MakeWavesFrame(v.width, PictureLineCount(v), v.progress, v.variantFlags);
  // No pixel is farther from the centre than a corner at (hw, hh).
  const int32_t farthest = TruncatedDistance(f.halfWidth, f.halfLines);
  const size_t width = static_cast<size_t>(v.width);
  const RowBands bands = PlanRowBands(v.height, 16);
  const size_t rowBytes = width * kRowScratchBytes;
  const size_t bytes = static_cast<size_t>(farthest + 1) + rowBytes * bands.count;
  ScopedScratch block(scratch, bytes);
  if (!block.ok()) {
    RenderWavesPixelwise(v, f);
    return 1;
  }
  uint8_t* memory = static_cast<uint8_t*>(block.data());
  uint8_t* levelOfDistance = memory + rowBytes * bands.count;
  for (int32_t d = 0; d <= farthest; ++d) {
    levelOfDistance[d] = static_cast<uint8_t>(WaveMixLevel(f, d));
  }
  // Every row depends on its own distances alone: bands of rows side by side.
  RunRowBands(bands, [&](int32_t band, const RowRange& rows) {
    WavesScratch s;
    s.distances = reinterpret_cast<int32_t*>(memory + rowBytes * band);
    s.pixelLevels = memory + rowBytes * band + width * sizeof(int32_t);
    s.byteLevels = s.pixelLevels + width;
    s.levelOfDistance = levelOfDistance;
    ForEachPictureLineIn(
        v, rows.first, rows.end,
        [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t, int32_t line) {
          RowDistances(f.halfWidth, f.halfLines - line, v.width, s.distances);
          for (int32_t x = 0; x < v.width; ++x)
            s.pixelLevels[x] = s.levelOfDistance[s.distances[x]];
          SpreadPixelLevels(s.byteLevels, s.pixelLevels, v.width);
          BlendRowLevels(out, a, b, s.byteLevels, v.width * 3);
        });
  });
  return 1;
}

}  // namespace zk
