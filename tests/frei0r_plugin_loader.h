// A frei0r plug-in opened as a host opens it, with the entry points the tests call.
#pragma once

#include <dlfcn.h>

#include <string>

extern "C" {
#include <frei0r.h>
}

namespace zk {

struct Frei0rPlugin {
  void* handle = nullptr;
  int (*init)() = nullptr;
  void (*pluginInfo)(f0r_plugin_info_t*) = nullptr;
  void (*paramInfo)(f0r_param_info_t*, int) = nullptr;
  f0r_instance_t (*construct)(unsigned, unsigned) = nullptr;
  void (*destruct)(f0r_instance_t) = nullptr;
  void (*setParam)(f0r_instance_t, f0r_param_t, int) = nullptr;
  void (*getParam)(f0r_instance_t, f0r_param_t, int) = nullptr;
  void (*update2)(f0r_instance_t, double, const uint32_t*, const uint32_t*, const uint32_t*,
                  uint32_t*) = nullptr;

  bool Load(const std::string& path) {
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return false;
    init = reinterpret_cast<decltype(init)>(dlsym(handle, "f0r_init"));
    pluginInfo = reinterpret_cast<decltype(pluginInfo)>(dlsym(handle, "f0r_get_plugin_info"));
    paramInfo = reinterpret_cast<decltype(paramInfo)>(dlsym(handle, "f0r_get_param_info"));
    construct = reinterpret_cast<decltype(construct)>(dlsym(handle, "f0r_construct"));
    destruct = reinterpret_cast<decltype(destruct)>(dlsym(handle, "f0r_destruct"));
    setParam = reinterpret_cast<decltype(setParam)>(dlsym(handle, "f0r_set_param_value"));
    getParam = reinterpret_cast<decltype(getParam)>(dlsym(handle, "f0r_get_param_value"));
    update2 = reinterpret_cast<decltype(update2)>(dlsym(handle, "f0r_update2"));
    return init && pluginInfo && paramInfo && construct && destruct && setParam && getParam &&
           update2;
  }
  ~Frei0rPlugin() {
    if (handle != nullptr) dlclose(handle);
  }
};

}  // namespace zk
