// Logo frames: backgrounds, layers at rest and in motion, the masked cross-fade, the two
// drawing passes, the mask's orientation and fallbacks, field mode, the request's
// rectangle, failing memory and bad records; through the built module where the host's
// view matters, directly where a scratch source has to fail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "logo_params.h"
#include "logo_test_support.h"

namespace zk {
namespace {

using test::GreyPicture;
using test::LayersOff;
using test::PixelIs;
using test::RenderDirect;
using test::SolidFrame;
using test::UseLayer;
using test::UseMaskPicture;

constexpr int32_t W = 40;
constexpr int32_t H = 20;

// A picture of the frame's size, white where `white(x, storedRow)`.
template <class White>
FrameImage TwoTone(White white) {
  FrameImage f = MakeFrameImage(W, H);
  for (int32_t row = 0; row < H; ++row) {
    for (int32_t x = 0; x < W; ++x) {
      if (white(x, row)) std::memset(PixelAt(f, x, row), 255, 3);
    }
  }
  return f;
}

class LogoRenderTest : public ::testing::Test {
 protected:
  const FrameImage a_ = SolidFrame(W, H, 200, 100, 40);
  const FrameImage b_ = SolidFrame(W, H, 20, 60, 240);

  FrameImage Render(const LogoParams& p, float progress, int32_t field = 0) {
    FrameImage out = MakeFrameImage(W, H, 0x5A);
    EXPECT_EQ(RenderDirect(p, a_, b_, progress, &out, field), 1);
    return out;
  }
};

TEST_F(LogoRenderTest, AllLayersOffGivesTheBackgroundAlone) {
  LogoParams p = LayersOff();
  const FrameImage pa = test::PatternFrame(W, H, 1);
  const FrameImage pb = test::PatternFrame(W, H, 2);
  for (float progress : {0.0f, 0.4f, 1.0f}) {
    p.backgroundType = kBackgroundColour;
    p.backgroundColor = 0x123456;
    FrameImage out = Render(p, progress);
    EXPECT_EQ(out.pixels, SolidFrame(W, H, 0x12, 0x34, 0x56).pixels);
    p.backgroundType = 9;  // any other value: the colour as well
    EXPECT_EQ(Render(p, progress).pixels, out.pixels);
    for (int32_t type : {kBackgroundSceneA, kBackgroundSceneB}) {
      p.backgroundType = type;
      FrameImage scene = MakeFrameImage(W, H, 0x5A);
      ASSERT_EQ(RenderDirect(p, pa, pb, progress, &scene), 1);
      EXPECT_EQ(scene.pixels, (type == kBackgroundSceneA ? pa : pb).pixels);
    }
  }
  // A bitmap that cannot be read gives way to the built-in picture, stretched upright.
  p.backgroundType = kBackgroundBitmap;
  test::SetPath(p.backgroundFile, sizeof p.backgroundFile,
                std::string(ZELKOR_TEST_SOURCE_DIR) + "/effects/logo/mask/default_mask.bmp");
  const FrameImage fromFile = Render(p, 0.5f);
  for (const std::string& name : {std::string(""), test::TempPath("logo_no_such.bmp")}) {
    test::SetPath(p.backgroundFile, sizeof p.backgroundFile, name);
    EXPECT_EQ(Render(p, 0.5f).pixels, fromFile.pixels) << name;
  }
  std::memset(p.backgroundFile, 'x', sizeof p.backgroundFile);  // no terminator
  EXPECT_EQ(Render(p, 0.5f).pixels, fromFile.pixels);
  EXPECT_TRUE(PixelIs(fromFile, 0, 0, 0, 0, 0));  // the picture's black margin
  EXPECT_NE(fromFile.pixels, MakeFrameImage(W, H, 0).pixels);
}

TEST_F(LogoRenderTest, LayerAtRestIsUnlitAndStartEqualToEndNeverMoves) {
  LogoParams p = LayersOff();
  p.impact = 1.0f;
  p.backgroundType = kBackgroundSceneB;
  UseMaskPicture(&p, GreyPicture(255), "logo_white_mask.bmp");
  LayerSettings& s = UseLayer(&p, kSceneAForeground, 0.5f, 0.5f);
  s.motion = 7;
  s.rotation = 3;
  for (float progress : {0.0f, 0.5f, 0.9f, 1.0f}) {
    // Lying in the image plane, the layer is neither lit nor darkened: scene A exactly.
    EXPECT_EQ(Render(p, progress).pixels, a_.pixels) << progress;
  }
  // Moving, the same layer is shaded.
  s.end = 1.0f;
  s.motion = 0;
  s.rotation = 1;
  const FrameImage turned = Render(p, 0.6f);
  EXPECT_NE(turned.pixels, a_.pixels);
  // A scene B layer with start = end stays at its far position all along.
  p = LayersOff();
  UseLayer(&p, kSceneBForeground, 0.3f, 0.3f).rotation = 1;  // a half turn: seen from behind
  const FrameImage away = Render(p, 0.0f);
  EXPECT_NE(away.pixels, MakeFrameImage(W, H, 0).pixels);
  for (float progress : {0.3f, 0.31f, 1.0f}) EXPECT_EQ(Render(p, progress).pixels, away.pixels);
}

TEST_F(LogoRenderTest, StillDissolvingLayerIsAMaskedCrossFade) {
  LogoParams p = LayersOff();
  p.backgroundType = kBackgroundSceneB;
  UseMaskPicture(&p, TwoTone([](int32_t x, int32_t) { return x < W / 2; }), "logo_halves.bmp");
  UseLayer(&p, kSceneAForeground, 0.0f, 1.0f, /*dissolve=*/1);
  struct Want {
    float progress;
    int b, g, r;
  };
  // B + (A - B) (1 - p) where the mask is white, B where it is black.
  const Want want[] = {{0.0f, 200, 100, 40},
                       {0.25f, 155, 90, 90},
                       {0.5f, 110, 80, 140},
                       {0.75f, 65, 70, 190},
                       {1.0f, 20, 60, 240}};
  for (const Want& w : want) {
    const FrameImage out = Render(p, w.progress);
    for (int32_t row = 0; row < H; ++row) {
      for (int32_t x = 0; x < W; ++x) {
        if (x < W / 2 - 1) {
          ASSERT_TRUE(PixelIs(out, x, row, w.b, w.g, w.r)) << w.progress;
        } else if (x > W / 2) {
          ASSERT_TRUE(PixelIs(out, x, row, 20, 60, 240)) << w.progress;
        }
      }
    }
  }
}

TEST_F(LogoRenderTest, BackgroundLayersAreDrawnInBothPasses) {
  // A black mask: the background layers cover everything, the foreground layers nothing.
  LogoParams p = LayersOff();
  UseMaskPicture(&p, GreyPicture(0), "logo_black_mask.bmp");
  UseLayer(&p, kSceneABackground, 0.0f, 1.0f, /*dissolve=*/1);
  // Half faded: black + 200 / 2 = 100 in the first pass, 100 + (200 - 100) / 2 in the
  // second, where nothing in front took the depth.
  EXPECT_TRUE(PixelIs(Render(p, 0.5f), 7, 3, 150, 75, 30));
  // The foreground layer is drawn once, in the second pass only.
  p = LayersOff();
  UseMaskPicture(&p, GreyPicture(255), "logo_white_mask.bmp");
  UseLayer(&p, kSceneAForeground, 0.0f, 1.0f, /*dissolve=*/1);
  EXPECT_TRUE(PixelIs(Render(p, 0.5f), 7, 3, 100, 50, 20));
  // A grey mask shares the pixel: 0.4 coverage (102/255) of three-quarters opacity.
  UseMaskPicture(&p, GreyPicture(102), "logo_grey_mask.bmp");
  EXPECT_TRUE(PixelIs(Render(p, 0.25f), 7, 3, 60, 30, 12));
}

TEST_F(LogoRenderTest, MaskStandsUpright) {
  // A user mask whose upper half (the last stored rows) is white.
  LogoParams p = LayersOff();
  UseMaskPicture(&p, TwoTone([](int32_t, int32_t row) { return row >= H / 2; }), "logo_top.bmp");
  UseLayer(&p, kSceneAForeground, 0.5f, 0.5f);
  const FrameImage out = Render(p, 0.2f);
  for (int32_t x = 0; x < W; ++x) {
    EXPECT_TRUE(PixelIs(out, x, H - 1, 200, 100, 40));
    EXPECT_TRUE(PixelIs(out, x, H / 2 + 1, 200, 100, 40));
    EXPECT_TRUE(PixelIs(out, x, H / 2 - 2, 0, 0, 0));
    EXPECT_TRUE(PixelIs(out, x, 0, 0, 0, 0));
  }
  // The built-in mask at its own size: the Y of "YOUR" at the top has both arms at the
  // left but stands on a centred stem; "HERE" at the bottom starts with a full H.
  const FrameImage white = SolidFrame(408, 308, 255, 255, 255);
  LogoParams q = LayersOff();
  UseLayer(&q, kSceneAForeground, 0.5f, 0.5f);
  FrameImage big = MakeFrameImage(408, 308, 0x5A);
  ASSERT_EQ(RenderDirect(q, white, white, 0.0f, &big), 1);
  EXPECT_TRUE(PixelIs(big, 20, 307 - 10, 255, 255, 255));   // picture row 10: arm
  EXPECT_TRUE(PixelIs(big, 20, 307 - 88, 0, 0, 0));         // picture row 88: left of the stem
  EXPECT_TRUE(PixelIs(big, 52, 307 - 88, 255, 255, 255));   // the stem
  EXPECT_TRUE(PixelIs(big, 20, 307 - 250, 255, 255, 255));  // H
  EXPECT_TRUE(PixelIs(big, 20, 307 - 295, 255, 255, 255));
  EXPECT_TRUE(PixelIs(big, 200, 307 - 102, 0, 0, 0));  // between the lines: none
}

TEST_F(LogoRenderTest, MissingOrBrokenMaskFileFallsBackToTheBuiltInMask) {
  LogoParams p;
  ApplyLogoPreset(&p, 0);
  const FrameImage pa = test::PatternFrame(W, H, 3);
  const FrameImage pb = test::PatternFrame(W, H, 4);
  auto render = [&](const LogoParams& q) {
    FrameImage out = MakeFrameImage(W, H, 0x5A);
    EXPECT_EQ(RenderDirect(q, pa, pb, 0.3f, &out), 1);
    return out.pixels;
  };
  const std::vector<uint8_t> builtIn = render(p);
  p.maskSource = 1;
  const std::string broken = test::TempPath("logo_broken_mask.bmp");
  std::FILE* f = std::fopen(broken.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("BM this is no bitmap", f);
  std::fclose(f);
  test::SetPath(p.maskFile, sizeof p.maskFile, broken);
  EXPECT_EQ(render(p), builtIn);
  std::remove(broken.c_str());
  EXPECT_EQ(render(p), builtIn);
  // A readable file does change the picture.
  UseMaskPicture(&p, GreyPicture(128), "logo_grey_mask.bmp");
  EXPECT_NE(render(p), builtIn);
}

TEST_F(LogoRenderTest, FieldModeLaysTheLayersOverTwiceTheRows) {
  LogoParams p = LayersOff();
  UseMaskPicture(&p, GreyPicture(255), "logo_white_mask.bmp");
  UseLayer(&p, kSceneAForeground, 0.5f, 0.5f);
  EXPECT_EQ(Render(p, 0.3f, 1).pixels, a_.pixels);
  // With the built-in mask the mask rows differ from frame mode, and so do moving layers.
  LogoParams q;
  ApplyLogoPreset(&q, 0);
  EXPECT_NE(Render(q, 0.45f, 1).pixels, Render(q, 0.45f, 0).pixels);
  LogoParams off = LayersOff();
  UseLayer(&off, kSceneAForeground, 0.5f, 0.5f);
  const FrameImage field = Render(off, 0.0f, 1);
  const FrameImage frame = Render(off, 0.0f, 0);
  EXPECT_NE(field.pixels, frame.pixels);
}

// Scratch that refuses allocation number `g_failAt` (counting from 0) and counts.
int g_failAt = -1;
int g_calls = 0;
int g_live = 0;
void* FailingAt(size_t bytes) {
  if (g_calls++ == g_failAt) return nullptr;
  ++g_live;
  return std::malloc(bytes);
}
void Release(void* block) {
  --g_live;
  std::free(block);
}
const ScratchSource kFailingAtScratch = {FailingAt, Release};

TEST_F(LogoRenderTest, WithoutADepthBufferOnlyTheBackgroundIsPainted) {
  LogoParams p;
  ApplyLogoPreset(&p, 0);
  p.backgroundColor = 0x0000FF;
  g_failAt = 1;  // the mask is had, the depth buffer not
  g_calls = g_live = 0;
  FrameImage out = MakeFrameImage(W, H, 0x5A);
  EXPECT_EQ(RenderDirect(p, a_, b_, 0.5f, &out, 0, kFailingAtScratch), 0);
  EXPECT_EQ(out.pixels, SolidFrame(W, H, 0, 0, 255).pixels);
  EXPECT_EQ(g_calls, 2);
  EXPECT_EQ(g_live, 0);
}

TEST_F(LogoRenderTest, WithoutAMaskLayersCoverTheirWholeCard) {
  // Only scene A's background layer, at rest: with a mask the letters show the black
  // background, without one the layer covers everything.
  LogoParams p = LayersOff();
  UseLayer(&p, kSceneABackground, 0.5f, 0.5f);
  const FrameImage masked = Render(p, 0.0f);
  EXPECT_NE(masked.pixels, a_.pixels);
  g_failAt = 0;
  g_calls = g_live = 0;
  FrameImage out = MakeFrameImage(W, H, 0x5A);
  EXPECT_EQ(RenderDirect(p, a_, b_, 0.0f, &out, 0, kFailingAtScratch), 1);
  EXPECT_EQ(out.pixels, a_.pixels);
  EXPECT_EQ(g_live, 0);
}

TEST_F(LogoRenderTest, BadRecordsDrawSafelyAndAlikeEveryTime) {
  LogoParams p;
  ApplyLogoPreset(&p, 0);
  // The host's progress is taken into 0..1 before the effect sees it; undefined is 0.
  EXPECT_EQ(Render(p, std::nanf("")).pixels, Render(p, 0.0f).pixels);
  const FrameImage pa = test::PatternFrame(W, H, 5);
  const FrameImage pb = test::PatternFrame(W, H, 6);
  auto mangle = [](LogoParams* q, int kind) {
    LayerSettings& s = q->layers[kind % 4];
    switch (kind) {
      case 0:
        s.start = -3e38f;
        s.end = 3e38f;
        break;
      case 1:
        s.start = std::nanf("");
        s.end = std::nanf("");
        break;
      case 2:
        s.motion = 99;
        s.rotation = -7;
        break;
      case 3:
        s.motion = -2147483647 - 1;
        s.rotation = 2147483647;
        break;
      case 4:
        q->impact = std::nanf("");
        break;
      case 5:
        q->impact = 3e38f;
        q->shadeExponent = -40;
        break;
      case 6:
        q->shadeExponent = 0x7FFFFFFF;
        break;
      case 7:
        q->backgroundType = -3;
        q->maskSource = 0x100;
        break;
      case 8:
        q->maskSource = 1;
        std::memset(q->maskFile, 'x', sizeof q->maskFile);
        q->backgroundType = kBackgroundBitmap;
        std::memset(q->backgroundFile, 'y', sizeof q->backgroundFile);
        break;
      default:
        s.start = 1e-40f;
        s.end = 2e-40f;
        break;  // denormal span
    }
  };
  for (int kind = 0; kind < 10; ++kind) {
    LogoParams q = p;
    mangle(&q, kind);
    for (float progress : {0.0f, 0.35f, 0.8f, 3e38f, -1.0f}) {
      for (int32_t field : {0, 1}) {
        FrameImage first = MakeFrameImage(W, H, 0x5A);
        FrameImage second = MakeFrameImage(W, H, 0x5A);
        ASSERT_EQ(RenderDirect(q, pa, pb, progress, &first, field), 1) << kind;
        ASSERT_EQ(RenderDirect(q, pa, pb, progress, &second, field), 1) << kind;
        ASSERT_EQ(first.pixels, second.pixels) << kind << " at " << progress;
      }
    }
  }
}

class LogoModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::OpenBuiltEffect("logo", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }
  LogoParams& P() { return *reinterpret_cast<LogoParams*>(effect_.params.data()); }
  HostedEffect effect_;
};

TEST_F(LogoModuleTest, DescribesItselfAndStartsFromTheFirstPreset) {
  EXPECT_EQ(effect_.info.paramBlockSize, 740);
  EXPECT_EQ(effect_.info.extraMask, 0x300u);
  EXPECT_EQ(effect_.info.extraDefault, 0x300u);
  EXPECT_EQ(effect_.info.extraAlternate, 0x300u);
  EXPECT_EQ(effect_.info.variantMask, 0u);
  EXPECT_STREQ(effect_.info.effectName, "Logo-Zelkor");
  EXPECT_STREQ(effect_.info.groupName, "Zelkor");
  EXPECT_STREQ(effect_.info.description, "Logo");
  ASSERT_EQ(effect_.params.size(), 740u);
  const LayerSettings& afg = P().layers[kSceneAForeground];
  EXPECT_EQ(afg.useLayer, 1);
  EXPECT_EQ(afg.motion, 8);
  EXPECT_EQ(afg.end, 0.4f);
  EXPECT_EQ(P().layers[kSceneABackground].motion, 12);
  EXPECT_EQ(P().layers[kSceneABackground].end, 0.9f);
  EXPECT_EQ(P().layers[kSceneBForeground].start, 0.1f);
  EXPECT_EQ(P().layers[kSceneBBackground].motion, 15);
  EXPECT_EQ(P().impact, 0.5f);
  EXPECT_EQ(P().shadeExponent, 1);
  EXPECT_EQ(P().backgroundType, kBackgroundColour);
}

TEST_F(LogoModuleTest, PresetsClearTheWholeRecord) {
  LogoParams p;
  std::memset(&p, 0xCD, sizeof p);
  ApplyLogoPreset(&p, 1);
  EXPECT_EQ(p.layers[kSceneAForeground].rotation, 2);
  EXPECT_EQ(p.layers[kSceneAForeground].end, 0.6f);
  EXPECT_EQ(p.layers[kSceneAForeground].alternateBack, 1);
  EXPECT_EQ(p.layers[kSceneABackground].rotation, 3);
  EXPECT_EQ(p.layers[kSceneABackground].start, 0.4f);
  const LayerSettings none{};
  EXPECT_EQ(std::memcmp(&p.layers[kSceneBForeground], &none, sizeof none), 0);
  EXPECT_EQ(std::memcmp(&p.layers[kSceneBBackground], &none, sizeof none), 0);
  for (uint8_t byte : p.layers[kSceneAForeground].reserved) EXPECT_EQ(byte, 0);
  for (char c : p.maskFile) EXPECT_EQ(c, 0);
  for (char c : p.backgroundFile) EXPECT_EQ(c, 0);
  ApplyLogoPreset(&p, 2);
  EXPECT_EQ(p.backgroundType, kBackgroundSceneB);
  EXPECT_EQ(p.layers[kSceneAForeground].motion, 1);
  EXPECT_EQ(p.layers[kSceneAForeground].rotation, 6);
  EXPECT_EQ(p.layers[kSceneAForeground].start, 0.27f);
  EXPECT_EQ(p.layers[kSceneABackground].dissolve, 1);
  EXPECT_EQ(p.layers[kSceneABackground].end, 0.27f);
  for (int32_t index : {0, 3, -1, 1000}) {
    ApplyLogoPreset(&p, index);
    EXPECT_EQ(std::memcmp(&p, effect_.params.data(), sizeof p), 0) << index;
  }
}

TEST_F(LogoModuleTest, ModuleFindsTheSameBuiltInMaskAsTheEmbeddedCopy) {
  // Windows modules read resource 104, native ones the embedded file: the same frames.
  const FrameImage a = test::PatternFrame(W, H, 9);
  const FrameImage b = test::PatternFrame(W, H, 10);
  LogoParams p = LayersOff();
  UseLayer(&p, kSceneAForeground, 0.5f, 0.5f);
  UseLayer(&p, kSceneBBackground, 0.0f, 1.0f).motion = 5;
  p.backgroundType = kBackgroundBitmap;  // the built-in picture behind, too
  std::memcpy(effect_.params.data(), &p, sizeof p);
  FrameImage module = MakeFrameImage(W, H);
  ASSERT_EQ(RenderEffectFrame(effect_, a, b, 0.6f, RenderChoices(), &module), 1);
  FrameImage direct = MakeFrameImage(W, H);
  ASSERT_EQ(RenderDirect(p, a, b, 0.6f, &direct), 1);
  EXPECT_EQ(module.pixels, direct.pixels);
  // Without any mask the frame differs: the module did find one.
  g_failAt = 0;
  g_calls = g_live = 0;
  FrameImage unmasked = MakeFrameImage(W, H);
  ASSERT_EQ(RenderDirect(p, a, b, 0.6f, &unmasked, 0, kFailingAtScratch), 1);
  EXPECT_NE(module.pixels, unmasked.pixels);
}

TEST_F(LogoModuleTest, DeclinesWithoutARecordOrInRequestModeOne) {
  test::ExpectDeclinesWithoutARecordOrInRequestModeOne(effect_);
}

TEST_F(LogoModuleTest, DrawsFromTheFrameOriginWithinTheRectangleSize) {
  test::ExpectRectangleDrawsFromTheFrameOrigin(effect_);
  const int32_t sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {5, 3}};
  for (const auto& s : sizes) {
    for (float p : {0.0f, 0.3f, 0.7f, 1.0f}) {
      for (int32_t field : {0, 1}) {
        FrameImage out = MakeFrameImage(12, 9, 0x44);
        RenderChoices c;
        c.fieldMode = field;
        const FrameImage sa = test::PatternFrame(12, 9, 5);
        ASSERT_EQ(test::RenderRect(effect_, sa, sa, p, 4, 2, s[0], s[1], &out, c), 1);
        ASSERT_TRUE(test::OutsideRectUntouched(out, 0, 0, s[0], s[1], 0x44))
            << s[0] << "x" << s[1] << " p " << p << " field " << field;
      }
    }
  }
}

TEST_F(LogoModuleTest, ZelkorTakesTheUsersMaskAndPresets) {
  const FrameImage a = test::PatternFrame(64, 36, 7);
  const FrameImage b = test::PatternFrame(64, 36, 8);
  const std::string pa = test::TempPath("logo_cli_a.bmp");
  const std::string pb = test::TempPath("logo_cli_b.bmp");
  const std::string po = test::TempPath("logo_cli_out.bmp");
  const std::string mine = test::TempPath("logo_cli_mine.bmp");
  std::string error;
  ASSERT_TRUE(WriteImageFile(pa, a, &error)) << error;
  ASSERT_TRUE(WriteImageFile(pb, b, &error)) << error;
  FrameImage picture = MakeFrameImage(16, 8);
  for (int32_t row = 0; row < 8; ++row) std::memset(PixelAt(picture, 0, row), 255, 24);
  ASSERT_TRUE(WriteImageFile(mine, picture, &error)) << error;

  ASSERT_EQ(
      test::RunZelkor("render logo --from " + pa + " --to " + pb +
                      " --set maskSource=1 --set maskFile=" + mine + " --progress 0.3 --out " + po),
      0);
  FrameImage got;
  ASSERT_TRUE(ReadBmp24(po, &got, &error)) << error;
  P().maskSource = 1;
  test::SetPath(P().maskFile, sizeof P().maskFile, mine);
  FrameImage want = MakeFrameImage(64, 36);
  ASSERT_EQ(RenderEffectFrame(effect_, a, b, 0.3f, RenderChoices(), &want), 1);
  EXPECT_EQ(got.pixels, want.pixels);
  P().maskSource = 0;
  ASSERT_EQ(RenderEffectFrame(effect_, a, b, 0.3f, RenderChoices(), &want), 1);
  EXPECT_NE(got.pixels, want.pixels);  // the user's mask made a difference

  ASSERT_EQ(test::RunZelkor("render logo --from " + pa + " --to " + pb +
                            " --preset dissolve --set aFg.end=0.8 --progress 0.5 --out " + po),
            0);
  ASSERT_TRUE(ReadBmp24(po, &got, &error)) << error;
  ApplyLogoPreset(&P(), 2);
  P().layers[kSceneAForeground].end = 0.8f;
  ASSERT_EQ(RenderEffectFrame(effect_, a, b, 0.5f, RenderChoices(), &want), 1);
  EXPECT_EQ(got.pixels, want.pixels);
  for (const std::string& f : {pa, pb, po, mine}) std::remove(f.c_str());
}

}  // namespace
}  // namespace zk
