#include "radar_render.h"

#include <cmath>

#include "picture_lines.h"
#include "radar_screen.h"
#include "unit_progress.h"
#include "weighted_blend.h"

namespace zk {
namespace {

// Laying a scene over the screen with weight w: trunc(scene x w + pixel x (1 - w)).
void MakeFadeTable(float weight, ByteBlendTable* table) {
  MakeWeightedBlendTable(1 - static_cast<double>(weight), weight, table);
}

// How near a step a byte value (or the beam an angle) may lie and still be decided from the
// estimated angle: a thousand times the estimate's worst error after it has passed through
// the colour formulas (at most 4 units of value per degree).
constexpr double kEstimateMargin = 1e-6;

PixelBgr ColourAt(int32_t echo, int32_t dx, int32_t dy, int32_t beamAngle, bool estimate) {
  PixelBgr colour;
  if (estimate && dx != 0 &&
      ScreenColourIfClear(echo, PixelAngleEstimate(dx, dy), beamAngle, kEstimateMargin, &colour)) {
    return colour;
  }
  return ScreenColour(echo, PixelAngle(dx, dy), beamAngle);
}

}  // namespace

int32_t RenderRadar(const FrameView& v) { return RenderRadarWith(v, true); }

int32_t RenderRadarWith(const FrameView& v, bool estimateAngles) {
  const RadarTiming timing = MakeRadarTiming(UnitProgress(v.progress));
  const int32_t halfWidth = v.width / 2;
  const int32_t halfLines = PictureLineCount(v) / 2;
  const bool echoesOfA = timing.echoMix > 0;
  const bool echoesOfB = timing.echoMix < 1;
  ByteBlendTable fadeA, fadeB;
  MakeFadeTable(timing.fadeA, &fadeA);
  MakeFadeTable(timing.fadeB, &fadeB);

  ForEachPictureLine(
      v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t, int32_t line) {
        const int32_t dy = halfLines - line;
        for (int32_t x = 0; x < v.width; ++x) {
          uint8_t* pixel = out + x * 3;
          const int32_t dx = halfWidth - x;
          const float r = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
          PixelBgr colour{0, 0, 0};  // outside the round screen
          if (static_cast<int32_t>(static_cast<double>(r) + 1) <= halfLines) {
            const int32_t echoA = echoesOfA ? EchoOf(a + x * 3) : 0;
            const int32_t echoB = echoesOfB ? EchoOf(b + x * 3) : 0;
            const int32_t echo =
                static_cast<int32_t>(echoB * (1 - timing.echoMix) + echoA * timing.echoMix);
            colour = ColourAt(echo, dx, dy, timing.beamAngle, estimateAngles);
          }
          pixel[0] = colour.b;
          pixel[1] = colour.g;
          pixel[2] = colour.r;
          if (timing.fadeA > 0) BlendPixelWithTable(pixel, pixel, a + x * 3, fadeA);
          if (timing.fadeB > 0) BlendPixelWithTable(pixel, pixel, b + x * 3, fadeB);
        }
      });
  return 1;
}

}  // namespace zk
