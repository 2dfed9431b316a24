// Joining clips: the timeline arithmetic, the audio crossfade, and a whole join of two
// clips made here, read back frame by frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "media/audio_mix.h"
#include "media/join_plan.h"
#include "test_support.h"

#if defined(ZELKOR_HAVE_MEDIA)
#include "image_files.h"
#include "media/media_reader.h"
#include "media/media_writer.h"
#include "render_args.h"
#endif

namespace zk {
namespace {

TEST(JoinPlan, TransitionOverTheEndOfA) {
  JoinPlan plan;
  std::string error;
  ClipFacts a{false, 90, 30.0}, b{false, 50, 25.0};  // 3 s and 2 s
  JoinRequest r;
  r.durationSeconds = 1.5;
  ASSERT_TRUE(PlanJoin(a, b, r, &plan, &error)) << error;
  EXPECT_EQ(30.0, plan.frameRate);
  EXPECT_EQ(45, plan.transitionFrames);
  EXPECT_EQ(45, plan.leadFrames);
  EXPECT_EQ(15, plan.tailFrames);  // B's 2 s are 60 frames at 30 per second
  EXPECT_EQ(0.0f, plan.ProgressAt(0));
  EXPECT_EQ(1.0f, plan.ProgressAt(44));
  EXPECT_FLOAT_EQ(0.5f, plan.ProgressAt(22));
  EXPECT_DOUBLE_EQ(0.0, plan.SecondsOfB(45));
}

TEST(JoinPlan, OffsetsStillsAndRefusals) {
  JoinPlan plan;
  std::string error;
  ClipFacts clip{false, 50, 25.0}, still{true, 1, 0.0};
  JoinRequest r;
  r.durationSeconds = 1.0;
  r.offsetSeconds = 0.4;
  ASSERT_TRUE(PlanJoin(clip, clip, r, &plan, &error)) << error;
  EXPECT_EQ(10, plan.leadFrames);
  EXPECT_EQ(25, plan.transitionFrames);
  EXPECT_EQ(25, plan.tailFrames);
  r.offsetSeconds = 1.2;  // 30 + 25 frames run past A's 50
  EXPECT_FALSE(PlanJoin(clip, clip, r, &plan, &error));
  r.offsetSeconds = -1;
  r.durationSeconds = 2.5;
  EXPECT_FALSE(PlanJoin(clip, clip, r, &plan, &error));
  EXPECT_NE(std::string::npos, error.find("longer than"));
  r.durationSeconds = 0;
  EXPECT_FALSE(PlanJoin(clip, clip, r, &plan, &error));
  // Two stills: 25 frames a second, the still time on either side.
  r.durationSeconds = 2;
  r.stillSeconds = 1;
  ASSERT_TRUE(PlanJoin(still, still, r, &plan, &error)) << error;
  EXPECT_EQ(25.0, plan.frameRate);
  EXPECT_EQ(25, plan.leadFrames);
  EXPECT_EQ(50, plan.transitionFrames);
  EXPECT_EQ(25, plan.tailFrames);
}

TEST(AudioMix, LinearCrossfadeOverTheSpan) {
  const std::vector<float> a(20, 1.0f), b(20, 0.5f);  // 10 stereo frames each
  const std::vector<float> out = CrossfadeAudio(a, b, AudioSpan{4, 4}, 14);
  ASSERT_EQ(28u, out.size());
  EXPECT_EQ(1.0f, out[0]);
  EXPECT_EQ(1.0f, out[7]);          // frame 3: A alone
  EXPECT_EQ(1.0f, out[8]);          // frame 4: gain of B is 0
  EXPECT_FLOAT_EQ(0.75f, out[12]);  // frame 6: halfway, (1 + 0.5) / 2
  EXPECT_EQ(0.5f, out[16]);         // frame 8: B alone
  EXPECT_EQ(0.5f, out[27]);         // frame 13: B's sample 9
  const std::vector<float> silentB = CrossfadeAudio(a, {}, AudioSpan{4, 4}, 14);
  EXPECT_FLOAT_EQ(0.5f, silentB[12]);
  EXPECT_EQ(0.0f, silentB[20]);
}

#if defined(ZELKOR_HAVE_MEDIA)

// A lossless clip with a moving pattern and, optionally, a tone.
void MakeClip(const std::string& path, int32_t w, int32_t h, double rate, int frames, bool tone) {
  MediaWriter writer;
  std::string error;
  ASSERT_TRUE(OpenMediaWriter(path, w, h, rate, tone, 48000, &writer, &error)) << error;
  for (int k = 0; k < frames; ++k) {
    const FrameImage f = test::PatternFrame(w, h, 1000u + static_cast<uint32_t>(k));
    ASSERT_TRUE(WriteMediaFrame(&writer, f, &error)) << error;
  }
  if (tone) {
    std::vector<float> samples(static_cast<size_t>(frames / rate * 48000) * 2);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = 0.25f * std::sin(i * 0.03);
    ASSERT_TRUE(WriteMediaAudio(&writer, samples, &error)) << error;
  }
  ASSERT_TRUE(FinishMediaWriter(&writer, &error)) << error;
}

TEST(MediaJoin, JoinedClipHasTheFramesTheEffectRenders) {
  const std::string a = test::TempPath("join_a.mkv"), b = test::TempPath("join_b.mkv");
  const std::string out = test::TempPath("join_out.mkv");
  MakeClip(a, 40, 24, 25.0, 50, true);   // 2 s with a tone
  MakeClip(b, 30, 30, 20.0, 30, false);  // 1.5 s, another size and rate, silent
  std::remove(out.c_str());
  ASSERT_EQ(0, test::RunZelkor("render crossfade --from " + a + " --to " + b +
                               " --duration 1 --quiet --out " + out));
  MediaReader joined, ra, rb;
  std::string error;
  ASSERT_TRUE(OpenMedia(out, &joined, &error)) << error;
  EXPECT_EQ(40, joined.width);
  EXPECT_EQ(24, joined.height);
  EXPECT_DOUBLE_EQ(25.0, joined.facts.frameRate);
  // 25 frames of A alone, 25 through the effect, then B's remaining 0.5 s.
  EXPECT_EQ(25 + 25 + 12, joined.facts.frameCount);
  std::vector<float> audio;
  ASSERT_TRUE(ReadAllAudio(out, 48000, &audio, &error)) << error;
  EXPECT_NEAR(62 / 25.0, audio.size() / 2 / 48000.0, 0.05);

  ASSERT_TRUE(OpenMedia(a, &ra, &error));
  ASSERT_TRUE(OpenMedia(b, &rb, &error));
  HostedEffect effect;
  ASSERT_TRUE(test::OpenBuiltEffect("crossfade", &effect));
  for (int64_t k = 0; k < 62; ++k) {
    FrameImage got, fa, fb;
    ASSERT_TRUE(MediaFrameAt(&joined, k / 25.0, 40, 24, &got, &error)) << error;
    if (k < 50) {
      ASSERT_TRUE(MediaFrameAt(&ra, k / 25.0, 40, 24, &fa, &error));
    }
    if (k >= 25) {
      ASSERT_TRUE(MediaFrameAt(&rb, (k - 25) / 25.0, 40, 24, &fb, &error));
    }
    if (k < 25) {
      ASSERT_EQ(fa.pixels, got.pixels) << "frame " << k;
    } else if (k < 50) {
      FrameImage expected = MakeFrameImage(40, 24);
      RenderEffectFrame(effect, fa, fb, static_cast<float>((k - 25) / 24.0), RenderChoices(),
                        &expected);
      ASSERT_EQ(expected.pixels, got.pixels) << "frame " << k;
    } else {
      ASSERT_EQ(fb.pixels, got.pixels) << "frame " << k;
    }
  }
  CloseEffect(&effect);
  CloseMedia(&joined);
  CloseMedia(&ra);
  CloseMedia(&rb);
}

TEST(MediaJoin, PicturesRoundTripThroughPngAndJpeg) {
  const FrameImage f = test::PatternFrame(33, 17, 5);
  std::string error;
  const std::string png = test::TempPath("round.png"), jpg = test::TempPath("round.jpg");
  ASSERT_TRUE(WritePicture(png, f, &error)) << error;
  FrameImage back;
  ASSERT_TRUE(LoadPicture(png, 0, 0, &back, &error)) << error;
  EXPECT_EQ(f.pixels, back.pixels);
  // JPEG is lossy: a smooth picture comes back close.
  FrameImage smooth = MakeFrameImage(32, 16);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 32; ++x) {
      uint8_t* p = PixelAt(smooth, x, y);
      p[0] = static_cast<uint8_t>(x * 8);
      p[1] = static_cast<uint8_t>(y * 16);
      p[2] = 128;
    }
  ASSERT_TRUE(WritePicture(jpg, smooth, &error)) << error;
  ASSERT_TRUE(LoadPicture(jpg, 0, 0, &back, &error)) << error;
  ASSERT_EQ(smooth.pixels.size(), back.pixels.size());
  int worst = 0;
  for (size_t i = 0; i < back.pixels.size(); ++i)
    worst = std::max(worst, std::abs(back.pixels[i] - smooth.pixels[i]));
  EXPECT_LE(worst, 12);
}

TEST(MediaJoin, BadMediaFailsWithoutOutput) {
  const std::string a = test::TempPath("bad_a.mkv"), out = test::TempPath("bad_out.mkv");
  MakeClip(a, 16, 16, 25.0, 10, false);
  const std::string junk = test::TempPath("junk.mp4");
  FILE* f = std::fopen(junk.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("this is not a video file at all", f);
  std::fclose(f);
  const std::string cases[] = {
      "--from " + junk + " --to " + a + " --duration 0.2",
      "--from " + a + " --to " + test::TempPath("missing.mp4") + " --duration 0.2",
      "--from " + a + " --to " + a + " --duration 1",  // longer than the 0.4 s clips
      "--from " + a + " --to " + a + " --duration 0.2 --offset 0.3",
      "--from " + a + " --to " + a + " --duration 0",
  };
  for (const std::string& args : cases) {
    std::remove(out.c_str());
    EXPECT_NE(0, test::RunZelkor("render crossfade " + args + " --out " + out)) << args;
    FILE* left = std::fopen(out.c_str(), "rb");
    EXPECT_EQ(nullptr, left) << args;
    if (left != nullptr) std::fclose(left);
  }
  EXPECT_NE(0, test::RunZelkor("render crossfade --from " + a + " --to " + a +
                               " --duration 0.2 --out " + test::TempPath("nodir/x.mkv")));
}

#endif

}  // namespace
}  // namespace zk
