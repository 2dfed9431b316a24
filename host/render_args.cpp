#include "render_args.h"

#include <cctype>
#include <cstdlib>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "cli_numbers.h"
#include "host_words.h"

namespace zk {

namespace {

// Reads the option at args[*i] (and its value); false with a message when it is malformed.
bool ReadRenderOption(const std::vector<std::string>& args, size_t* at, RenderArgs* r,
                      int* progressForms, std::string* error) {
  size_t& i = *at;
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
    ++*progressForms;
  } else if (a == "--frames") {
    int32_t n;
    if (!value(&v)) return false;
    if (!ParseInt32(v, &n) || n < 1 || n > 100000)
      return *error = "--frames: expected a count from 1 to 100000, got '" + v + "'", false;
    r->progress.clear();
    for (int32_t k = 0; k < n; ++k)
      r->progress.push_back(n == 1 ? 0.0f : static_cast<float>(static_cast<double>(k) / (n - 1)));
    ++*progressForms;
  } else if (a == "--sequence") {
    if (!value(&v)) return false;
    r->progress.clear();
    for (const std::string& part : SplitCommas(v)) {
      float p;
      if (!ParseFloat(part, &p)) return *error = "--sequence: bad number '" + part + "'", false;
      r->progress.push_back(p);
    }
    ++*progressForms;
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
  } else if (a == "--variant") {
    // Names are the module's own: read once the module is known.
    if (!value(&r->variantWord)) return false;
    if (r->variantWord.empty()) return *error = "--variant needs a value", false;
  } else if (a == "--extra") {
    if (!value(&r->extraWord)) return false;
    if (r->extraWord.empty()) return *error = "--extra needs a value", false;
  } else if (a == "--color" || a == "--colour") {
    if (!value(&v)) return false;
    if (!ParseUint32(v, &r->choices.extraColor))
      return *error = a + ": bad number '" + v + "'", false;
  } else if (a == "--request-mode") {
    if (!value(&v)) return false;
    if (!ParseInt32(v, &r->choices.requestMode))
      return *error = "--request-mode: bad number '" + v + "'", false;
  } else if (a == "--seed") {
    if (!value(&v)) return false;
    if (!ParseUint32(v, &r->noiseSeed))
      return *error = "--seed: expected a whole number from 0 to 4294967295, got '" + v + "'",
             false;
    r->fixedNoise = true;
  } else if (a == "--duration" || a == "--offset" || a == "--still-duration") {
    if (!value(&v)) return false;
    float seconds;
    if (!ParseFloat(v, &seconds) || seconds < 0 || seconds > 86400)
      return *error = a + ": expected seconds, got '" + v + "'", false;
    if (a == "--duration") {
      if (seconds <= 0) return *error = "--duration must be above 0", false;
      r->duration = seconds;
    } else if (a == "--offset") {
      r->offset = seconds;
    } else {
      r->stillDuration = seconds;
    }
  } else if (a == "--threads") {
    if (!value(&v)) return false;
    if (!ParseInt32(v, &r->threads) || r->threads < 1 || r->threads > 256)
      return *error = "--threads: expected 1 to 256, got '" + v + "'", false;
  } else if (a == "--quiet" || a == "-q") {
    r->quiet = true;
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
  return true;
}

}  // namespace

bool ParseRenderArgs(const std::vector<std::string>& args, RenderArgs* r, std::string* error) {
  int progressForms = 0;
  // Past a malformed option the rest is still read, so that the effect is known (an unknown
  // one is the first thing to tell); the first complaint is the one reported.
  std::string firstError;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!ReadRenderOption(args, &i, r, &progressForms, error) && firstError.empty())
      firstError = *error;
  }
  if (!firstError.empty()) return *error = firstError, false;
  if (r->effect.empty()) return *error = "render: no effect named", false;
  if (r->from.empty() || r->to.empty() || r->out.empty())
    return *error = "render: --from, --to and --out are required", false;
  if (progressForms > 1) return *error = "use one of --progress, --frames, --sequence", false;
  if (IsClipPath(r->out) || r->duration > 0) {
    if (progressForms > 0)
      return *error = "a join of clips takes --duration, not progress values", false;
    if (r->duration <= 0) r->duration = 1.0;
    return true;
  }
  if (r->offset >= 0)
    return *error = "--offset belongs to a join of clips (give --duration)", false;
  if (r->progress.empty()) return *error = "render: give --progress, --frames or --sequence", false;
  if (r->progress.size() > 1 && !IsFramePattern(r->out))
    return *error = "several frames need an --out pattern such as out/%03d.bmp", false;
  if (r->progress.size() == 1 && r->out.find('%') != std::string::npos && IsFramePattern(r->out))
    r->out = FormatFramePattern(r->out, 0);
  return true;
}

bool SetHostWords(const HostedEffect& effect, RenderArgs* r, std::string* error) {
  const RenderChoices defaults = ModuleDefaultChoices(effect.info);
  r->choices.variantFlags = defaults.variantFlags;
  r->choices.extraFlags = defaults.extraFlags;
  return (r->variantWord.empty() || ReadHostWord(effect.name, HostWord::Variant, r->variantWord,
                                                 &r->choices.variantFlags, error)) &&
         (r->extraWord.empty() ||
          ReadHostWord(effect.name, HostWord::Extra, r->extraWord, &r->choices.extraFlags, error));
}

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

}  // namespace

bool IsClipPath(const std::string& path) {
  const std::string ext = LowerExtension(path);
  return ext == "mkv" || ext == "mp4" || ext == "mov" || ext == "webm" || ext == "webp" ||
         ext == "gif";
}

bool IsMediaJob(const RenderArgs& r) {
  return LowerExtension(r.from) != "bmp" || LowerExtension(r.to) != "bmp" || IsClipPath(r.out) ||
         r.duration > 0;
}

void SetNoiseSeedVariable(uint32_t seed) {
  SetModuleVariable("ZELKOR_NOISE_SEED", std::to_string(seed));
}

void SetModuleVariable(const char* name, const std::string& value) {
#if defined(_WIN32)
  // The modules' C runtime reads the process environment block.
  SetEnvironmentVariableA(name, value.c_str());
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

}  // namespace zk
