#include "twister_render.h"

#include <cmath>
#include <new>

#include "kernel_choice.h"
#include "pixel_rows.h"
#include "slice_runner.h"
#include "zmath.h"

namespace zk {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The turn angle in whole degrees. The ratio is limited to the turn's own range so that a
// zero turn time (the row's start hit exactly, 0 / 0) or a damaged record cannot produce an
// undefined conversion: the row then stands at rest, angle 0.
int32_t TurnAngle(float t, float start, float end, float turnTime, int32_t bend) {
  if (t < start) return 0;
  if (t > end) return bend;
  double a = bend * (static_cast<double>(t) - start) / turnTime;
  if (std::isnan(a)) return 0;
  const double low = bend < 0 ? bend : 0.0;
  const double high = bend < 0 ? 0.0 : bend;
  if (a < low) a = low;
  if (a > high) a = high;
  return static_cast<int32_t>(a);
}

// 1 when the row faces the viewer or its back does, 0.5 when it is edge-on.
double ShadeForAngle(int32_t angle, int32_t shadingMode) {
  if (shadingMode == kTwisterNoShading) return 1.0;
  const int32_t r = angle % 90;
  const bool falling = angle < 90 || (angle >= 180 && angle < 270);
  const double v = falling ? 1.0 - r / 90.0 : r / 90.0;
  return v / 2 + 0.5;
}

// Source pixels of a row in the order the output columns take them.
inline const uint8_t* SourcePixel(const uint8_t* source, int32_t w, int32_t width, bool mirrored) {
  return source + 3 * (mirrored ? width - w - 1 : w);
}

// A gap byte before shading: the two neighbours mixed by the gap column's place f between
// them (0 at the previous pixel, 1 at the current one), weighted by the shade and cut to a
// byte; it is then shaded like any source byte.
inline double MixByte(double previous, double current, double f, double shade) {
  const double mixed = previous + (current - previous) * f;
  return static_cast<uint8_t>(static_cast<int32_t>(mixed * shade));
}

inline void WriteShaded(uint8_t* at, const double c[3], double shade, PixelBgr s) {
  at[0] = TwisterShadeByte(c[0], shade, s.b);
  at[1] = TwisterShadeByte(c[1], shade, s.g);
  at[2] = TwisterShadeByte(c[2], shade, s.r);
}

}  // namespace

TwisterRowPose TwisterPoseForRow(float rowStart, float reversedProgress,
                                 const TwisterParams& params) {
  const float rowEnd = static_cast<float>(static_cast<double>(rowStart) + params.turnTime);
  int32_t angle =
      TurnAngle(reversedProgress, rowStart, rowEnd, params.turnTime, params.bendDegrees);
  if (angle >= 360) angle -= 360;
  TwisterRowPose pose;
  pose.angle = angle;
  pose.theta = static_cast<float>(angle * kPi / 180);
  pose.shade = ShadeForAngle(angle, params.shadingMode);
  pose.showsSceneA = angle >= 90 && angle < 270;
  return pose;
}

float TwisterColumnPosition(int32_t w, int32_t width, double cosTheta, double sinTheta) {
  const int32_t half = width / 2;
  const float x = static_cast<float>(w - half);
  const float x1 = static_cast<float>(x * cosTheta + 0 * sinTheta);
  const float z1 = static_cast<float>(-sinTheta * x1 + 0 * cosTheta);
  const float z2 = static_cast<float>(width + static_cast<double>(z1));
  float column = static_cast<float>((static_cast<double>(x1) / z2) * width);
  column = static_cast<float>(static_cast<double>(column) + half);
  if (column < 0) return 0.0f;
  if (column >= width) return static_cast<float>(width - 1);
  return column;
}

void TwistRow(uint8_t* out, const uint8_t* source, int32_t width, const TwisterRowPose& pose,
              PixelBgr shadeColour) {
  const double cosTheta = Cos(pose.theta);
  const double sinTheta = Sin(pose.theta);
  const double v = pose.shade;
  double previous[3] = {0, 0, 0};
  float previousX = 0.0f;
  for (int32_t w = 0; w < width; ++w) {
    const uint8_t* src = SourcePixel(source, w, width, pose.showsSceneA);
    const double current[3] = {static_cast<double>(src[0]), static_cast<double>(src[1]),
                               static_cast<double>(src[2])};
    const float X = TwisterColumnPosition(w, width, cosTheta, sinTheta);
    const int32_t column = static_cast<int32_t>(X);
    WriteShaded(out + 3 * column, current, v, shadeColour);
    if (w > 0) {
      // Stretched parts of the row leave columns no source column reaches; they get the
      // two neighbouring source pixels mixed by the gap column's place between them.
      const int32_t from = static_cast<int32_t>(previousX < X ? previousX : X) + 1;
      const int32_t to = static_cast<int32_t>(previousX < X ? X : previousX) - 1;
      const double span = static_cast<double>(X) - previousX;
      for (int32_t n = from; n <= to; ++n) {
        const double f = (n - static_cast<double>(previousX)) / span;
        const double mixed[3] = {MixByte(previous[0], current[0], f, v),
                                 MixByte(previous[1], current[1], f, v),
                                 MixByte(previous[2], current[2], f, v)};
        WriteShaded(out + 3 * n, mixed, v, shadeColour);
      }
    }
    previousX = X;
    for (int k = 0; k < 3; ++k) previous[k] = current[k];
  }
}

void PrepareTwistRowTables(int32_t width, const TwisterRowPose& pose, PixelBgr shadeColour,
                           TwistRowTables* tables) {
  if (tables->angle == pose.angle) return;
  tables->angle = pose.angle;
  const double cosTheta = Cos(pose.theta);
  const double sinTheta = Sin(pose.theta);
  for (int32_t w = 0; w < width; ++w) {
    tables->columns[w] = TwisterColumnPosition(w, width, cosTheta, sinTheta);
  }
  const uint8_t channels[3] = {shadeColour.b, shadeColour.g, shadeColour.r};
  for (int32_t k = 0; k < 3; ++k) {
    for (int32_t level = 0; level < 256; ++level) {
      tables->shaded[k][level] = TwisterShadeByte(level, pose.shade, channels[k]);
    }
  }
}

void TwistRowWithTables(uint8_t* out, const uint8_t* source, int32_t width,
                        const TwisterRowPose& pose, const TwistRowTables& tables) {
  // Every value TwistRow shades is a whole byte level (a source byte, or a gap byte cut to
  // a byte), so the shading is a lookup.
  const double v = pose.shade;
  const uint8_t* previous = nullptr;
  float previousX = 0.0f;
  for (int32_t w = 0; w < width; ++w) {
    const uint8_t* src = SourcePixel(source, w, width, pose.showsSceneA);
    const float X = tables.columns[w];
    uint8_t* at = out + 3 * static_cast<int32_t>(X);
    for (int32_t k = 0; k < 3; ++k) at[k] = tables.shaded[k][src[k]];
    if (previous != nullptr) {
      const int32_t from = static_cast<int32_t>(previousX < X ? previousX : X) + 1;
      const int32_t to = static_cast<int32_t>(previousX < X ? X : previousX) - 1;
      const double span = static_cast<double>(X) - previousX;
      for (int32_t n = from; n <= to; ++n) {
        const double f = (n - static_cast<double>(previousX)) / span;
        for (int32_t k = 0; k < 3; ++k) {
          const double level = MixByte(previous[k], src[k], f, v);
          out[3 * n + k] = tables.shaded[k][static_cast<int32_t>(level)];
        }
      }
    }
    previousX = X;
    previous = src;
  }
}

int32_t RenderTwister(const FrameView& v) {
  TwisterParams params;
  if (v.paramBlock != nullptr)
    params = *static_cast<const TwisterParams*>(v.paramBlock);
  else
    WriteTwisterDefaults(&params);
  if (v.width <= 0 || v.height <= 0) return 1;

  const PixelBgr background = ColourToPixel(params.backgroundColour);
  const PixelBgr shade =
      ColourToPixel(params.shadingMode == kTwisterShadeToSpecial ? params.specialColour
                                                                 : params.backgroundColour);
  const float rowDelay =
      static_cast<float>((1.0 - static_cast<double>(params.turnTime)) / v.height);
  const float reversed = static_cast<float>(1.0 - static_cast<double>(v.progress));
  // Rows are independent (the tables only keep what a row's angle gives): bands of rows
  // side by side, each with its own tables.
  ForEachRowBand(v.height, 16, [&](int32_t first, int32_t end) {
    TwistRowTables tables;
    tables.angle = -1;
    tables.columns =
        PlainKernels() ? nullptr : new (std::nothrow) float[static_cast<size_t>(v.width)];
    ForEachRectRowIn(
        v, first, end, [&](uint8_t* out, const uint8_t* a, const uint8_t* b, int32_t row) {
          FillRowPixel(out, v.width, background);
          const float rowStart = static_cast<float>(static_cast<double>(row) * rowDelay);
          const TwisterRowPose pose = TwisterPoseForRow(rowStart, reversed, params);
          if (tables.columns != nullptr) {
            PrepareTwistRowTables(v.width, pose, shade, &tables);
            TwistRowWithTables(out, pose.showsSceneA ? a : b, v.width, pose, tables);
          } else {
            TwistRow(out, pose.showsSceneA ? a : b, v.width, pose, shade);
          }
        });
    delete[] tables.columns;
  });
  return 1;
}

}  // namespace zk
