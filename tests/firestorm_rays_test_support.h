// Helpers the firestorm and rays tests share: float bit patterns, the rays records the
// tests start from, render views for direct calls, scratch that fails or counts, pixel
// checks, module texts, and the dialog's size in dialog units.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "direct_render_support.h"
#include "effect_host.h"
#include "float_bits.h"
#include "frame_image.h"
#include "frame_view.h"
#include "rays_params.h"
#include "scratch_source.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zk::test {

inline RaysParams RaysDefaults() {
  RaysParams p;
  std::memset(&p, 0, sizeof p);
  WriteRaysDefaults(&p);
  return p;
}

// Straight threshold lines: exponent 1 and level 0.5 make T(x) = x exactly.
inline RaysParams RaysStraightLines() {
  RaysParams p = RaysDefaults();
  p.riseExponent = p.fallExponent = 1;
  p.riseLevel = p.fallLevel = 0.5f;
  return p;
}

// The view a module decodes from the host's request over the chosen rectangle.
inline FrameView ViewOf(FrameImage* out, const FrameImage& a, const FrameImage& b, float p,
                        int32_t left, int32_t top, int32_t width, int32_t height,
                        void* paramBlock) {
  RenderChoices c;
  c.wholeFrame = false;
  c.rectLeft = left;
  c.rectTop = top;
  c.rectWidth = width;
  c.rectHeight = height;
  FrameView v = DirectView(out, a, b, p, c);
  v.paramBlock = paramBlock;
  return v;
}

inline ::testing::AssertionResult PixelEquals(const FrameImage& f, int32_t x, int32_t row, int b,
                                              int g, int r) {
  const uint8_t* p = PixelAt(f, x, row);
  if (p[0] == b && p[1] == g && p[2] == r) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << row << ") is (" << int{p[0]} << ", " << int{p[1]} << ", "
         << int{p[2]} << "), expected (" << b << ", " << g << ", " << r << ")";
}

// A module text as UTF-8. The texts are code page 936 bytes, which a Windows host reads back
// as written only in a Chinese locale.
inline std::string ModuleText(const char* field, size_t size) {
  return ModuleTextToUtf8(field, size);
}
inline bool ChineseTextsReadable() {
#if defined(_WIN32)
  return GetACP() == 936;
#else
  return true;
#endif
}

#if defined(_WIN32)
// The dialog's client area is width x height dialog units in its own font.
inline ::testing::AssertionResult ClientIsDialogUnits(HWND dialog, LONG width, LONG height) {
  RECT units = {0, 0, width, height};
  MapDialogRect(dialog, &units);
  RECT client;
  GetClientRect(dialog, &client);
  if (client.right == units.right && client.bottom == units.bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "client " << client.right << " x " << client.bottom
                                       << ", expected " << units.right << " x " << units.bottom;
}
#endif

}  // namespace zk::test
