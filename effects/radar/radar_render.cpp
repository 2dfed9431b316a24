#include "radar_render.h"

#include <cmath>

#include "picture_lines.h"
#include "radar_screen.h"

namespace zk {
namespace {

// Lays `scene` over the pixel with the given weight: trunc(scene x w + pixel x (1 - w)).
void FadeToward(uint8_t* pixel, const uint8_t* scene, float weight) {
  const double w = weight;
  for (int32_t c = 0; c < 3; ++c) {
    pixel[c] = static_cast<uint8_t>(static_cast<int32_t>(scene[c] * w + pixel[c] * (1 - w)));
  }
}

}  // namespace

int32_t RenderRadar(const FrameView& v) {
  const RadarTiming timing = MakeRadarTiming(v.progress);
  const int32_t halfWidth = v.width / 2;
  const int32_t halfLines = PictureLineCount(v) / 2;
  const bool echoesOfA = timing.echoMix > 0;
  const bool echoesOfB = timing.echoMix < 1;

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
            colour = ScreenColour(echo, PixelAngle(dx, dy), timing.beamAngle);
          }
          pixel[0] = colour.b;
          pixel[1] = colour.g;
          pixel[2] = colour.r;
          if (timing.fadeA > 0) FadeToward(pixel, a + x * 3, timing.fadeA);
          if (timing.fadeB > 0) FadeToward(pixel, b + x * 3, timing.fadeB);
        }
      });
  return 1;
}

}  // namespace zk
