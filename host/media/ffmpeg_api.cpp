#include <dlfcn.h>

extern "C" {
#include <libavcodec/version.h>
#include <libavformat/version.h>
#include <libavutil/version.h>
#include <libswresample/version.h>
#include <libswscale/version.h>
}

#include <mutex>

#define ZK_FFMPEG_LOADER
#include "ffmpeg_api.h"

namespace zk {
namespace {

#define ZK_SONAME(name, major) "lib" #name ".so." AV_STRINGIFY(major)

// The libraries by the major version the code was compiled against (their ABI).
struct Library {
  const char* soname;
  void* handle;
};
Library avutil{ZK_SONAME(avutil, LIBAVUTIL_VERSION_MAJOR), nullptr};
Library avcodec{ZK_SONAME(avcodec, LIBAVCODEC_VERSION_MAJOR), nullptr};
Library avformat{ZK_SONAME(avformat, LIBAVFORMAT_VERSION_MAJOR), nullptr};
Library swresample{ZK_SONAME(swresample, LIBSWRESAMPLE_VERSION_MAJOR), nullptr};
Library swscale{ZK_SONAME(swscale, LIBSWSCALE_VERSION_MAJOR), nullptr};

FfmpegFunctions functions;
bool loaded = false;
std::string failure;

bool Open(Library* library) {
  library->handle = dlopen(library->soname, RTLD_NOW | RTLD_LOCAL);
  if (!library->handle) failure = std::string("cannot load FFmpeg's ") + library->soname;
  return library->handle != nullptr;
}

template <class Function>
bool Find(Library& library, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(dlsym(library.handle, name));
  if (!*function) failure = std::string(library.soname) + " lacks " + name;
  return *function != nullptr;
}

void LoadOnce() {
  // The libraries stay open until the process ends: frames and contexts they made may be
  // alive to the last moment.
  if (!Open(&avutil) || !Open(&avcodec) || !Open(&avformat) || !Open(&swresample) ||
      !Open(&swscale))
    return;
#define ZK_FFMPEG_FIND(lib, name) \
  if (!Find(lib, #name, &functions.name)) return;
  ZK_FFMPEG_FUNCTIONS(ZK_FFMPEG_FIND)
#undef ZK_FFMPEG_FIND
  loaded = true;
}

}  // namespace

bool LoadFfmpeg(std::string* error) {
  static std::once_flag once;
  std::call_once(once, LoadOnce);
  if (!loaded && error) *error = failure;
  return loaded;
}

const FfmpegFunctions& Ffmpeg() { return functions; }

}  // namespace zk
