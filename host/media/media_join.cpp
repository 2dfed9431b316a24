// zelkor render with clips: A, the transition over the chosen span, then B, with the audio
// cross-faded over the same span.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "audio_mix.h"
#include "cli_options.h"
#include "image_files.h"
#include "media_reader.h"
#include "media_writer.h"
#include "parallel_frames.h"
#include "progress_meter.h"
#include "render_args.h"

namespace zk {
namespace {

constexpr int32_t kSampleRate = 48000;

}  // namespace

bool LoadPicture(const std::string& path, int32_t width, int32_t height, FrameImage* frame,
                 std::string* error) {
  MediaReader reader;
  if (!OpenMedia(path, &reader, error)) return false;
  const bool ok = MediaFrameAt(&reader, 0.0, width > 0 ? width : reader.width,
                               height > 0 ? height : reader.height, frame, error);
  CloseMedia(&reader);
  return ok;
}

bool WritePicture(const std::string& path, const FrameImage& frame, std::string* error) {
  const size_t dot = path.find_last_of('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "jpg" || ext == "jpeg") return WriteJpegFile(path, frame, error);
  return WriteImageFile(path, frame, error);
}

int RunJoin(const RenderArgs& r, HostedEffect& effect) {
  std::string error;
  if (!IsMediaOutput(r.out))
    return Fail(r.out + ": a join writes a clip (.mkv, .mp4, .mov, .webm, .webp, .gif)");
  MediaReader a, b;
  if (!OpenMedia(r.from, &a, &error)) return Fail(error);
  if (!OpenMedia(r.to, &b, &error)) {
    CloseMedia(&a);
    return Fail(error);
  }
  JoinRequest request;
  request.durationSeconds = r.duration > 0 ? r.duration : 1.0;
  request.offsetSeconds = r.offset;
  request.stillSeconds = r.stillDuration;
  JoinPlan plan;
  if (!PlanJoin(a.facts, b.facts, request, &plan, &error)) {
    CloseMedia(&a);
    CloseMedia(&b);
    return Fail(error);
  }
  std::vector<float> audioA, audioB;
  const bool withAudio = a.hasAudio || b.hasAudio;
  if ((a.hasAudio && !ReadAllAudio(r.from, kSampleRate, &audioA, &error)) ||
      (b.hasAudio && !ReadAllAudio(r.to, kSampleRate, &audioB, &error))) {
    CloseMedia(&a);
    CloseMedia(&b);
    return Fail(error);
  }
  if (r.fixedNoise) SetNoiseSeedVariable(r.noiseSeed);
  const int32_t width = a.width, height = a.height;
  MediaWriter writer;
  if (!OpenMediaWriter(r.out, width, height, plan.frameRate, withAudio, kSampleRate, &writer,
                       &error)) {
    CloseMedia(&a);
    CloseMedia(&b);
    return Fail(error);
  }
  ProgressMeter meter = StartProgressMeter(plan.totalFrames(), r.quiet);
  // Frames are decoded in order, rendered in batches on several threads where the effect
  // allows it, and encoded in order.
  const int32_t threads =
      RendersInOrder(effect.name) ? 1 : (r.threads > 0 ? r.threads : DefaultThreadCount());
  const int64_t batch = static_cast<int64_t>(threads) * 2;
  struct Slot {
    FrameImage a, b, out;
    bool inA = false, inB = false;
    int32_t result = 0;
    float progress = 0;
  };
  std::vector<Slot> slots(static_cast<size_t>(batch));
  bool ok = true;
  for (int64_t first = 0; ok && first < plan.totalFrames(); first += batch) {
    const int64_t n = std::min(batch, plan.totalFrames() - first);
    for (int64_t i = 0; ok && i < n; ++i) {
      const int64_t k = first + i;
      Slot& s = slots[static_cast<size_t>(i)];
      s.inA = k < plan.leadFrames + plan.transitionFrames;
      s.inB = k >= plan.leadFrames;
      if (s.inA)
        ok = MediaFrameAt(&a, static_cast<double>(k) / plan.frameRate, width, height, &s.a, &error);
      if (ok && s.inB) ok = MediaFrameAt(&b, plan.SecondsOfB(k), width, height, &s.b, &error);
      if (s.inA && s.inB) s.progress = plan.ProgressAt(k - plan.leadFrames);
    }
    if (!ok) break;
    ForEachFrameInParallel(n, threads, [&](int64_t i) {
      Slot& s = slots[static_cast<size_t>(i)];
      if (!(s.inA && s.inB)) return;
      // Each frame starts from zero bytes, as a host hands it over.
      s.out = MakeFrameImage(width, height);
      s.result = RenderEffectFrame(effect, s.a, s.b, s.progress, r.choices, &s.out);
    });
    for (int64_t i = 0; ok && i < n; ++i) {
      const Slot& s = slots[static_cast<size_t>(i)];
      if (r.verbose && s.inA && s.inB)
        std::printf("frame %lld progress %.9g returned %d\n", static_cast<long long>(first + i),
                    static_cast<double>(s.progress), s.result);
      ok = WriteMediaFrame(&writer, s.inA && s.inB ? s.out : (s.inB ? s.b : s.a), &error);
      UpdateProgressMeter(&meter, first + i + 1);
    }
  }
  if (ok && withAudio) {
    const int64_t total = static_cast<int64_t>(static_cast<double>(plan.totalFrames()) /
                                               plan.frameRate * kSampleRate);
    AudioSpan span{static_cast<int64_t>(plan.leadFrames / plan.frameRate * kSampleRate),
                   static_cast<int64_t>(plan.transitionFrames / plan.frameRate * kSampleRate)};
    ok = WriteMediaAudio(&writer, CrossfadeAudio(audioA, audioB, span, total), &error);
  }
  if (ok) ok = FinishMediaWriter(&writer, &error);
  FinishProgressMeter(&meter);
  if (!ok) AbandonMediaWriter(&writer);
  CloseMedia(&a);
  CloseMedia(&b);
  return ok ? 0 : Fail(error);
}

}  // namespace zk
