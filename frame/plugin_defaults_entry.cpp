// vxDLLGetDefault, linked only into the modules that have a settings record.
#include "float_environment.h"
#include "plugin.h"

extern "C" ZK_EXPORT int32_t vxDLLGetDefault(void* paramBlock) {
  if (paramBlock == nullptr) return 1;
  zk::ScopedDefaultFloatEnvironment floatEnvironment;
  const zk::SettingsSchema* settings = zk::kModuleManifest.settings;
  if (settings != nullptr) settings->writeDefaults(paramBlock);
  return 1;
}
