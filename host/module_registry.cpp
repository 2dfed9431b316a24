#include <cstring>

#include "choice_registry.h"
#include "module_manifest.h"
#include "schema_registry.h"

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
