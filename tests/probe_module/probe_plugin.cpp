// A module for the tests of the shared entry-point glue: long texts that must be cut, a
// small settings record, and a render that records what reached it.
#include <cstring>

#include "plugin.h"

#if defined(_WIN32)
#include "dialog_binder.h"
#endif

namespace zk {
namespace {

struct ProbeBlock {
  int32_t answer;
  float scale;
};

void WriteProbeDefaults(void* block) {
  ProbeBlock defaults{42, 0.5f};
  std::memcpy(block, &defaults, sizeof defaults);
}

// First output pixel: the line step and the low byte of the settings' answer.
int32_t RenderProbe(const FrameView& v) {
  if (v.width < 1 || v.height < 1) return 1;
  const ProbeBlock* block = static_cast<const ProbeBlock*>(v.paramBlock);
  v.out[0] = static_cast<uint8_t>(v.lineStep);
  v.out[1] = block != nullptr ? static_cast<uint8_t>(block->answer) : 0xFF;
  v.out[2] = static_cast<uint8_t>(v.extraFlags);
  return 1;
}

const SettingsSchema kProbeSettings = {
    "probe", sizeof(ProbeBlock), nullptr, 0, WriteProbeDefaults, nullptr, 0, nullptr};

}  // namespace

namespace modules {
extern const ModuleManifest probe = Manifest("probe")
                                        .Variant(0x30000, 0x10000, 0x20000)
                                        .Extra(0x100, 0, 0)
                                        .Settings(&kProbeSettings);

}  // namespace modules

const PluginDefinition kPlugin = {RenderProbe};

#if defined(_WIN32)
// A settings record without a dialog: the configure call answers without one.
extern const DialogRules kDialogRules = {};
#endif

}  // namespace zk
