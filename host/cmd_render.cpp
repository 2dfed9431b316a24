// zelkor render: frames of a transition from two pictures, or a join of two clips.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "cli_numbers.h"
#include "cli_options.h"
#include "effect_host.h"
#include "image_files.h"
#include "parallel_frames.h"
#include "progress_meter.h"
#include "render_args.h"
#include "settings_options.h"

namespace zk {

namespace {

// Frames of the open effect from two pictures.
int RenderFrames(const RenderArgs& r, HostedEffect& effect) {
  std::string error;
  FrameImage a, b;
  if (IsMediaJob(r)) {
    // Pictures of other formats: B is fitted to A's size.
    if (!LoadPicture(r.from, 0, 0, &a, &error) || !LoadPicture(r.to, a.width, a.height, &b, &error))
      return Fail(error);
  } else if (!ReadBmp24(r.from, &a, &error) || !ReadBmp24(r.to, &b, &error)) {
    return Fail(error);
  }
  if (a.width != b.width || a.height != b.height)
    return Fail("scene sizes differ: " + std::to_string(a.width) + "x" + std::to_string(a.height) +
                " and " + std::to_string(b.width) + "x" + std::to_string(b.height));
  const RenderChoices& c = r.choices;
  if (!c.wholeFrame && (c.rectLeft < 0 || c.rectTop < 0 || c.rectWidth < 0 || c.rectHeight < 0 ||
                        static_cast<int64_t>(c.rectLeft) + c.rectWidth > a.width ||
                        static_cast<int64_t>(c.rectTop) + c.rectHeight > a.height))
    return Fail("--rect lies outside the " + std::to_string(a.width) + "x" +
                std::to_string(a.height) + " frame");

  if (r.fixedNoise) SetNoiseSeedVariable(r.noiseSeed);
  // Frames that do not depend on one another render on several threads; the files are
  // written in order afterwards, so output and messages do not depend on the threads.
  const int32_t threads =
      RendersInOrder(effect.name) ? 1 : (r.threads > 0 ? r.threads : DefaultThreadCount());
  const int64_t count = static_cast<int64_t>(r.progress.size());
  ShareCoresWithFrames(static_cast<int32_t>(std::min<int64_t>(threads, count)));
  const int64_t batch = std::max<int64_t>(1, threads) * 2;
  int status = 0;
  ProgressMeter meter = StartProgressMeter(count, r.quiet);
  for (int64_t first = 0; first < count && status == 0; first += batch) {
    const int64_t n = std::min(batch, count - first);
    std::vector<FrameImage> outs(static_cast<size_t>(n));
    std::vector<int32_t> results(static_cast<size_t>(n));
    ForEachFrameInParallel(n, threads, [&](int64_t i) {
      outs[i] = MakeFrameImage(a.width, a.height);
      results[i] = RenderEffectFrame(effect, a, b, r.progress[first + i], r.choices, &outs[i]);
    });
    for (int64_t i = 0; i < n; ++i) {
      const int64_t k = first + i;
      const std::string path =
          count > 1 ? FormatFramePattern(r.out, static_cast<int32_t>(k)) : r.out;
      if (r.verbose)
        std::printf("frame %lld progress %.9g returned %d -> %s\n", static_cast<long long>(k),
                    static_cast<double>(r.progress[k]), results[i], path.c_str());
      if (!WritePicture(path, outs[i], &error)) {
        status = Fail(error);
        break;
      }
      UpdateProgressMeter(&meter, k + 1);
    }
  }
  FinishProgressMeter(&meter);
  return status;
}

}  // namespace

int RunRender(const CommandContext& ctx) {
  RenderArgs r;
  std::string error;
  const bool parsed = ParseRenderArgs(ctx.args, &r, &error);
  if (r.effect.empty()) return Fail(error);
  HostedEffect effect;
  std::string effectError;
  if (!OpenEffect(ModulePath(ModuleDirectory(ctx.modulesDir), r.effect), &effect, &effectError))
    return Fail(effectError);
  int status;
  if (!parsed || !ApplySettingsOptions(r.settings, &effect, &error) ||
      !SetHostWords(effect, &r, &error))
    status = Fail(error);
  else if (IsClipPath(r.out) || r.duration > 0)
    status = RunJoin(r, effect);
  else
    status = RenderFrames(r, effect);
  CloseEffect(&effect);
  return status;
}

}  // namespace zk
