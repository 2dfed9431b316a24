// zelkor_kdenlive_xml MODULES_DIR FREI0R_DIR OUT_DIR: writes frei0r_zelkor_NAME.xml for every
// module that has a frei0r plug-in. The parameters are the ones the built plug-in reports, so
// the descriptions cannot name a parameter the service does not have.
#include <dlfcn.h>

extern "C" {
#include <frei0r.h>
}

#include <cstdio>
#include <cstring>

#include "composition_xml.h"
#include "effect_host.h"
#include "module_registry.h"

namespace {

template <typename F>
F Symbol(void* library, const char* name) {
  return reinterpret_cast<F>(dlsym(library, name));
}

uint32_t ColourWord(const f0r_param_color& c) {
  auto channel = [](float x) { return static_cast<uint32_t>(x * 255.0f + 0.5f) & 0xFF; };
  return (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

// The plug-in's parameters and the values a new instance starts from.
bool ReadReportedParams(const std::string& path, std::vector<zk::ReportedParam>* params,
                        std::string* error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return *error = dlerror(), false;
  auto init = Symbol<int (*)()>(library, "f0r_init");
  auto deinit = Symbol<void (*)()>(library, "f0r_deinit");
  auto pluginInfo = Symbol<void (*)(f0r_plugin_info_t*)>(library, "f0r_get_plugin_info");
  auto paramInfo = Symbol<void (*)(f0r_param_info_t*, int)>(library, "f0r_get_param_info");
  auto construct = Symbol<f0r_instance_t (*)(unsigned, unsigned)>(library, "f0r_construct");
  auto destruct = Symbol<void (*)(f0r_instance_t)>(library, "f0r_destruct");
  auto getValue =
      Symbol<void (*)(f0r_instance_t, f0r_param_t, int)>(library, "f0r_get_param_value");
  if (!init || !deinit || !pluginInfo || !paramInfo || !construct || !destruct || !getValue) {
    dlclose(library);
    return *error = path + ": not a frei0r plug-in", false;
  }
  init();
  f0r_plugin_info_t info{};
  pluginInfo(&info);
  f0r_instance_t instance = construct(16, 16);
  for (int i = 0; i < info.num_params; ++i) {
    f0r_param_info_t p{};
    paramInfo(&p, i);
    zk::ReportedParam r;
    r.name = p.name;
    r.type = p.type;
    r.explanation = p.explanation ? p.explanation : "";
    if (p.type == F0R_PARAM_DOUBLE || p.type == F0R_PARAM_BOOL) {
      getValue(instance, &r.number, i);
    } else if (p.type == F0R_PARAM_COLOR) {
      f0r_param_color c{};
      getValue(instance, &c, i);
      r.colour = ColourWord(c);
    }
    params->push_back(r);
  }
  destruct(instance);
  deinit();
  dlclose(library);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zelkor_kdenlive_xml MODULES_DIR FREI0R_DIR OUT_DIR\n");
    return 2;
  }
  const std::string modules = argv[1], frei0r = argv[2], out = argv[3];
  int written = 0;
  for (const std::string& name : zk::ListModuleNames(modules)) {
    zk::HostedEffect effect;
    std::string error;
    zk::CompositionSource source;
    if (!zk::OpenEffect(zk::ModulePath(modules, name), &effect, &error) ||
        !ReadReportedParams(frei0r + "/zelkor_" + name + ".so", &source.params, &error)) {
      std::fprintf(stderr, "zelkor_kdenlive_xml: %s\n", error.c_str());
      return 1;
    }
    const zk::EffectInfo& i = effect.info;
    source.module = name;
    source.effectName = zk::ModuleTextToUtf8(i.effectName, sizeof i.effectName);
    source.description = zk::ModuleTextToUtf8(i.description, sizeof i.description);
    source.schema = effect.params.empty() ? nullptr : zk::FindSchema(name);
    source.defaults = effect.params;
    source.choices = zk::FindHostChoices(name);
    zk::CloseEffect(&effect);

    const std::string path = out + "/frei0r_zelkor_" + name + ".xml";
    const std::string xml = zk::CompositionXml(source);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(xml.data(), 1, xml.size(), file) != xml.size() ||
        std::fclose(file) != 0) {
      std::fprintf(stderr, "zelkor_kdenlive_xml: cannot write %s\n", path.c_str());
      return 1;
    }
    ++written;
  }
  if (written == 0) {
    std::fprintf(stderr, "zelkor_kdenlive_xml: no modules in %s\n", modules.c_str());
    return 1;
  }
  return 0;
}
