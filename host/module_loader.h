// Loads a transition module by path and finds its entry points, as the host editor does.
#pragma once

#include <cstdint>
#include <string>

#include "host_records.h"

namespace zk {

using GetEffInfoFn = int32_t (*)(EffectInfo*);
using GetDefaultFn = int32_t (*)(void*);
using ApplyEffectFn = int32_t (*)(int32_t, void*, int32_t);

struct LoadedModule {
  void* handle = nullptr;
  GetEffInfoFn getEffInfo = nullptr;
  GetDefaultFn getDefault = nullptr;  // null for modules without settings
  ApplyEffectFn applyEffect = nullptr;
};

// Loads the module; on failure returns false with a one-line reason.
bool LoadModule(const std::string& path, LoadedModule* module, std::string* error);
void UnloadModule(LoadedModule* module);

}  // namespace zk
