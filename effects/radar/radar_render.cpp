#include "radar_render.h"

#include <cmath>
#include <cstring>
#include <new>

#include "arctan_estimate.h"
#include "kernel_choice.h"
#include "picture_lines.h"
#include "radar_screen.h"
#include "slice_runner.h"
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

// Per-frame values every pixel needs.
struct RadarFrame {
  RadarTiming timing;
  int32_t halfWidth;
  int32_t halfLines;
  bool echoesOfA;
  bool echoesOfB;
  ByteBlendTable fadeA;
  ByteBlendTable fadeB;
};

// Whether the pixel at squared distance n from the centre lies on the round screen.
inline bool OnScreen(int64_t n, int32_t halfLines) {
  const float r = static_cast<float>(std::sqrt(static_cast<double>(n)));
  return static_cast<int32_t>(static_cast<double>(r) + 1) <= halfLines;
}

inline int32_t MixedEcho(const RadarFrame& f, const uint8_t* a, const uint8_t* b) {
  const int32_t echoA = f.echoesOfA ? EchoOf(a) : 0;
  const int32_t echoB = f.echoesOfB ? EchoOf(b) : 0;
  return static_cast<int32_t>(echoB * (1 - f.timing.echoMix) + echoA * f.timing.echoMix);
}

inline void WritePixel(const RadarFrame& f, uint8_t* pixel, const uint8_t* a, const uint8_t* b,
                       PixelBgr colour) {
  pixel[0] = colour.b;
  pixel[1] = colour.g;
  pixel[2] = colour.r;
  if (f.timing.fadeA > 0) BlendPixelWithTable(pixel, pixel, a, f.fadeA);
  if (f.timing.fadeB > 0) BlendPixelWithTable(pixel, pixel, b, f.fadeB);
}

// One picture line, every pixel on its own: the reference.
void RadarLinePixelwise(const RadarFrame& f, int32_t width, uint8_t* out, const uint8_t* a,
                        const uint8_t* b, int32_t dy, bool estimate) {
  for (int32_t x = 0; x < width; ++x) {
    const int32_t dx = f.halfWidth - x;
    PixelBgr colour{0, 0, 0};  // outside the round screen
    if (OnScreen(dx * dx + dy * dy, f.halfLines)) {
      colour = ColourAt(MixedEcho(f, a + 3 * x, b + 3 * x), dx, dy, f.timing.beamAngle, estimate);
    }
    WritePixel(f, out + 3 * x, a + 3 * x, b + 3 * x, colour);
  }
}

// The largest |dx| still on the screen on the line at |dy| (-1 for none): the screen test
// only grows with the distance, so it is found by bisection.
int32_t ScreenReach(int32_t halfLines, int64_t dySquared, int32_t limit) {
  if (!OnScreen(dySquared, halfLines)) return -1;
  int32_t low = 0;           // on the screen
  int32_t high = limit + 1;  // off it, or past every column
  while (high - low > 1) {
    const int32_t mid = low + (high - low) / 2;
    if (OnScreen(static_cast<int64_t>(mid) * mid + dySquared, halfLines)) {
      low = mid;
    } else {
      high = mid;
    }
  }
  return low;
}

// What the screen lines look up once a frame: the echo of every channel sum.
struct EchoTable {
  uint8_t ofSum[3 * 255 + 1];
};

void MakeEchoTable(EchoTable* t) {
  for (int32_t sum = 0; sum <= 3 * 255; ++sum) t->ofSum[sum] = static_cast<uint8_t>(EchoOfSum(sum));
}

inline int32_t MixedEchoByTable(const RadarFrame& f, const EchoTable& echoes, const uint8_t* a,
                                const uint8_t* b) {
  const int32_t echoA = f.echoesOfA ? echoes.ofSum[a[0] + a[1] + a[2]] : 0;
  const int32_t echoB = f.echoesOfB ? echoes.ofSum[b[0] + b[1] + b[2]] : 0;
  // No echo in either scene mixes to none, whatever the weights.
  if ((echoA | echoB) == 0) return 0;
  return static_cast<int32_t>(echoB * (1 - f.timing.echoMix) + echoA * f.timing.echoMix);
}

// Screen pixels of one side of the centre column, x = first .. last, all with the same
// sign of dx: the angle estimate of (dx, dy) is that of (|dx|, |dy|) with the sign of
// dx * dy, exactly (ArctanEstimate works on the magnitudes and signs its result, and a
// product changes only its sign with a factor's), so lines dy and -dy and columns dx and -dx
// share `degrees` (the estimates of the magnitudes, in degrees).
void ScreenSide(const RadarFrame& f, const EchoTable& echoes, int32_t first, int32_t last,
                uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t dy,
                const double* degrees) {
  if (first > last) return;
  const bool leftward = f.halfWidth - first < 0;  // dx < 0: the right half of the screen
  const bool negative = (dy < 0) != leftward;
  const double quarter = leftward ? 270 : 90;
  for (int32_t x = first; x <= last; ++x) {
    const int32_t dx = f.halfWidth - x;
    const int32_t across = dx < 0 ? -dx : dx;
    const int32_t echo = MixedEchoByTable(f, echoes, a + 3 * x, b + 3 * x);
    const double angle = (negative ? -degrees[across] : degrees[across]) + quarter;
    PixelBgr colour;
    if (!ScreenColourIfClear(echo, angle, f.timing.beamAngle, kEstimateMargin, &colour)) {
      colour = ScreenColour(echo, PixelAngle(dx, dy), f.timing.beamAngle);
    }
    out[3 * x] = colour.b;
    out[3 * x + 1] = colour.g;
    out[3 * x + 2] = colour.r;
  }
}

// One picture line: black off the screen (|dx| beyond `reach`), the screen from the angle
// estimates, then the fades over the whole line.
void RadarLineFromDegrees(const RadarFrame& f, const EchoTable& echoes, int32_t width, uint8_t* out,
                          const uint8_t* a, const uint8_t* b, int32_t dy, int32_t reach,
                          const double* degrees) {
  // dx = hW - x lies within reach for x = hW - reach .. hW + reach.
  const int32_t first = reach < 0 ? width : (f.halfWidth - reach > 0 ? f.halfWidth - reach : 0);
  const int32_t last =
      reach < 0 ? width - 1 : (f.halfWidth + reach < width ? f.halfWidth + reach : width - 1);
  std::memset(out, 0, 3 * static_cast<size_t>(first));
  if (last + 1 < width)
    std::memset(out + 3 * (last + 1), 0, 3 * static_cast<size_t>(width - last - 1));
  if (first <= last) {
    const int32_t centre = f.halfWidth;  // dx = 0: the estimate needs dx != 0
    ScreenSide(f, echoes, first, centre - 1 < last ? centre - 1 : last, out, a, b, dy, degrees);
    if (centre >= first && centre <= last) {
      const PixelBgr c = ScreenColour(MixedEchoByTable(f, echoes, a + 3 * centre, b + 3 * centre),
                                      PixelAngle(0, dy), f.timing.beamAngle);
      out[3 * centre] = c.b;
      out[3 * centre + 1] = c.g;
      out[3 * centre + 2] = c.r;
    }
    ScreenSide(f, echoes, centre + 1 > first ? centre + 1 : first, last, out, a, b, dy, degrees);
  }
  if (f.timing.fadeA > 0) BlendRowWithTable(out, out, a, 3 * width, f.fadeA);
  if (f.timing.fadeB > 0) BlendRowWithTable(out, out, b, 3 * width, f.fadeB);
}

}  // namespace

int32_t RenderRadar(const FrameView& v) { return RenderRadarWith(v, !PlainKernels()); }

int32_t RenderRadarWith(const FrameView& v, bool estimateAngles) {
  RadarFrame f;
  f.timing = MakeRadarTiming(UnitProgress(v.progress));
  f.halfWidth = v.width / 2;
  const int32_t lines = PictureLineCount(v);
  f.halfLines = lines / 2;
  f.echoesOfA = f.timing.echoMix > 0;
  f.echoesOfB = f.timing.echoMix < 1;
  MakeFadeTable(f.timing.fadeA, &f.fadeA);
  MakeFadeTable(f.timing.fadeB, &f.fadeB);

  // Line pairs are independent: bands of them side by side, each band with its own row of
  // angle estimates. |dx| runs up to hW (left edge) and W - 1 - hW (right edge), which is
  // no more.
  const RowBands bands = PlanRowBands(f.halfLines + 1, 8);
  const size_t row = static_cast<size_t>(f.halfWidth) + 1;
  double* degreeRows =
      estimateAngles && v.width > 0 ? new (std::nothrow) double[row * bands.count] : nullptr;
  if (degreeRows == nullptr) {
    ForEachPictureLine(
        v, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t, int32_t line) {
          RadarLinePixelwise(f, v.width, out, a, b, f.halfLines - line, estimateAngles);
        });
    return 1;
  }
  EchoTable echoes;
  MakeEchoTable(&echoes);
  RunRowBands(bands, [&](int32_t band, const RowRange& pairs) {
    double* degrees = degreeRows + row * band;
    // Lines hH - m and hH + m (dy = m and -m) in pairs; both are rendered lines or neither
    // is in field mode, since they differ by 2m.
    for (int32_t m = pairs.first; m < pairs.end; ++m) {
      const int32_t upper = f.halfLines - m;  // dy = m
      const int32_t lower = f.halfLines + m;  // dy = -m
      const bool upperDrawn = upper >= 0 && upper < lines && upper % v.lineStep == 0;
      const bool lowerDrawn = m > 0 && lower < lines && lower % v.lineStep == 0;
      if (!upperDrawn && !lowerDrawn) continue;
      const int64_t dySquared = static_cast<int64_t>(m) * m;
      const int32_t reach = ScreenReach(f.halfLines, dySquared, f.halfWidth);
      degrees[0] = 0.0;  // the centre column takes Atan itself
      for (int32_t across = 1; across <= reach; ++across) {
        degrees[across] = ArctanEstimate(m, across) * kRadarDegreesPerRadian;
      }
      if (upperDrawn) {
        const int32_t r = RowOfPictureLine(v, upper);
        RadarLineFromDegrees(f, echoes, v.width, OutRow(v, r), SceneARow(v, r), SceneBRow(v, r), m,
                             reach, degrees);
      }
      if (lowerDrawn) {
        const int32_t r = RowOfPictureLine(v, lower);
        RadarLineFromDegrees(f, echoes, v.width, OutRow(v, r), SceneARow(v, r), SceneBRow(v, r), -m,
                             reach, degrees);
      }
    }
  });
  delete[] degreeRows;
  return 1;
}

}  // namespace zk
