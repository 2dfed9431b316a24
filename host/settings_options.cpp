#include "settings_options.h"

#include "cli_numbers.h"
#include "image_files.h"
#include "module_registry.h"

namespace zk {

bool ApplySettingsOptions(const SettingsOptions& options, HostedEffect* effect,
                          std::string* error) {
  if (!options.any()) return true;
  if (effect->params.empty()) {
    *error = effect->name + " has no settings";
    return false;
  }
  const size_t size = effect->params.size();
  if (!options.paramsHex.empty() || !options.paramsFile.empty()) {
    std::vector<uint8_t> block;
    if (!options.paramsHex.empty()) {
      if (!ParseHexBytes(options.paramsHex, &block)) {
        *error = "--params-hex: not a sequence of hexadecimal bytes";
        return false;
      }
    } else if (!ReadWholeFile(options.paramsFile, &block, error)) {
      return false;
    }
    if (block.size() != size) {
      *error = "settings block of " + std::to_string(block.size()) + " bytes; " + effect->name +
               " takes " + std::to_string(size);
      return false;
    }
    effect->params = block;
  }
  const SettingsSchema* schema = FindSchema(effect->name);
  if (!options.preset.empty()) {
    const int32_t index = schema != nullptr ? FindPreset(*schema, options.preset) : -1;
    if (index < 0) {
      *error = "--preset: " + effect->name + " has no preset '" + options.preset + "'";
      return false;
    }
    schema->applyPreset(effect->params.data(), index);
  }
  for (const std::string& assignment : options.assignments) {
    const size_t eq = assignment.find('=');
    if (eq == std::string::npos) {
      *error = "--set: expected name=value, got '" + assignment + "'";
      return false;
    }
    const std::string name = assignment.substr(0, eq);
    const SettingField* field = schema != nullptr ? FindSetting(*schema, name) : nullptr;
    if (field == nullptr) {
      *error = "--set: " + effect->name + " has no setting '" + name + "'";
      return false;
    }
    if (!WriteSetting(*field, assignment.substr(eq + 1), effect->params.data(), error)) {
      *error = "--set: " + *error;
      return false;
    }
  }
  return true;
}

}  // namespace zk
