// Helpers for tests that call an effect's render function directly (to hand it a scratch
// source that fails or counts) and for comparing rectangles of frames pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>

#include "effect_host.h"
#include "frame_image.h"
#include "frame_view.h"
#include "scratch_source.h"
#include "test_support.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zk::test {

// A pixel's blue, green and red bytes packed as b | g << 8 | r << 16, for compact
// expectations.
inline uint32_t Bgr(int b, int g, int r) { return b | g << 8 | r << 16; }
inline uint32_t At(const FrameImage& f, int32_t x, int32_t row) {
  const uint8_t* p = PixelAt(f, x, row);
  return Bgr(p[0], p[1], p[2]);
}

// The view a module decodes from the request the host would send for these frames.
inline FrameView DirectView(FrameImage* out, const FrameImage& a, const FrameImage& b, float p,
                            const RenderChoices& c) {
  BitmapHeader header{};
  header.headerSize = sizeof header;
  header.width = out->width;
  header.height = out->height;
  ApplyRequest request{};
  request.outputHeader = &header;
  request.outputPixels = out->pixels.data();
  request.sceneAPixels = a.pixels.data();
  request.sceneBPixels = b.pixels.data();
  request.variantFlags = c.variantFlags;
  request.extraFlags = c.extraFlags;
  request.extraColor = c.extraColor;
  request.progress = p;
  request.rectLeft = c.wholeFrame ? 0 : c.rectLeft;
  request.rectTop = c.wholeFrame ? 0 : c.rectTop;
  request.rectWidth = c.wholeFrame ? out->width : c.rectWidth;
  request.rectHeight = c.wholeFrame ? out->height : c.rectHeight;
  request.requestMode = c.requestMode;
  return DecodeApplyRequest(request, c.fieldMode, true);
}

// Scratch that is never available.
inline void* NoMemory(size_t) { return nullptr; }
inline void NeverReleased(void*) { ADD_FAILURE() << "released a block never handed out"; }
inline const ScratchSource kFailingScratch = {NoMemory, NeverReleased};

// Heap scratch that counts what it hands out and takes back.
struct ScratchCounts {
  int allocations = 0;
  int releases = 0;
  size_t lastBytes = 0;
};
inline ScratchCounts g_scratchCounts;
inline void* CountedAllocate(size_t bytes) {
  ++g_scratchCounts.allocations;
  g_scratchCounts.lastBytes = bytes;
  return std::malloc(bytes);
}
inline void CountedRelease(void* block) {
  ++g_scratchCounts.releases;
  std::free(block);
}
inline const ScratchSource kCountingScratch = {CountedAllocate, CountedRelease};

// The rectangle (left, top, width, height) of a frame as a frame of its own.
inline FrameImage CropFrame(const FrameImage& f, int32_t left, int32_t top, int32_t width,
                            int32_t height) {
  FrameImage c = MakeFrameImage(width, height);
  for (int32_t row = 0; row < height; ++row) {
    std::memcpy(PixelAt(c, 0, row), PixelAt(f, left, top + row), static_cast<size_t>(width) * 3);
  }
  return c;
}

// True when pixel (x, row) of `out` holds the bytes of pixel (sx, srow) of `src`.
inline ::testing::AssertionResult PixelFrom(const FrameImage& out, int32_t x, int32_t row,
                                            const FrameImage& src, int32_t sx, int32_t srow) {
  if (std::memcmp(PixelAt(out, x, row), PixelAt(src, sx, srow), 3) == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << row << ") is not source pixel (" << sx << ", " << srow << ")";
}

inline ::testing::AssertionResult PixelIs(const FrameImage& out, int32_t x, int32_t row, int b,
                                          int g, int r) {
  const uint8_t* p = PixelAt(out, x, row);
  if (p[0] == b && p[1] == g && p[2] == r) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << row << ") is (" << int{p[0]} << ", " << int{p[1]} << ", "
         << int{p[2]} << "), expected (" << b << ", " << g << ", " << r << ")";
}

// True when every pixel of the frame's first `width` columns and `height` rows equals the
// same pixel of `src`, rows listed in `skipRow` (or -1) excepted.
inline ::testing::AssertionResult SameRect(const FrameImage& out, const FrameImage& src,
                                           int32_t width, int32_t height, int32_t skipRow = -1) {
  for (int32_t row = 0; row < height; ++row) {
    if (row == skipRow) continue;
    for (int32_t x = 0; x < width; ++x) {
      if (std::memcmp(PixelAt(out, x, row), PixelAt(src, x, row), 3) != 0) {
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << row << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Loads a module and describes it into a record the host prefilled with 0xAB bytes.
inline bool DescribeOverHostBytes(const std::string& name, EffectInfo* info) {
  LoadedModule m;
  std::string error;
  if (!LoadModule(ModulePath(ZELKOR_TEST_MODULE_DIR, name), &m, &error)) {
    ADD_FAILURE() << error;
    return false;
  }
  std::memset(info, 0xAB, sizeof *info);
  const int32_t result = m.getEffInfo(info);
  UnloadModule(&m);
  return result == 1;
}

// The module texts are code page 936 bytes; a Windows host reads them back as written only
// in a Chinese locale.
inline bool HostReadsChineseTexts() {
#if defined(_WIN32)
  return GetACP() == 936;
#else
  return true;
#endif
}

inline std::string TextOf(const char* field, size_t size) { return ModuleTextToUtf8(field, size); }

constexpr uint32_t kHostWord = 0xABABABABu;

// The numeric words a module writes into its description; `extraWritten` false means the
// extra mask keeps the host's bytes.
struct DescriptionWords {
  uint32_t variantMask, variantDefault, variantAlternate;
  bool extraWritten;
  uint32_t extraMask, extraDefault, extraAlternate;
};

// Describes the module over host bytes and checks its words and texts (UTF-8).
inline void ExpectDescription(const std::string& module, const DescriptionWords& w,
                              const char* effectName, const char* groupName,
                              const char* description) {
  EffectInfo info;
  ASSERT_TRUE(DescribeOverHostBytes(module, &info));
  EXPECT_EQ(w.variantMask, info.variantMask);
  EXPECT_EQ(w.variantDefault, info.variantDefault);
  EXPECT_EQ(w.variantAlternate, info.variantAlternate);
  EXPECT_EQ(w.extraWritten ? w.extraMask : kHostWord, info.extraMask);
  EXPECT_EQ(w.extraDefault, info.extraDefault);
  EXPECT_EQ(w.extraAlternate, info.extraAlternate);
  EXPECT_EQ(0u, info.auxWord);
  EXPECT_EQ(static_cast<int32_t>(kHostWord), info.paramBlockSize);  // no settings record
  if (HostReadsChineseTexts()) {
    EXPECT_EQ(effectName, TextOf(info.effectName, sizeof info.effectName));
    EXPECT_EQ(groupName, TextOf(info.groupName, sizeof info.groupName));
    EXPECT_EQ(description, TextOf(info.description, sizeof info.description));
  }
}

inline RenderChoices Choose(uint32_t variant, int32_t field = 0, uint32_t extra = 0,
                            int32_t requestMode = 0) {
  RenderChoices c;
  c.variantFlags = variant;
  c.fieldMode = field;
  c.extraFlags = extra;
  c.requestMode = requestMode;
  return c;
}

// A fixture holding one built module for the length of a test.
class BuiltModuleTest : public ::testing::Test {
 protected:
  explicit BuiltModuleTest(const char* name) : name_(name) {}
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect(name_, &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  // Renders whole frames into a fresh output; the call must succeed.
  FrameImage RenderWhole(const FrameImage& a, const FrameImage& b, float p,
                         const RenderChoices& c) {
    FrameImage out = MakeFrameImage(a.width, a.height, 0xC5);
    EXPECT_EQ(1, RenderEffectFrame(effect_, a, b, p, c, &out));
    return out;
  }

  // The rectangle (left, top, width, height) of large frames renders as the same frames
  // cropped to it, and nothing outside it is written.
  ::testing::AssertionResult RectMatchesCropped(const FrameImage& a, const FrameImage& b, float p,
                                                RenderChoices c, int32_t left, int32_t top,
                                                int32_t width, int32_t height) {
    FrameImage out = MakeFrameImage(a.width, a.height, 0x4D);
    c.wholeFrame = false;
    c.rectLeft = left;
    c.rectTop = top;
    c.rectWidth = width;
    c.rectHeight = height;
    if (RenderEffectFrame(effect_, a, b, p, c, &out) != 1) {
      return ::testing::AssertionFailure() << "render declined";
    }
    if (!OutsideRectUntouched(out, left, top, width, height, 0x4D)) {
      return ::testing::AssertionFailure() << "wrote outside the rectangle";
    }
    c.wholeFrame = true;
    const FrameImage alone = RenderWhole(CropFrame(a, left, top, width, height),
                                         CropFrame(b, left, top, width, height), p, c);
    return SameRect(CropFrame(out, left, top, width, height), alone, width, height)
           << " (variant " << c.variantFlags << ", extra " << c.extraFlags << ", field "
           << c.fieldMode << ", p " << p << ")";
  }

  // Every rectangle of 1, 2, 3 or 5 columns and rows at (1, 1) of 6 x 6 frames of solid
  // colour, in both field modes: the call succeeds, writes every pixel inside (its blue
  // byte one of `allowedBlue`) and nothing outside.
  ::testing::AssertionResult TinyRectanglesFilled(const FrameImage& a, const FrameImage& b, float p,
                                                  RenderChoices c,
                                                  std::initializer_list<int> allowedBlue) {
    for (int32_t w : {1, 2, 3, 5}) {
      for (int32_t h : {1, 2, 3, 5}) {
        for (int32_t field : {0, 1}) {
          c.fieldMode = field;
          FrameImage out = MakeFrameImage(6, 6, 0x99);
          const auto where = [&] {
            return ::testing::Message() << w << "x" << h << " field " << field << " p " << p;
          };
          if (RenderRect(effect_, a, b, p, 1, 1, w, h, &out, c) != 1) {
            return ::testing::AssertionFailure() << "declined " << where();
          }
          if (!OutsideRectUntouched(out, 1, 1, w, h, 0x99)) {
            return ::testing::AssertionFailure() << "wrote outside " << where();
          }
          for (int32_t row = 1; row < 1 + h; ++row) {
            for (int32_t x = 1; x < 1 + w; ++x) {
              const int blue = PixelAt(out, x, row)[0];
              bool allowed = false;
              for (int v : allowedBlue) allowed = allowed || v == blue;
              if (!allowed) {
                return ::testing::AssertionFailure()
                       << "blue " << blue << " at (" << x << ", " << row << ") " << where();
              }
            }
          }
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  // Progress far outside 0..1, or not a number, is held to the nearer end (NaN to 0): the
  // rectangle renders as at p = 0 or p = 1 and nothing outside it is written.
  ::testing::AssertionResult WildProgressHeldToEnds(const FrameImage& a, const FrameImage& b,
                                                    RenderChoices c) {
    const int32_t left = 2, top = 1, width = a.width - 4, height = a.height - 2;
    c.wholeFrame = false;
    c.rectLeft = left;
    c.rectTop = top;
    c.rectWidth = width;
    c.rectHeight = height;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float cases[][2] = {
        {-1e30f, 0.0f}, {-0.5f, 0.0f}, {nan, 0.0f}, {1.5f, 1.0f}, {1e30f, 1.0f}};
    for (const auto& wildAndEnd : cases) {
      FrameImage wild = MakeFrameImage(a.width, a.height, 0x4D);
      FrameImage end = MakeFrameImage(a.width, a.height, 0x4D);
      if (RenderEffectFrame(effect_, a, b, wildAndEnd[0], c, &wild) != 1 ||
          RenderEffectFrame(effect_, a, b, wildAndEnd[1], c, &end) != 1) {
        return ::testing::AssertionFailure() << "declined at p " << wildAndEnd[0];
      }
      if (wild.pixels != end.pixels) {
        return ::testing::AssertionFailure()
               << "p " << wildAndEnd[0] << " differs from p " << wildAndEnd[1];
      }
    }
    FrameImage out = MakeFrameImage(a.width, a.height, 0x4D);
    RenderEffectFrame(effect_, a, b, 0.0f, c, &out);
    if (!OutsideRectUntouched(out, left, top, width, height, 0x4D)) {
      return ::testing::AssertionFailure() << "wrote outside the rectangle";
    }
    return ::testing::AssertionSuccess();
  }

  // Renders the rectangle of frames filled with 0x4D elsewhere; nothing outside it may
  // change.
  FrameImage RenderInRect(const FrameImage& a, const FrameImage& b, float p, const RenderChoices& c,
                          int32_t left, int32_t top, int32_t width, int32_t height) {
    FrameImage out = MakeFrameImage(a.width, a.height, 0x4D);
    EXPECT_EQ(1, RenderRect(effect_, a, b, p, left, top, width, height, &out, c));
    EXPECT_TRUE(OutsideRectUntouched(out, left, top, width, height, 0x4D))
        << width << "x" << height << " p " << p;
    return out;
  }

  // On 31 x 21 pattern frames: the rectangle (5, 4, 19, 13) renders as the frames cropped
  // to it, wild progress as the nearer end, and rectangles of 1 to 5 columns and rows at
  // (7, 2) touch nothing outside themselves.
  void ExpectRectangleContract(const RenderChoices& c) {
    const FrameImage a = PatternFrame(31, 21, 41);
    const FrameImage b = PatternFrame(31, 21, 42);
    for (float p : {0.0f, 0.2f, 0.5f, 0.8f, 1.0f})
      EXPECT_TRUE(RectMatchesCropped(a, b, p, c, 5, 4, 19, 13));
    EXPECT_TRUE(WildProgressHeldToEnds(a, b, c));
    for (int32_t w : {1, 2, 3, 5}) {
      for (int32_t h : {1, 2, 3, 5}) {
        for (float p : {0.0f, 0.3f, 0.6f, 1.0f}) RenderInRect(a, b, p, c, 7, 2, w, h);
      }
    }
  }

  const char* name_;
  HostedEffect effect_;
};

}  // namespace zk::test
