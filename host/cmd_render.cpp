// zelkor render: frames of a transition from two pictures, or a join of two clips.
#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "cli_numbers.h"
#include "cli_options.h"
#include "effect_host.h"
#include "image_files.h"
#include "render_args.h"
#include "settings_options.h"

namespace zk {

int RunRender(const CommandContext& ctx) {
  RenderArgs r;
  std::string error;
  if (!ParseRenderArgs(ctx.args, &r, &error)) return Fail(error);

  if (IsClipPath(r.out) || r.duration > 0) return RunJoin(ctx.modulesDir, r);
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

  HostedEffect effect;
  if (!OpenEffect(ModulePath(ModuleDirectory(ctx.modulesDir), r.effect), &effect, &error))
    return Fail(error);
  if (!ApplySettingsOptions(r.settings, &effect, &error)) {
    CloseEffect(&effect);
    return Fail(error);
  }
  if (r.fixedNoise) SetNoiseSeedVariable(r.noiseSeed);
  int status = 0;
  for (size_t k = 0; k < r.progress.size(); ++k) {
    FrameImage out = MakeFrameImage(a.width, a.height);
    const int32_t result = RenderEffectFrame(effect, a, b, r.progress[k], r.choices, &out);
    const std::string path =
        r.progress.size() > 1 ? FormatFramePattern(r.out, static_cast<int32_t>(k)) : r.out;
    if (r.verbose)
      std::printf("frame %zu progress %.9g returned %d -> %s\n", k,
                  static_cast<double>(r.progress[k]), result, path.c_str());
    if (!WritePicture(path, out, &error)) {
      status = Fail(error);
      break;
    }
  }
  CloseEffect(&effect);
  return status;
}

}  // namespace zk
