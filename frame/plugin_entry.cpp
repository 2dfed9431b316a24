// The host's entry points, shared by every module: describe, render, configure, attach.
#include <cstring>

#include "float_environment.h"
#include "module_text.h"
#include "plugin.h"
#include "slice_runner.h"

#if defined(_WIN32)
#include <windows.h>

#include "dialog_binder.h"
#endif

namespace zk {
namespace modules {
extern const ModuleManifest ZK_MODULE_NAME;
}  // namespace modules
const ModuleManifest& kModuleManifest = modules::ZK_MODULE_NAME;

namespace {
void* g_instance = nullptr;
constexpr uint32_t kTailValue = 40;
}  // namespace

void* ModuleInstance() { return g_instance; }

}  // namespace zk

#if defined(ZK_MODULE_HAS_SETTINGS)
// Only the modules with a settings record export it.
extern "C" ZK_EXPORT int32_t vxDLLGetDefault(void* paramBlock) {
  if (paramBlock == nullptr) return 1;
  zk::ScopedDefaultFloatEnvironment floatEnvironment;
  const zk::SettingsSchema* settings = zk::kModuleManifest.settings;
  if (settings != nullptr) settings->writeDefaults(paramBlock);
  return 1;
}
#endif

extern "C" ZK_EXPORT int32_t vxDLLGetEffInfo(zk::EffectInfo* info) {
  if (info == nullptr) return 1;
  const zk::ModuleManifest& p = zk::kModuleManifest;
  zk::LoadModuleText(zk::kTextEffectName, info->effectName, sizeof info->effectName);
  zk::LoadModuleText(zk::kTextGroupName, info->groupName, sizeof info->groupName);
  zk::LoadModuleText(zk::kTextDescription, info->description, sizeof info->description);
  info->baseFlags = 0;
  info->variantMask = p.variantMask;
  info->variantDefault = p.variantDefault;
  info->variantAlternate = p.variantAlternate;
  if (p.writesExtraWords) info->extraMask = p.extraMask;
  info->extraDefault = p.extraDefault;
  info->extraAlternate = p.extraAlternate;
  info->auxWord = p.auxWord;
  info->spareWord = 0;
  if (p.settings != nullptr) info->paramBlockSize = static_cast<int32_t>(p.settings->blockSize);
  info->tailValue = zk::kTailValue;
  return 1;
}

extern "C" ZK_EXPORT int32_t vxDLLApplyEffect(int32_t mode, void* request, int32_t fieldMode) {
  const zk::PluginDefinition& p = zk::kPlugin;
  zk::ScopedDefaultFloatEnvironment floatEnvironment;
  if (mode == zk::kApplyModeConfigure) {
#if defined(_WIN32) && defined(ZK_MODULE_HAS_SETTINGS)
    const zk::SettingsSchema* settings = zk::kModuleManifest.settings;
    if (request != nullptr && settings != nullptr && settings->dialog != nullptr)
      zk::openBoundDialog(*static_cast<const zk::ConfigureRequest*>(request), *settings,
                          zk::kDialogRules);
#endif
    return 1;
  }
  if (request == nullptr) return 0;
  const auto& apply = *static_cast<const zk::ApplyRequest*>(request);
  const zk::ModuleManifest& m = zk::kModuleManifest;
  if (m.declinesRequestMode && apply.requestMode == zk::kRequestModeDecline) return 0;
  const zk::FrameView view = zk::DecodeApplyRequest(apply, fieldMode, !m.rectFromFrameOrigin);
  const zk::SliceCrewScope crew(static_cast<int64_t>(view.width) * view.height);
  return p.render(view);
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    zk::g_instance = instance;
    if (zk::kPlugin.onAttach != nullptr) zk::kPlugin.onAttach();
  } else if (reason == DLL_PROCESS_DETACH) {
    if (zk::kPlugin.onDetach != nullptr) zk::kPlugin.onDetach();
  }
  return TRUE;
}
#else
__attribute__((constructor)) static void ZelkorModuleAttach() {
  if (zk::kPlugin.onAttach != nullptr) zk::kPlugin.onAttach();
}
__attribute__((destructor)) static void ZelkorModuleDetach() {
  if (zk::kPlugin.onDetach != nullptr) zk::kPlugin.onDetach();
}
#endif
