#include "chars_phases.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "colour_word.h"
#include "glow_nearest.h"
#include "pixel_rows.h"

namespace zk {
namespace {

constexpr int32_t kGlowRadius = 4;
constexpr double kGlowStrength = 0.8;

double Clamp01(double x) { return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x); }

// fn for the rectangle rows of `rows`.
template <class RowFn>
void ForEachRowOf(const FrameView& v, const RowRange& rows, RowFn&& fn) {
  ForEachRectRowIn(v, rows.first, rows.end < v.height ? rows.end : v.height, fn);
}

// Dim-out's blend of scene A towards the background: u and the terms of each channel.
struct DimOutTerms {
  double keep;
  double toward[3];
  DimOutTerms(const FrameView& v, const CharsParams& p) {
    const double u =
        p.dimOutEnd > 0.0f ? Clamp01(v.progress / static_cast<double>(p.dimOutEnd)) : 1.0;
    const PixelBgr bg = ColourToPixel(p.backgroundColor);
    toward[0] = u * bg.b;
    toward[1] = u * bg.g;
    toward[2] = u * bg.r;
    keep = 1.0 - u;
  }
  uint8_t Dim(uint8_t a, int32_t channel) const {
    return static_cast<uint8_t>(static_cast<int32_t>(a * keep + toward[channel]));
  }
};

}  // namespace

void DimOutSceneAPlain(const FrameView& v, const CharsParams& p, const RowRange& rows) {
  const DimOutTerms terms(v, p);
  ForEachRowOf(v, rows, [&](uint8_t* out, const uint8_t* a, const uint8_t*, int32_t) {
    for (int32_t i = 0; i < 3 * v.width; ++i) out[i] = terms.Dim(a[i], i % 3);
  });
}

void DimOutSceneA(const FrameView& v, const CharsParams& p, const RowRange& rows) {
  // A byte of scene A has 256 values: each channel's dimmed bytes are a table.
  const DimOutTerms terms(v, p);
  uint8_t dimmed[3][256];
  for (int32_t k = 0; k < 3; ++k) {
    for (int32_t a = 0; a < 256; ++a) dimmed[k][a] = terms.Dim(static_cast<uint8_t>(a), k);
  }
  ForEachRowOf(v, rows, [&](uint8_t* out, const uint8_t* a, const uint8_t*, int32_t) {
    for (int32_t x = 0; x < v.width; ++x) {
      out[3 * x] = dimmed[0][a[3 * x]];
      out[3 * x + 1] = dimmed[1][a[3 * x + 1]];
      out[3 * x + 2] = dimmed[2][a[3 * x + 2]];
    }
  });
}

void CrossfadeToSceneB(const FrameView& v, const CharsParams& p, const RowRange& rows) {
  const double span = 1.0 - p.blendSceneBStart;
  const double f =
      span > 0.0 ? Clamp01((v.progress - static_cast<double>(p.blendSceneBStart)) / span) : 1.0;
  // The table's terms are (1 - f) x current and f x B, the products of the plain formula.
  ByteBlendTable table;
  MakeCrossfadeTable(f, &table);
  ForEachRowOf(v, rows, [&](uint8_t* out, const uint8_t*, const uint8_t* b, int32_t) {
    BlendRowWithTable(out, out, b, 3 * v.width, table);
  });
}

void FillBackground(const FrameView& v, uint32_t backgroundColor, const RowRange& rows) {
  const PixelBgr bg = ColourToPixel(backgroundColor);
  ForEachRowOf(v, rows, [&](uint8_t* out, const uint8_t*, const uint8_t*, int32_t) {
    FillRowPixel(out, v.width, bg);
  });
}

double GlowWeight(int32_t distance) { return (kGlowRadius - distance) / 5.0 * kGlowStrength; }

void ApplyGlowPlain(const FrameView& v, uint32_t backgroundColor) {
  const int32_t w = v.width;
  const int32_t h = v.height;
  if (w <= 0 || h <= 0) return;
  const size_t pixels = static_cast<size_t>(w) * h;
  std::unique_ptr<uint8_t[]> glowed(new (std::nothrow) uint8_t[pixels * 3]);
  std::unique_ptr<uint8_t[]> lit(new (std::nothrow) uint8_t[pixels]);
  if (glowed == nullptr || lit == nullptr) return;

  const PixelBgr bg = ColourToPixel(backgroundColor);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* out = OutRow(v, y);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* px = out + 3 * x;
      lit[static_cast<size_t>(y) * w + x] = px[0] != bg.b || px[1] != bg.g || px[2] != bg.r;
    }
  }
  int32_t distance[2 * kGlowRadius + 1][2 * kGlowRadius + 1];
  for (int32_t dy = -kGlowRadius; dy <= kGlowRadius; ++dy) {
    for (int32_t dx = -kGlowRadius; dx <= kGlowRadius; ++dx) {
      distance[dy + kGlowRadius][dx + kGlowRadius] =
          static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    }
  }

  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* out = OutRow(v, y);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* own = out + 3 * x;
      uint8_t* dst = glowed.get() + (static_cast<size_t>(y) * w + x) * 3;
      std::memcpy(dst, own, 3);
      if (lit[static_cast<size_t>(y) * w + x]) continue;
      // The nearest character pixel, the first one in memory order among equals.
      int32_t best = kGlowRadius + 1;
      const uint8_t* found = nullptr;
      for (int32_t ry = y - kGlowRadius; ry <= y + kGlowRadius; ++ry) {
        if (ry < 0 || ry >= h) continue;
        for (int32_t rx = x - kGlowRadius; rx <= x + kGlowRadius; ++rx) {
          if (rx < 0 || rx >= w || !lit[static_cast<size_t>(ry) * w + rx]) continue;
          const int32_t d = distance[ry - y + kGlowRadius][rx - x + kGlowRadius];
          if (d < best) {
            best = d;
            found = OutRow(v, ry) + 3 * rx;
          }
        }
      }
      if (found == nullptr) continue;
      const double f = GlowWeight(best);
      for (int32_t k = 0; k < 3; ++k) {
        dst[k] = static_cast<uint8_t>(static_cast<int32_t>(own[k] * (1.0 - f) + f * found[k]));
      }
    }
  }
  for (int32_t y = 0; y < h; ++y) {
    std::memcpy(OutRow(v, y), glowed.get() + static_cast<size_t>(y) * w * 3,
                static_cast<size_t>(w) * 3);
  }
}

// The glow in place: a lit pixel is never changed, so the character pixels the glow reads
// are the unglowed ones without a copy of the picture. The nearest character pixel comes
// from the keys of glow_nearest.h, kept for the seven rows around the glowing one; a
// background pixel keeps its colour, so its glowed bytes are a table of the found byte per
// distance.
GlowPass::GlowPass(const FrameView& v, uint32_t backgroundColor, int32_t bands)
    : v_(v),
      bg_(ColourToPixel(backgroundColor)),
      padded_(static_cast<size_t>(GlowPaddedWidth(v.width > 0 ? v.width : 0))),
      markStride_(padded_ + 2 * kGlowMargin),
      bandBytes_(kGlowRows * 4 * padded_ + padded_) {
  if (v.width <= 0 || v.height <= 0 || bands < 1) return;
  const size_t rows = static_cast<size_t>(v.height);
  scratch_.reset(new (std::nothrow) uint8_t[rows * markStride_ + bands * bandBytes_]);
  rowLit_.reset(new (std::nothrow) bool[rows]);
  if (rowLit_ == nullptr) scratch_.reset();
  if (scratch_ == nullptr) return;

  const uint8_t own[3] = {bg_.b, bg_.g, bg_.r};
  for (int32_t d = 1; d <= kGlowReach; ++d) {
    const double f = GlowWeight(d);
    for (int32_t k = 0; k < 3; ++k) {
      for (int32_t found = 0; found < 256; ++found) {
        level_[d - 1][k][found] =
            static_cast<uint8_t>(static_cast<int32_t>(own[k] * (1.0 - f) + f * found));
      }
    }
  }
  // Where each key's character pixel lies from the glowing one, and the glowed bytes at
  // its distance.
  for (Source& s : sources_) s = Source{0, nullptr};
  for (int32_t dy = -kGlowReach; dy <= kGlowReach; ++dy) {
    for (int32_t dx = -kGlowReach; dx <= kGlowReach; ++dx) {
      const int32_t d = GlowClass(dy, dx);
      if (d < 1 || d > kGlowReach) continue;
      sources_[GlowKey(d, dy, dx)] = Source{
          static_cast<ptrdiff_t>(dy) * v.stride + 3 * static_cast<ptrdiff_t>(dx), level_[d - 1]};
    }
  }
}

uint8_t* GlowPass::MarkRow(int32_t row) const {
  return scratch_.get() + static_cast<size_t>(row) * markStride_ + kGlowMargin;
}

void GlowPass::MarkRows(const RowRange& rows) {
  const int32_t w = v_.width;
  const int32_t end = rows.end < v_.height ? rows.end : v_.height;
  for (int32_t row = rows.first; row < end; ++row) {
    uint8_t* m = MarkRow(row);
    // Margins and padding stay unlit.
    std::memset(m - kGlowMargin, kNoGlow, kGlowMargin);
    std::memset(m + w, kNoGlow, markStride_ - kGlowMargin - w);
    rowLit_[row] = MarkCharacterPixels(OutRow(v_, row), w, bg_, m);
  }
}

void GlowPass::GlowRows(int32_t band, const RowRange& rows) {
  const int32_t w = v_.width;
  const int32_t h = v_.height;
  const int32_t end = rows.end < h ? rows.end : h;
  if (rows.first >= end) return;
  const size_t padded = padded_;
  uint8_t* const along = scratch_.get() + static_cast<size_t>(h) * markStride_ +
                         static_cast<size_t>(band) * bandBytes_;
  uint8_t* const keys = along + kGlowRows * 4 * padded;
  auto alongRow = [&](int32_t row, int32_t a) {
    return along + ((row % kGlowRows) * 4 + a) * padded;
  };
  auto enter = [&](int32_t row) {
    if (!rowLit_[row]) return;
    uint8_t* const rowKeys[4] = {alongRow(row, 0), alongRow(row, 1), alongRow(row, 2),
                                 alongRow(row, 3)};
    NearestAlongRow(MarkRow(row), w, rowKeys);
  };
  const int32_t entered = rows.first + kGlowReach < h ? rows.first + kGlowReach : h;
  for (int32_t row = rows.first > kGlowReach ? rows.first - kGlowReach : 0; row < entered; ++row)
    enter(row);
  for (int32_t y = rows.first; y < end; ++y) {
    if (y + kGlowReach < h) enter(y + kGlowReach);
    const uint8_t* rowKeys[kGlowRows];
    bool any = false;
    for (int32_t k = 0; k < kGlowRows; ++k) {
      const int32_t row = y + k - kGlowReach;
      const bool use = row >= 0 && row < h && rowLit_[row];
      rowKeys[k] = use ? alongRow(row, std::abs(k - kGlowReach)) : nullptr;
      any = any || use;
    }
    if (!any) continue;
    NearestAcrossRows(rowKeys, MarkRow(y), w, keys);
    uint8_t* out = OutRow(v_, y);
    for (int32_t x0 = 0; x0 < w; x0 += 16) {
      for (uint32_t glowing = GlowingPixels(keys + x0, w - x0); glowing != 0;
           glowing &= glowing - 1) {
        const int32_t x = x0 + __builtin_ctz(glowing);
        const Source& source = sources_[keys[x]];
        uint8_t* dst = out + 3 * x;
        const uint8_t* found = dst + source.offset;
        dst[0] = source.level[0][found[0]];
        dst[1] = source.level[1][found[1]];
        dst[2] = source.level[2][found[2]];
      }
    }
  }
}

void ApplyGlow(const FrameView& v, uint32_t backgroundColor) {
  GlowPass glow(v, backgroundColor, 1);
  if (!glow.ok()) return;
  glow.MarkRows(kEveryRow);
  glow.GlowRows(0, kEveryRow);
}

}  // namespace zk
