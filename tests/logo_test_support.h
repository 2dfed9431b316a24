// Helpers of the logo tests: settings with chosen layers, mask pictures written as files,
// and direct render calls with a chosen scratch source.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "direct_render_support.h"
#include "frame_image.h"
#include "image_files.h"
#include "logo_params.h"
#include "logo_render.h"
#include "logo_resource.h"

namespace zk::test {

// Every layer off, black colour background, the built-in mask.
inline LogoParams LayersOff() {
  LogoParams p;
  ApplyLogoPreset(&p, 0);
  for (LayerSettings& s : p.layers) s.useLayer = 0;
  return p;
}

// One layer on, standing still (no motion, no rotation) over the span start..end.
inline LayerSettings& UseLayer(LogoParams* p, int32_t layer, float start, float end,
                               int32_t dissolve = 0) {
  LayerSettings& s = p->layers[layer];
  s = LayerSettings{};
  s.useLayer = 1;
  s.start = start;
  s.end = end;
  s.dissolve = dissolve;
  return s;
}

inline void SetPath(char* field, size_t bytes, const std::string& path) {
  ASSERT_LT(path.size(), bytes);
  std::memset(field, 0, bytes);
  std::memcpy(field, path.data(), path.size());
}

// Uses `picture` (a 24-bit frame, bottom row first) as the user's mask file.
inline void UseMaskPicture(LogoParams* p, const FrameImage& picture, const std::string& name) {
  const std::string path = TempPath(name);
  std::string error;
  ASSERT_TRUE(WriteImageFile(path, picture, &error)) << error;
  p->maskSource = 1;
  SetPath(p->maskFile, sizeof p->maskFile, path);
}

// A picture of one grey level: every mask byte becomes that level.
inline FrameImage GreyPicture(uint8_t level) { return SolidFrame(2, 2, level, level, level); }

// Renders the whole frame directly (the built-in mask from the embedded copy).
inline int32_t RenderDirect(const LogoParams& p, const FrameImage& a, const FrameImage& b,
                            float progress, FrameImage* out, int32_t fieldMode = 0,
                            const ScratchSource& scratch = kHeapScratch) {
  RenderChoices c;
  c.fieldMode = fieldMode;
  FrameView v = DirectView(out, a, b, progress, c);
  v.paramBlock = const_cast<LogoParams*>(&p);
  return RenderLogo(v, LoadEmbeddedBitmapResource, scratch);
}

}  // namespace zk::test
