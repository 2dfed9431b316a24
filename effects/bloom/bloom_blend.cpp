#include "bloom_blend.h"

#include <cstring>

#include "bloom_params.h"
#include "pixel_rows.h"
#include "rand15.h"
#include "saturated_rows.h"

namespace zk {
namespace {

uint8_t ClampToByte(double v) {
  const int32_t t = static_cast<int32_t>(v);
  return static_cast<uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
}

// Up to the halfway point the byte moves from `a` toward `level` (reached at f = 0.5),
// then from `level` into `b`. The bloom modes overshoot by 255 and rely on the clamp.
uint8_t ThroughWhite(int32_t a, int32_t b, float f) {
  if (f < 0.5f) return ClampToByte(a + static_cast<double>(f) * 510);
  return ClampToByte(b + (1 - (static_cast<double>(f) - 0.5) * 2) * 255);
}
uint8_t ThroughBlack(int32_t a, int32_t b, float f) {
  if (f < 0.5f) return ClampToByte(a - static_cast<double>(f) * 510);
  return ClampToByte(b - (1 - (static_cast<double>(f) - 0.5) * 2) * 255);
}
uint8_t ThroughNoise(int32_t a, int32_t b, float f, int32_t noise) {
  if (f < 0.5f) return ClampToByte((noise - a) * static_cast<double>(f) * 2 + a);
  return ClampToByte((1 - (static_cast<double>(f) - 0.5) * 2) * (noise - b) + b);
}

void CrossfadeRow(uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f, int32_t from,
                  int32_t to) {
  for (int32_t x = from; x < to; ++x) {
    const double w = f[x];
    for (int32_t j = 0; j < 3; ++j) {
      const int32_t i = 3 * x + j;
      // f stays within 0..1, so the blend stays between the two bytes.
      out[i] = static_cast<uint8_t>(static_cast<int32_t>((b[i] - a[i]) * w + a[i]));
    }
  }
}

template <uint8_t (*Through)(int32_t, int32_t, float)>
void FlashRow(uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f, int32_t from,
              int32_t to) {
  for (int32_t x = from; x < to; ++x) {
    for (int32_t j = 0; j < 3; ++j) out[3 * x + j] = Through(a[3 * x + j], b[3 * x + j], f[x]);
  }
}

void NoiseRow(bool perByte, uint8_t* out, const uint8_t* a, const uint8_t* b, const float* f,
              int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    // One level for the whole pixel (grey), or a fresh one before every byte (colour);
    // drawn whatever the pixel's position, so the sequence does not depend on p.
    int32_t noise = perByte ? 0 : BloomNoiseLevel(Rand15Next());
    for (int32_t j = 0; j < 3; ++j) {
      if (perByte) noise = BloomNoiseLevel(Rand15Next());
      out[3 * x + j] = ThroughNoise(a[3 * x + j], b[3 * x + j], f[x], noise);
    }
  }
}

// A run of pixels that share one local position f moves every byte the same way, and for
// most f that way is a whole number of levels or an exact fixed-point crossfade:
// - f = 0 or 1: the bytes of scene A or scene B themselves ((b - a) x 0 + a, a + 0 x 510,
//   b + 0 x 255 and their kin are exact).
// - bloom white: u = f x 510 (or w = (1 - (f - 0.5) x 2) x 255) is exact in double and its
//   fraction, when it has one, is a multiple of 2^-34 at least, far above the rounding of
//   the sum with a byte; so trunc(a + u) = a + trunc(u), and the clamp makes it a saturated
//   add. Below f = 2^-10, u < 0.5 and the sum truncates to a all the same.
// - bloom black: likewise trunc(a - u) = a - ceil(u) where that is not negative, and 0 (or
//   less, clamped) where it is; below f = 2^-10 the rounding of a - u decides, so those
//   runs take the plain bytes.
// - crossfade: for f from 2^-7 on, the fixed-point crossfade row (pixel_rows.h).
constexpr float kBlackExactFrom = 0x1p-10f;

uint8_t Levels(double v) { return static_cast<uint8_t>(v > 255 ? 255 : v); }
uint8_t CeilingLevels(double v) {
  const double t = static_cast<double>(static_cast<int32_t>(v > 256 ? 256 : v));
  return Levels(t == v ? t : t + 1);
}

BloomRun Step(BloomRun::Kind kind, bool fromB = false, uint8_t level = 0) {
  BloomRun r{};
  r.kind = kind;
  r.fromB = fromB;
  r.level = level;
  return r;
}

BloomRun StepForRun(int32_t mode, float f) {
  if (f == 0.0f) return Step(BloomRun::kCopyA, false, 0);
  if (f == 1.0f) return Step(BloomRun::kCopyB, false, 0);
  if (!(f > 0.0f && f < 1.0f)) return Step(BloomRun::kPlain, false, 0);
  const double fd = f;
  if (mode == kBloomWhite) {
    if (f < 0.5f) return Step(BloomRun::kAdd, false, Levels(static_cast<int32_t>(fd * 510)));
    return Step(BloomRun::kAdd, true, Levels(static_cast<int32_t>((1 - (fd - 0.5) * 2) * 255)));
  }
  if (mode == kBloomBlack) {
    if (f < 0.5f) {
      if (f < kBlackExactFrom) return Step(BloomRun::kPlain, false, 0);
      return Step(BloomRun::kSubtract, false, CeilingLevels(fd * 510));
    }
    return Step(BloomRun::kSubtract, true, CeilingLevels((1 - (fd - 0.5) * 2) * 255));
  }
  if (CrossfadeFixedPointApplies(f)) return Step(BloomRun::kFixedCrossfade, false, 0);
  return Step(BloomRun::kPlain, false, 0);
}

template <class PixelFn>
void ApplyRun(const BloomRun& run, uint8_t* out, const uint8_t* a, const uint8_t* b,
              PixelFn blendPixels) {
  const int32_t from = 3 * run.from;
  const int32_t bytes = 3 * (run.to - run.from);
  // Runs of a pixel or two (a circle's rings, say) are shifted in place: a call to a row
  // kernel would cost more than the bytes.
  constexpr int32_t kShortRun = 16;
  if (bytes < kShortRun && (run.kind == BloomRun::kAdd || run.kind == BloomRun::kSubtract)) {
    const uint8_t* s = (run.fromB ? b : a) + from;
    uint8_t* o = out + from;
    for (int32_t i = 0; i < bytes; ++i) {
      const int32_t v = run.kind == BloomRun::kAdd ? s[i] + run.level : s[i] - run.level;
      o[i] = static_cast<uint8_t>(v > 255 ? 255 : (v < 0 ? 0 : v));
    }
    return;
  }
  switch (run.kind) {
    case BloomRun::kCopyA:
      std::memcpy(out + from, a + from, static_cast<size_t>(bytes));
      break;
    case BloomRun::kCopyB:
      std::memcpy(out + from, b + from, static_cast<size_t>(bytes));
      break;
    case BloomRun::kAdd:
      AddSaturatedRow(out + from, (run.fromB ? b : a) + from, bytes, run.level);
      break;
    case BloomRun::kSubtract:
      SubtractSaturatedRow(out + from, (run.fromB ? b : a) + from, bytes, run.level);
      break;
    case BloomRun::kFixedCrossfade:
      CrossfadeRowFixedSse2(out + from, a + from, b + from, bytes, run.position);
      break;
    default:
      blendPixels(run.from, run.to);
      break;
  }
}

// The end of the run of equal positions that starts at x.
int32_t RunEnd(const float* f, int32_t x, int32_t width) {
  int32_t end = x + 1;
  while (end < width && f[end] == f[x]) ++end;
  return end;
}

BloomRun RunAt(int32_t mode, const float* f, int32_t x, int32_t width) {
  BloomRun run = StepForRun(mode, f[x]);
  run.from = x;
  run.to = RunEnd(f, x, width);
  run.position = f[x];
  return run;
}

// The plain bytes of pixels from .. to - 1 in the given mode.
void BlendPixelsPlain(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                      const float* f, int32_t from, int32_t to) {
  if (mode == kBloomWhite) {
    FlashRow<ThroughWhite>(out, a, b, f, from, to);
  } else if (mode == kBloomBlack) {
    FlashRow<ThroughBlack>(out, a, b, f, from, to);
  } else {
    CrossfadeRow(out, a, b, f, from, to);
  }
}

}  // namespace

int32_t BloomNoiseLevel(int32_t draw) {
  const int32_t r = draw * 127 / 32767 + 128;
  return r * r * r / 255 / 255;
}

void BloomBlendRowPlain(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                        const float* positions, int32_t width) {
  switch (mode) {
    case kBloomWhite:
      FlashRow<ThroughWhite>(out, a, b, positions, 0, width);
      break;
    case kBloomBlack:
      FlashRow<ThroughBlack>(out, a, b, positions, 0, width);
      break;
    case kBloomNoiseGrey:
      NoiseRow(false, out, a, b, positions, width);
      break;
    case kBloomNoiseColour:
      NoiseRow(true, out, a, b, positions, width);
      break;
    default:
      CrossfadeRow(out, a, b, positions, 0, width);
      break;
  }
}

int64_t BloomRowDraws(int32_t mode, int32_t width) {
  if (mode == kBloomNoiseGrey) return width;
  return mode == kBloomNoiseColour ? int64_t{3} * width : 0;
}

bool BloomModeHasRuns(int32_t mode) { return mode != kBloomNoiseGrey && mode != kBloomNoiseColour; }

void BloomBlendRow(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                   const float* positions, int32_t width) {
  if (!BloomModeHasRuns(mode)) {
    // Every pixel draws its noise whatever its position: nothing to skip.
    BloomBlendRowPlain(mode, out, a, b, positions, width);
    return;
  }
  for (int32_t x = 0; x < width;) {
    const BloomRun run = RunAt(mode, positions, x, width);
    ApplyRun(run, out, a, b, [&](int32_t from, int32_t to) {
      BlendPixelsPlain(mode, out, a, b, positions, from, to);
    });
    x = run.to;
  }
}

int32_t PlanBloomRuns(int32_t mode, const float* positions, int32_t width, BloomRun* runs) {
  int32_t count = 0;
  for (int32_t x = 0; x < width; x = runs[count++].to)
    runs[count] = RunAt(mode, positions, x, width);
  return count;
}

void BloomBlendPlannedRow(int32_t mode, uint8_t* out, const uint8_t* a, const uint8_t* b,
                          const float* positions, const BloomRun* runs, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    ApplyRun(runs[i], out, a, b, [&](int32_t from, int32_t to) {
      BlendPixelsPlain(mode, out, a, b, positions, from, to);
    });
  }
}

}  // namespace zk
