// The host side of the plug-in protocol: find a module, have it describe itself, keep its
// settings record, and call it for configure and render requests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame_image.h"
#include "host_records.h"
#include "module_loader.h"

namespace zk {

struct HostedEffect {
  std::string name;
  std::string path;
  LoadedModule module;
  EffectInfo info{};
  std::vector<uint8_t> params;  // the settings record: paramBlockSize bytes, or empty
};

// The host's choices for one render call.
struct RenderChoices {
  uint32_t variantFlags = 0;
  uint32_t extraFlags = 0;
  uint32_t extraColor = 0;
  int32_t fieldMode = 0;
  int32_t requestMode = 0;
  bool wholeFrame = true;  // otherwise the rectangle below
  int32_t rectLeft = 0;
  int32_t rectTop = 0;
  int32_t rectWidth = 0;
  int32_t rectHeight = 0;
};

// The words a host passes when the user chose none: the variant and extra defaults the
// module describes itself with, and black (0) as the colour.
RenderChoices ModuleDefaultChoices(const EffectInfo& info);

// Where modules are found: an explicit folder, else $ZELKOR_MODULES, else the modules/
// folder next to the running executable.
std::string ModuleDirectory(const std::string& explicitDir);
std::string ModulePath(const std::string& directory, const std::string& name);
// Names of the modules in a folder, sorted.
std::vector<std::string> ListModuleNames(const std::string& directory);

// Loads, describes (into a zeroed record) and, where a settings record is announced,
// allocates it and fills it with the module's defaults.
bool OpenEffect(const std::string& path, HostedEffect* effect, std::string* error);
void CloseEffect(HostedEffect* effect);

// One render call over `out`; the three frames must have the same size.
int32_t RenderEffectFrame(HostedEffect& effect, const FrameImage& sceneA, const FrameImage& sceneB,
                          float progress, const RenderChoices& choices, FrameImage* out);

// A configure call over the given owner window.
int32_t ConfigureEffect(HostedEffect& effect, void* parentWindow, int32_t graphBarCount);

// Effect name, group and description as UTF-8 (modules speak the Windows code page 936).
std::string ModuleTextToUtf8(const char* text, size_t maxBytes);

}  // namespace zk
