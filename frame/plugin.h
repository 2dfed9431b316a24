// What one module tells the shared entry-point glue about itself. Every module defines
// exactly one PluginDefinition named kPlugin; the glue answers the host from it.
#pragma once

#include <cstdint>

#include "frame_view.h"
#include "host_records.h"

namespace zk {

struct PluginDefinition {
  // Numeric words of the description record.
  uint32_t variantMask;
  uint32_t variantDefault;
  uint32_t variantAlternate;
  bool writesExtraWords;  // false: the three extra words keep the host's bytes
  uint32_t extraMask;
  uint32_t extraDefault;
  uint32_t extraAlternate;
  uint32_t auxWord;
  int32_t paramBlockSize;  // 0: no settings record, paramBlockSize is not written

  bool declinesRequestMode;  // answer requestMode 1 with 0 before rendering
  bool rectFromFrameOrigin;  // the effect ignores rectLeft and rectTop

  // Renders one frame into the output rectangle; returns 1, or 0 to decline.
  int32_t (*render)(const FrameView& view);
  // Settings modules only: default settings, and the modal dialog (Win32 builds).
  void (*writeDefaults)(void* paramBlock);
  int32_t (*configure)(const ConfigureRequest& request);
  // Optional process attach and detach work.
  void (*onAttach)();
  void (*onDetach)();
};

extern const PluginDefinition kPlugin;

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
