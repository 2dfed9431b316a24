// zelkor configure: run a module's settings dialog on a settings file.
#include <cstdio>

#include "cli_options.h"
#include "effect_host.h"
#include "image_files.h"
#include "settings_options.h"

namespace zk {

int RunConfigure(const CommandContext& ctx) {
  std::string name, file;
  for (size_t i = 0; i < ctx.args.size(); ++i) {
    if (ctx.args[i] == "--params-file" && i + 1 < ctx.args.size())
      file = ctx.args[++i];
    else if (name.empty() && ctx.args[i][0] != '-')
      name = ctx.args[i];
    else
      return Fail("usage: zelkor configure EFFECT --params-file FILE");
  }
  if (name.empty() || file.empty())
    return Fail("usage: zelkor configure EFFECT --params-file FILE");
  HostedEffect effect;
  std::string error;
  if (!OpenEffect(ModulePath(ModuleDirectory(ctx.modulesDir), name), &effect, &error))
    return Fail(error);
  if (effect.params.empty()) {
    CloseEffect(&effect);
    return Fail(name + " has no settings");
  }
  std::vector<uint8_t> existing;
  std::string ignored;
  if (ReadWholeFile(file, &existing, &ignored)) {
    SettingsOptions options;
    options.paramsFile = file;
    if (!ApplySettingsOptions(options, &effect, &error)) {
      CloseEffect(&effect);
      return Fail(error);
    }
  }
  ConfigureEffect(effect, nullptr, 0);
  const bool ok = WriteFileAtomically(file, effect.params, &error);
  CloseEffect(&effect);
  return ok ? 0 : Fail(error);
}

}  // namespace zk
