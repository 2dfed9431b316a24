#include "module_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace zk {
namespace {

#if defined(_WIN32)
void* OpenLibrary(const std::string& path, std::string* error) {
  HMODULE handle = LoadLibraryA(path.c_str());
  if (handle == nullptr)
    *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(handle);
}
void* FindSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void* OpenLibrary(const std::string& path, std::string* error) {
  // A path without a slash would make dlopen search the library path instead.
  const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    *error = "cannot load " + path + (why != nullptr ? std::string(": ") + why : "");
  }
  return handle;
}
void* FindSymbol(void* handle, const char* name) { return dlsym(handle, name); }
void CloseLibrary(void* handle) { dlclose(handle); }
#endif

}  // namespace

bool LoadModule(const std::string& path, LoadedModule* module, std::string* error) {
  *module = LoadedModule{};
  void* handle = OpenLibrary(path, error);
  if (handle == nullptr) return false;
  LoadedModule m;
  m.handle = handle;
  m.getEffInfo = reinterpret_cast<GetEffInfoFn>(FindSymbol(handle, "vxDLLGetEffInfo"));
  m.getDefault = reinterpret_cast<GetDefaultFn>(FindSymbol(handle, "vxDLLGetDefault"));
  m.applyEffect = reinterpret_cast<ApplyEffectFn>(FindSymbol(handle, "vxDLLApplyEffect"));
  if (m.getEffInfo == nullptr || m.applyEffect == nullptr) {
    *error = path + " is not a transition module (no vxDLLGetEffInfo/vxDLLApplyEffect)";
    CloseLibrary(handle);
    return false;
  }
  *module = m;
  return true;
}

void UnloadModule(LoadedModule* module) {
  if (module->handle != nullptr) CloseLibrary(module->handle);
  *module = LoadedModule{};
}

}  // namespace zk
