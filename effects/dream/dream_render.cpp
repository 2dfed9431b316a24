#include "dream_render.h"

#include "pixel_rows.h"
#include "saturating_trunc.h"
#include "slice_runner.h"
#include "weighted_blend.h"
#include "zmath.h"

namespace zk {
namespace {

// Strength of the sway: rises to 1 at the middle of the transition and falls back to 0.
float SwayStrength(float p) {
  return static_cast<float>(p < 0.5f ? 2.0 * p : 1.0 - (p - 0.5) * 2.0);
}

// Source column for column j of a row swayed by `sway`, held inside the row.
int32_t SwaySourceColumn(int32_t j, int32_t sway, float taper, int32_t width) {
  const double m = j + sway * static_cast<double>(taper);
  if (m <= 0.0) return 0;
  if (m >= width - 1) return width - 1;
  return static_cast<int32_t>(m);
}

}  // namespace

int32_t DreamRowSway(int32_t row, uint32_t phase, int32_t sinePeriodHalf, int32_t amplitude,
                     float strength) {
  // The row index and the phase add as unsigned 32-bit numbers: the phase may be huge
  // after many frames, and the sum wraps rather than overflowing.
  const double lineAngle =
      static_cast<double>(static_cast<uint32_t>(row) + phase) * 3.1415926 / sinePeriodHalf;
  const int32_t wave = static_cast<int32_t>(Sin(lineAngle) * amplitude);
  return SaturatingTrunc(wave * static_cast<double>(strength));
}

float DreamTaper(int32_t column, int32_t width, int32_t edge) {
  int32_t l = edge;
  if (column <= edge) {
    l = column;
  } else if (column >= width - edge) {
    l = width - column;
  }
  return static_cast<float>(l) / static_cast<float>(edge);
}

void RenderDreamFrame(const FrameView& v, uint32_t frameCount) {
  const int32_t width = v.width;
  const int32_t height = v.height;
  if (width <= 0 || height <= 0) return;
  ByteBlendTable table;
  MakeCrossfadeTable(static_cast<double>(v.progress), &table);
  // Every row reads its own rows of the scenes: bands of rows side by side.
  if (width < kDreamMinSwayWidth) {
    ForEachRowBand(height, 16, [&](int32_t first, int32_t end) {
      ForEachRectRowIn(v, first, end,
                       [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t) {
                         BlendRowWithTable(out, a, b, width * 3, table);
                       });
    });
    return;
  }
  const int32_t sinePeriodHalf = width / 17;
  const int32_t amplitude = height / 15;
  const uint32_t phase = frameCount * static_cast<uint32_t>(height) / 70u;
  const int32_t edge = static_cast<int32_t>(width * 0.05);
  const float strength = SwayStrength(v.progress);
  ForEachRowBand(height, 16, [&](int32_t first, int32_t end) {
    ForEachRectRowIn(
        v, first, end, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
          const int32_t sway = DreamRowSway(row, phase, sinePeriodHalf, amplitude, strength);
          if (sway == 0) {
            BlendRowWithTable(out, a, b, width * 3, table);
            return;
          }
          for (int32_t j = 0; j < width; ++j) {
            const int32_t m = SwaySourceColumn(j, sway, DreamTaper(j, width, edge), width);
            BlendPixelWithTable(out + 3 * j, a + 3 * m, b + 3 * m, table);
          }
        });
  });
}

}  // namespace zk
