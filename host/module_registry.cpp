#include "module_registry.h"

#include <cstring>

#include "module_manifest.h"

namespace zk {

const ModuleManifest* FindManifest(const char* name) {
  for (const ModuleManifest* const* m = kManifests; *m != nullptr; ++m) {
    if (std::strcmp((*m)->name, name) == 0) return *m;
  }
  return nullptr;
}

const SettingsSchema* FindSchema(const std::string& module) {
  const ModuleManifest* m = FindManifest(module.c_str());
  return m != nullptr ? m->settings : nullptr;
}

const HostChoiceTable* FindHostChoices(const std::string& module) {
  const ModuleManifest* m = FindManifest(module.c_str());
  return m != nullptr ? m->choices : nullptr;
}

}  // namespace zk
