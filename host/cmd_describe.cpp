// zelkor list and zelkor info.
#include <cstdio>

#include "cli_options.h"
#include "effect_host.h"
#include "host_words.h"
#include "module_registry.h"

namespace zk {

namespace {

void PrintEffectLine(const HostedEffect& e) {
  std::printf("%-10s  %-22s  %-8s  %s  [%s]\n", e.name.c_str(),
              ModuleTextToUtf8(e.info.effectName, sizeof e.info.effectName).c_str(),
              ModuleTextToUtf8(e.info.groupName, sizeof e.info.groupName).c_str(),
              ModuleTextToUtf8(e.info.description, sizeof e.info.description).c_str(),
              e.params.empty() ? "no settings" : "settings");
}

// The module's named choices of the two host words, its defaults marked.
void PrintHostChoices(const HostedEffect& e) {
  const HostChoiceTable* table = FindHostChoices(e.name);
  if (table == nullptr) return;
  std::printf("\nhost choices (by name or number; * the default)\n");
  for (int32_t k = 0; k < table->count; ++k) {
    const HostChoice& c = table->choices[k];
    const uint32_t byDefault =
        c.word == HostWord::Variant ? e.info.variantDefault : e.info.extraDefault;
    char number[16];
    std::snprintf(number, sizeof number, "0x%X", c.value);
    std::printf("  %-9s %-14s %-8s %s %s\n", HostWordOption(c.word), c.name, number,
                c.value == byDefault ? "*" : " ", c.meaning);
  }
}

}  // namespace

int RunList(const CommandContext& ctx) {
  const std::string dir = ModuleDirectory(ctx.modulesDir);
  const std::vector<std::string> names = ListModuleNames(dir);
  if (names.empty()) return Fail("no modules in " + dir);
  for (const std::string& name : names) {
    HostedEffect e;
    std::string error;
    if (!OpenEffect(ModulePath(dir, name), &e, &error)) {
      std::fprintf(stderr, "zelkor: %s\n", error.c_str());
      continue;
    }
    PrintEffectLine(e);
    CloseEffect(&e);
  }
  return 0;
}

int RunInfo(const CommandContext& ctx) {
  if (ctx.args.size() != 1) return Fail("usage: zelkor info EFFECT");
  HostedEffect e;
  std::string error;
  if (!OpenEffect(ModulePath(ModuleDirectory(ctx.modulesDir), ctx.args[0]), &e, &error))
    return Fail(error);
  const EffectInfo& i = e.info;
  std::printf("module           %s\n", e.path.c_str());
  std::printf("effectName       %s\n", ModuleTextToUtf8(i.effectName, sizeof i.effectName).c_str());
  std::printf("groupName        %s\n", ModuleTextToUtf8(i.groupName, sizeof i.groupName).c_str());
  std::printf("description      %s\n",
              ModuleTextToUtf8(i.description, sizeof i.description).c_str());
  std::printf("baseFlags        %u\n", i.baseFlags);
  std::printf("variantMask      0x%08X\n", i.variantMask);
  std::printf("variantDefault   0x%08X\n", i.variantDefault);
  std::printf("variantAlternate 0x%08X\n", i.variantAlternate);
  std::printf("extraMask        0x%08X\n", i.extraMask);
  std::printf("extraDefault     0x%08X\n", i.extraDefault);
  std::printf("extraAlternate   0x%08X\n", i.extraAlternate);
  std::printf("auxWord          %u\n", i.auxWord);
  std::printf("spareWord        %u\n", i.spareWord);
  std::printf("paramBlockSize   %d\n", i.paramBlockSize);
  std::printf("tailValue        %u\n", i.tailValue);
  std::printf("settings         %s\n",
              e.params.empty() ? "none" : (std::to_string(e.params.size()) + " bytes").c_str());
  PrintHostChoices(e);
  if (const SettingsSchema* schema = FindSchema(e.name); schema != nullptr && !e.params.empty()) {
    std::printf("\n%-22s %6s  %-6s  %-14s  %-14s  %s\n", "field", "offset", "type", "default",
                "range", "meaning");
    for (int32_t k = 0; k < schema->fieldCount; ++k) {
      const SettingField& f = schema->fields[k];
      char range[64];
      if (f.choices != nullptr)
        std::snprintf(range, sizeof range, "%s", f.choices);
      else if (f.type == SettingType::Path || f.type == SettingType::Colour)
        std::snprintf(range, sizeof range, "-");
      else
        std::snprintf(range, sizeof range, "%g..%g", f.minValue, f.maxValue);
      std::printf("%-22s %6u  %-6s  %-14s  %-14s  %s\n", f.name, f.offset, SettingTypeName(f.type),
                  FormatSetting(f, e.params.data()).c_str(), range, f.help);
    }
    if (schema->presetCount > 0) {
      std::printf("\npresets:");
      for (int32_t k = 0; k < schema->presetCount; ++k)
        std::printf("%s %d \"%s\"", k == 0 ? "" : ",", k, schema->presetNames[k]);
      std::printf("\n");
    }
  }
  CloseEffect(&e);
  return 0;
}

}  // namespace zk
