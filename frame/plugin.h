// What one module gives the shared entry-point glue besides its manifest: the functions
// behind the host's calls. Every module defines exactly one PluginDefinition named kPlugin.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "host_records.h"
#include "module_manifest.h"

namespace zk {

struct PluginDefinition {
  // Renders one frame into the output rectangle; returns 1, or 0 to decline.
  int32_t (*render)(const FrameView& view);
  // Optional process attach and detach work.
  void (*onAttach)() = nullptr;
  void (*onDetach)() = nullptr;
};

// Windows-only work (ZK_WIN32_ONLY gives null natively).
#if defined(_WIN32)
#define ZK_WIN32_ONLY(function) function
#else
#define ZK_WIN32_ONLY(function) nullptr
#endif

extern const PluginDefinition kPlugin;
// The module's manifest (zk::modules::NAME), as the entry glue finds it.
extern const ModuleManifest& kModuleManifest;

// The module's own instance handle (HINSTANCE on Windows, null natively).
void* ModuleInstance();

}  // namespace zk

// The host's entry points, plain C names. Windows exports them through the module's .def
// file; natively they are the only symbols a module makes visible.
#if defined(_WIN32)
#define ZK_EXPORT
#else
#define ZK_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
int32_t vxDLLGetEffInfo(zk::EffectInfo* info);
int32_t vxDLLGetDefault(void* paramBlock);
int32_t vxDLLApplyEffect(int32_t mode, void* request, int32_t fieldMode);
}
