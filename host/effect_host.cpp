#include "effect_host.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <iconv.h>
#include <unistd.h>
#endif

namespace zk {
namespace {

std::string ExecutableDirectory() {
#if defined(_WIN32)
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  const size_t slash = s.find_last_of("\\/");
#else
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string s(path, n > 0 ? static_cast<size_t>(n) : 0);
  const size_t slash = s.find_last_of('/');
#endif
  return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

RenderChoices ModuleDefaultChoices(const EffectInfo& info) {
  RenderChoices choices;
  choices.variantFlags = info.variantDefault;
  choices.extraFlags = info.extraDefault;
  return choices;
}

std::string ModuleDirectory(const std::string& explicitDir) {
  if (!explicitDir.empty()) return explicitDir;
  const char* env = std::getenv("ZELKOR_MODULES");
  if (env != nullptr && env[0] != '\0') return env;
  const std::string beside = ExecutableDirectory() + "/modules";
#if !defined(_WIN32)
  // An installed zelkor (<prefix>/bin) finds the modules in <prefix>/lib/zelkor/modules.
  const std::string installed = ExecutableDirectory() + "/../lib/zelkor/modules";
  if (access(beside.c_str(), F_OK) != 0 && access(installed.c_str(), F_OK) == 0) return installed;
#endif
  return beside;
}

std::string ModulePath(const std::string& directory, const std::string& name) {
  if (EndsWith(name, ".vfx") || name.find('/') != std::string::npos ||
      name.find('\\') != std::string::npos)
    return name;
  return directory + "/" + name + ".vfx";
}

std::vector<std::string> ListModuleNames(const std::string& directory) {
  std::vector<std::string> names;
#if defined(_WIN32)
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((directory + "\\*.vfx").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string file = found.cFileName;
      names.push_back(file.substr(0, file.size() - 4));
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
#else
  if (DIR* dir = opendir(directory.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string file = entry->d_name;
      if (EndsWith(file, ".vfx") && file.size() > 4)
        names.push_back(file.substr(0, file.size() - 4));
    }
    closedir(dir);
  }
#endif
  std::sort(names.begin(), names.end());
  return names;
}

bool OpenEffect(const std::string& path, HostedEffect* effect, std::string* error) {
  CloseEffect(effect);
  const size_t slash = path.find_last_of("/\\");
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (EndsWith(base, ".vfx")) base.resize(base.size() - 4);
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    *error = "unknown effect '" + base + "': there is no " + path + " (zelkor list names them)";
    return false;
  }
  if (!LoadModule(path, &effect->module, error)) return false;
  effect->path = path;
  effect->name = base;
  std::memset(&effect->info, 0, sizeof effect->info);
  effect->module.getEffInfo(&effect->info);
  const int32_t size = effect->info.paramBlockSize;
  if (size > 0 && size <= (1 << 20)) {
    effect->params.assign(static_cast<size_t>(size), 0);
    if (effect->module.getDefault != nullptr) effect->module.getDefault(effect->params.data());
  }
  return true;
}

void CloseEffect(HostedEffect* effect) {
  UnloadModule(&effect->module);
  effect->params.clear();
}

int32_t RenderEffectFrame(HostedEffect& effect, const FrameImage& sceneA, const FrameImage& sceneB,
                          float progress, const RenderChoices& choices, FrameImage* out) {
  BitmapHeader header{};
  header.headerSize = sizeof header;
  header.width = out->width;
  header.height = out->height;
  header.planes = 1;
  header.bitCount = 24;
  header.imageSize = static_cast<uint32_t>(out->pixels.size());

  ApplyRequest request{};
  request.outputHeader = &header;
  request.outputPixels = out->pixels.data();
  request.sceneAPixels = sceneA.pixels.data();
  request.sceneBPixels = sceneB.pixels.data();
  request.variantFlags = choices.variantFlags;
  request.extraFlags = choices.extraFlags;
  request.extraColor = choices.extraColor;
  request.progress = progress;
  if (choices.wholeFrame) {
    request.rectWidth = out->width;
    request.rectHeight = out->height;
  } else {
    request.rectLeft = choices.rectLeft;
    request.rectTop = choices.rectTop;
    request.rectWidth = choices.rectWidth;
    request.rectHeight = choices.rectHeight;
  }
  request.paramBlock = effect.params.empty() ? nullptr : effect.params.data();
  request.requestMode = choices.requestMode;
  return effect.module.applyEffect(1, &request, choices.fieldMode);
}

int32_t ConfigureEffect(HostedEffect& effect, void* parentWindow, int32_t graphBarCount) {
  ConfigureRequest request{};
  request.parentWindow = parentWindow;
  request.graphBarCount = graphBarCount;
  request.paramBlock = effect.params.empty() ? nullptr : effect.params.data();
  return effect.module.applyEffect(kApplyModeConfigure, &request, 0);
}

std::string ModuleTextToUtf8(const char* text, size_t maxBytes) {
  const std::string raw(text, strnlen(text, maxBytes));
  if (raw.empty()) return raw;
#if defined(_WIN32)
  // The module answered in the thread's ANSI code page.
  const int wide =
      MultiByteToWideChar(CP_ACP, 0, raw.data(), static_cast<int>(raw.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, raw.data(), static_cast<int>(raw.size()), &w[0], wide);
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, &utf8[0], n, nullptr, nullptr);
  return utf8;
#else
  iconv_t cd = iconv_open("UTF-8", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return raw;
  std::string utf8(raw.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(raw.data());
  size_t inLeft = raw.size();
  char* outp = &utf8[0];
  size_t outLeft = utf8.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) {
      // A byte that is no character (a cut double-byte pair): show it as '?'.
      if (outLeft == 0) break;
      *outp++ = '?';
      --outLeft;
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  utf8.resize(utf8.size() - outLeft);
  return utf8;
#endif
}

}  // namespace zk
