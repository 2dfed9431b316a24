// zelkor render: one or more frames of a transition from two BMP scenes.
#include <cstdio>

#include "cli_numbers.h"
#include "cli_options.h"
#include "effect_host.h"
#include "image_files.h"
#include "settings_options.h"

namespace zk {
namespace {

struct RenderArgs {
  std::string effect, from, to, out;
  std::vector<float> progress;
  RenderChoices choices;
  SettingsOptions settings;
  bool verbose = false;
};

// Reads the render options; false with a message on anything malformed.
bool ParseRenderArgs(const std::vector<std::string>& args, RenderArgs* r, std::string* error) {
  int progressForms = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* into) {
      if (i + 1 >= args.size()) {
        *error = a + " needs a value";
        return false;
      }
      *into = args[++i];
      return true;
    };
    std::string v;
    if (a == "-v" || a == "--verbose") {
      r->verbose = true;
    } else if (a == "--field") {
      r->choices.fieldMode = 1;
    } else if (a == "--from") {
      if (!value(&r->from)) return false;
    } else if (a == "--to") {
      if (!value(&r->to)) return false;
    } else if (a == "--out") {
      if (!value(&r->out)) return false;
    } else if (a == "--progress") {
      float p;
      if (!value(&v)) return false;
      if (!ParseFloat(v, &p)) return *error = "--progress: bad number '" + v + "'", false;
      r->progress = {p};
      ++progressForms;
    } else if (a == "--frames") {
      int32_t n;
      if (!value(&v)) return false;
      if (!ParseInt32(v, &n) || n < 1 || n > 100000)
        return *error = "--frames: expected a count from 1 to 100000, got '" + v + "'", false;
      r->progress.clear();
      for (int32_t k = 0; k < n; ++k)
        r->progress.push_back(n == 1 ? 0.0f : static_cast<float>(static_cast<double>(k) / (n - 1)));
      ++progressForms;
    } else if (a == "--sequence") {
      if (!value(&v)) return false;
      r->progress.clear();
      for (const std::string& part : SplitCommas(v)) {
        float p;
        if (!ParseFloat(part, &p)) return *error = "--sequence: bad number '" + part + "'", false;
        r->progress.push_back(p);
      }
      ++progressForms;
    } else if (a == "--rect") {
      if (!value(&v)) return false;
      const std::vector<std::string> parts = SplitCommas(v);
      int32_t n[4];
      if (parts.size() != 4 || !ParseInt32(parts[0], &n[0]) || !ParseInt32(parts[1], &n[1]) ||
          !ParseInt32(parts[2], &n[2]) || !ParseInt32(parts[3], &n[3]))
        return *error = "--rect: expected L,T,W,H, got '" + v + "'", false;
      r->choices.wholeFrame = false;
      r->choices.rectLeft = n[0];
      r->choices.rectTop = n[1];
      r->choices.rectWidth = n[2];
      r->choices.rectHeight = n[3];
    } else if (a == "--variant" || a == "--extra" || a == "--color" || a == "--colour") {
      uint32_t word;
      if (!value(&v)) return false;
      if (!ParseUint32(v, &word)) return *error = a + ": bad number '" + v + "'", false;
      if (a == "--variant")
        r->choices.variantFlags = word;
      else if (a == "--extra")
        r->choices.extraFlags = word;
      else
        r->choices.extraColor = word;
    } else if (a == "--request-mode") {
      if (!value(&v)) return false;
      if (!ParseInt32(v, &r->choices.requestMode))
        return *error = "--request-mode: bad number '" + v + "'", false;
    } else if (a == "--set") {
      if (!value(&v)) return false;
      r->settings.assignments.push_back(v);
    } else if (a == "--preset") {
      if (!value(&r->settings.preset)) return false;
    } else if (a == "--params-hex") {
      if (!value(&r->settings.paramsHex)) return false;
    } else if (a == "--params-file") {
      if (!value(&r->settings.paramsFile)) return false;
    } else if (!a.empty() && a[0] == '-') {
      return *error = "unknown option " + a, false;
    } else if (r->effect.empty()) {
      r->effect = a;
    } else {
      return *error = "unexpected argument '" + a + "'", false;
    }
  }
  if (r->effect.empty()) return *error = "render: no effect named", false;
  if (r->from.empty() || r->to.empty() || r->out.empty())
    return *error = "render: --from, --to and --out are required", false;
  if (progressForms > 1) return *error = "use one of --progress, --frames, --sequence", false;
  if (r->progress.empty()) return *error = "render: give --progress, --frames or --sequence", false;
  if (r->progress.size() > 1 && !IsFramePattern(r->out))
    return *error = "several frames need an --out pattern such as out/%03d.bmp", false;
  if (r->progress.size() == 1 && r->out.find('%') != std::string::npos && IsFramePattern(r->out))
    r->out = FormatFramePattern(r->out, 0);
  return true;
}

}  // namespace

int RunRender(const CommandContext& ctx) {
  RenderArgs r;
  std::string error;
  if (!ParseRenderArgs(ctx.args, &r, &error)) return Fail(error);

  FrameImage a, b;
  if (!ReadBmp24(r.from, &a, &error) || !ReadBmp24(r.to, &b, &error)) return Fail(error);
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
  int status = 0;
  for (size_t k = 0; k < r.progress.size(); ++k) {
    FrameImage out = MakeFrameImage(a.width, a.height);
    const int32_t result = RenderEffectFrame(effect, a, b, r.progress[k], r.choices, &out);
    const std::string path =
        r.progress.size() > 1 ? FormatFramePattern(r.out, static_cast<int32_t>(k)) : r.out;
    if (r.verbose)
      std::printf("frame %zu progress %.9g returned %d -> %s\n", k,
                  static_cast<double>(r.progress[k]), result, path.c_str());
    if (!WriteImageFile(path, out, &error)) {
      status = Fail(error);
      break;
    }
  }
  CloseEffect(&effect);
  return status;
}

}  // namespace zk
