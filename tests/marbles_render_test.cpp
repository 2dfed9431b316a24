// Marbles through the built module: its description, the source scene at the start and the
// revealed scene at the end in both directions, the board over black after the cross-fade
// with its uncovered strips, colour intensity, "Tub Sample 2" as the forward flight
// played backwards, repeatable random starts, field mode, the request rectangle, odd and
// hostile records, and the cases that decline without writing.
#include "marbles_render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "direct_render_support.h"
#include "image_files.h"
#include "marbles_params.h"

namespace zk::test {
namespace {

FrameImage Solid(int32_t w, int32_t h, uint8_t b, uint8_t g, uint8_t r) {
  return SolidFrame(w, h, b, g, r);
}

class MarblesRenderTest : public BuiltModuleTest {
 protected:
  MarblesRenderTest() : BuiltModuleTest("marbles") {}
  MarblesParams& P() { return *reinterpret_cast<MarblesParams*>(effect_.params.data()); }
  void UsePreset(int32_t index) { ApplyMarblesPreset(effect_.params.data(), index); }
  FrameImage Render(const FrameImage& a, const FrameImage& b, float p, int32_t field = 0) {
    return RenderWhole(a, b, p, Choose(0, field));
  }
};

TEST_F(MarblesRenderTest, DescribesItselfAndStartsOnTheTubSample) {
  EffectInfo info;
  ASSERT_TRUE(DescribeOverHostBytes("marbles", &info));
  EXPECT_EQ(info.extraMask, 0x300u);
  EXPECT_EQ(info.extraDefault, 0u);
  EXPECT_EQ(info.extraAlternate, 0u);
  EXPECT_EQ(info.variantMask, 0u);
  EXPECT_EQ(info.auxWord, 0u);
  EXPECT_EQ(info.paramBlockSize, 148);
  EXPECT_EQ(info.tailValue, 40);
  if (HostReadsChineseTexts()) {
    EXPECT_EQ(TextOf(info.effectName, sizeof info.effectName), "大理石-外加");
    EXPECT_EQ(TextOf(info.groupName, sizeof info.groupName), "外加");
  }
  EXPECT_STREQ(info.description, "Marbles");
  std::vector<uint8_t> preset0(148, 0);  // the host's record starts zeroed
  ApplyMarblesPreset(preset0.data(), 0);
  EXPECT_EQ(effect_.params, preset0);
}

TEST_F(MarblesRenderTest, StartsOnSceneAAndEndsOnSceneBInBothDirections) {
  // "Tub Sample 2" plays backwards: at p = 0 every marble of B is still at the eye, so A
  // shows alone; at p = 1 they have settled into B.
  const FrameImage a = PatternFrame(96, 64, 3);
  const FrameImage b = PatternFrame(96, 64, 4);
  for (int32_t preset = 0; preset < 5; ++preset) {
    UsePreset(preset);
    for (int32_t field : {0, 1}) {
      EXPECT_TRUE(SameRect(Render(a, b, 0.0f, field), a, 96, 64)) << preset << " field " << field;
      EXPECT_TRUE(SameRect(Render(a, b, 1.0f, field), b, 96, 64)) << preset << " field " << field;
    }
  }
}

TEST_F(MarblesRenderTest, AfterTheCrossFadeTheBoardRestsOverBlack) {
  // p = 0.15: past the cross-fade (0.14), before the motion (0.2). S = 21.6 gives 33 x 26
  // marbles; columns 713 to 719 and rows 562 to 575 belong to none and stay black.
  const FrameImage a = Solid(720, 576, 40, 160, 220);
  const FrameImage b = Solid(720, 576, 255, 255, 255);
  const FrameImage out = Render(a, b, 0.15f);
  for (int32_t row = 0; row < 576; ++row) {
    for (int32_t x = 0; x < 720; ++x) {
      if (x < 713 && row < 562) continue;
      ASSERT_TRUE(PixelIs(out, x, row, 0, 0, 0));
    }
  }
  // Between four marbles the board is black too; each marble's middle is lit colour.
  EXPECT_TRUE(PixelIs(out, 21, 21, 0, 0, 0));
  for (int32_t c : {0, 16, 32}) {
    const uint8_t* middle = PixelAt(out, 10 + static_cast<int32_t>(c * 21.6), 10);
    EXPECT_GT(middle[1] + middle[2], 200) << c;
  }
}

TEST_F(MarblesRenderTest, ASizeOfOneLeavesOnlyTheRisingBackground) {
  P().size = 1.0f;  // one column, no rows on a frame wider than high
  const FrameImage a = PatternFrame(64, 40, 9);
  const FrameImage b = PatternFrame(64, 40, 10);
  // p = 0.6: m = (0.6 - 0.2) / 0.8 = 0.5, so every byte is B / 2.
  const FrameImage out = Render(a, b, 0.6f);
  FrameImage half = b;
  for (uint8_t& v : half.pixels) v = static_cast<uint8_t>(v / 2);
  EXPECT_TRUE(SameRect(out, half, 64, 40));
  // In field mode the same rectangle stands for 80 scene rows: one marble, in flight at
  // p = 0.3.
  EXPECT_FALSE(SameRect(Render(a, b, 0.3f, 1), Render(a, b, 0.3f, 0), 64, 40));
  // During the cross-fade the board of none fades in from A.
  EXPECT_EQ(Render(a, b, 0.0f).pixels, a.pixels);
}

TEST_F(MarblesRenderTest, ColourIntensityGreysKeepsOrStrengthens) {
  // One 20-pixel marble on each half of a 40 x 20 frame, unlit (impact 0), at rest and
  // opaque: its middle shows the marble colour itself.
  const FrameImage a = Solid(40, 20, 200, 100, 30);
  const FrameImage b = Solid(40, 20, 0, 0, 0);
  P().size = 0.5f;
  P().shadeImpact = 0.0f;
  const std::pair<float, uint32_t> cases[] = {
      {0.0f, Bgr(110, 110, 110)}, {1.0f, Bgr(200, 100, 30)}, {2.0f, Bgr(255, 90, 0)}};
  for (const auto& c : cases) {
    P().colorHue = c.first;
    const FrameImage out = Render(a, b, 0.15f);
    EXPECT_EQ(At(out, 10, 10), c.second) << c.first;
    EXPECT_EQ(At(out, 30, 10), c.second) << c.first;
  }
}

TEST_F(MarblesRenderTest, TubSampleTwoIsTheForwardFlightPlayedBackwards) {
  const FrameImage a = PatternFrame(120, 90, 5);
  const FrameImage b = PatternFrame(120, 90, 6);
  for (float p : {0.1f, 0.3f, 0.55f, 0.8f, 0.95f}) {
    UsePreset(4);
    const FrameImage back = Render(a, b, p);
    P().viewerToSurface = 0;
    const FrameImage forward = Render(b, a, static_cast<float>(1.0 - p));
    EXPECT_EQ(back.pixels, forward.pixels) << p;
  }
}

TEST_F(MarblesRenderTest, RandomOrderRendersTheSameFrameWhateverCameBefore) {
  UsePreset(3);
  const FrameImage a = PatternFrame(90, 60, 11);
  const FrameImage b = PatternFrame(90, 60, 12);
  const FrameImage first = Render(a, b, 0.5f);
  Render(a, b, 0.7f);
  Render(a, b, 0.3f);
  EXPECT_EQ(Render(a, b, 0.5f).pixels, first.pixels);
  EXPECT_NE(first.pixels, Render(a, b, 0.45f).pixels);
}

TEST_F(MarblesRenderTest, RectangleContractInEveryOrderAndFieldMode) {
  for (int32_t preset : {0, 1, 3, 4}) {
    UsePreset(preset);
    P().size = 0.2f;  // a few marbles on the small frames
    for (int32_t field : {0, 1}) ExpectRectangleContract(Choose(0, field));
  }
}

TEST_F(MarblesRenderTest, DeclinesWithoutWriting) {
  const FrameImage a = PatternFrame(32, 24, 1);
  const FrameImage b = PatternFrame(32, 24, 2);
  FrameImage out = MakeFrameImage(32, 24, 0x3C);
  const std::vector<uint8_t> before = out.pixels;
  EXPECT_EQ(RenderEffectFrame(effect_, a, b, 0.5f, Choose(0, 0, 0, 1), &out), 0);
  EXPECT_EQ(out.pixels, before);
  P().size = 1e-6f;  // millions of marbles: refused like memory that cannot be had
  EXPECT_EQ(RenderEffectFrame(effect_, a, b, 0.5f, Choose(0), &out), 0);
  EXPECT_EQ(out.pixels, before);
  effect_.params.clear();
  EXPECT_EQ(RenderEffectFrame(effect_, a, b, 0.5f, Choose(0), &out), 0);
  EXPECT_EQ(out.pixels, before);
}

TEST_F(MarblesRenderTest, ScratchIsGivenBackAndItsFailureWritesNothing) {
  const FrameImage a = PatternFrame(40, 30, 1);
  const FrameImage b = PatternFrame(40, 30, 2);
  FrameImage out = MakeFrameImage(40, 30, 0x3C);
  const std::vector<uint8_t> before = out.pixels;
  FrameView v = DirectView(&out, a, b, 0.5f, Choose(0));
  v.paramBlock = effect_.params.data();
  EXPECT_EQ(RenderMarblesWith(v, kFailingScratch), 0);
  EXPECT_EQ(out.pixels, before);
  g_scratchCounts = ScratchCounts();
  EXPECT_EQ(RenderMarblesWith(v, kCountingScratch), 1);
  EXPECT_EQ(g_scratchCounts.allocations, 2);
  EXPECT_EQ(g_scratchCounts.releases, 2);
}

TEST_F(MarblesRenderTest, HostileRecordsStayInsideTheRectangle) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const FrameImage a = PatternFrame(40, 30, 21);
  const FrameImage b = PatternFrame(40, 30, 22);
  const size_t floatFields[] = {0, 4, 8, 12, 16, 48, 52, 56, 64, 68, 72, 76, 80, 84};
  const size_t intFields[] = {20, 28, 36, 40, 44, 60, 88, 92, 96, 104};
  const float wildFloats[] = {nan, inf, -inf, 1e30f, -1e30f, 0.0f, -0.5f, 1e-30f};
  const int32_t wildInts[] = {INT32_MIN, -1, 0, 3, 7, 1000000, INT32_MAX};
  auto check = [&](const char* what, size_t offset) {
    for (float p : {0.0f, 0.15f, 0.4f, 0.8f, 1.0f}) {
      for (int32_t field : {0, 1}) {
        FrameImage out = MakeFrameImage(40, 30, 0x4D);
        const int32_t r = RenderRect(effect_, a, b, p, 3, 2, 30, 24, &out, Choose(0, field));
        EXPECT_TRUE(r == 0 || r == 1) << what << " at " << offset;
        ASSERT_TRUE(OutsideRectUntouched(out, 3, 2, 30, 24, 0x4D)) << what << " at " << offset;
      }
    }
  };
  for (size_t offset : floatFields) {
    for (float v : wildFloats) {
      UsePreset(offset % 5);
      if (offset == 0 && v > 0 && v < 1e-3f) continue;  // refused outright, tested above
      std::memcpy(effect_.params.data() + offset, &v, 4);
      check("float", offset);
    }
  }
  for (size_t offset : intFields) {
    for (int32_t v : wildInts) {
      UsePreset(offset % 5);
      std::memcpy(effect_.params.data() + offset, &v, 4);
      check("int", offset);
    }
  }
  for (size_t offset : {24, 32}) {  // the two switches: any byte counts as set
    UsePreset(1);
    effect_.params[offset] = 0xFF;
    check("byte", offset);
  }
}

TEST_F(MarblesRenderTest, ZelkorListsTheRecordAndAppliesPresetsByName) {
  std::string info;
  ASSERT_EQ(RunZelkor("info marbles", &info), 0);
  for (const char* name : {"viewerToSurface", "lightPos2.z", "viewDistance", "Tub Sample 2"})
    EXPECT_NE(info.find(name), std::string::npos) << name;
  const FrameImage a = PatternFrame(64, 48, 31);
  const FrameImage b = PatternFrame(64, 48, 32);
  const std::string pa = TempPath("marbles_cli_a.bmp");
  const std::string pb = TempPath("marbles_cli_b.bmp");
  const std::string po = TempPath("marbles_cli_out.bmp");
  std::string error;
  ASSERT_TRUE(WriteImageFile(pa, a, &error)) << error;
  ASSERT_TRUE(WriteImageFile(pb, b, &error)) << error;
  ASSERT_EQ(RunZelkor("render marbles --from " + pa + " --to " + pb +
                      " --preset \"Tub Sample 2\" --set size=0.1 --progress 0.4 --out " + po),
            0);
  FrameImage got;
  ASSERT_TRUE(ReadBmp24(po, &got, &error)) << error;
  UsePreset(4);
  P().size = 0.1f;
  EXPECT_EQ(got.pixels, Render(a, b, 0.4f).pixels);
  for (const std::string& p : {pa, pb, po}) std::remove(p.c_str());
}

}  // namespace
}  // namespace zk::test
