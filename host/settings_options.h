// Settings given on the command line: a whole record (--params-hex, --params-file), a
// preset (--preset) and single fields (--set name=value), applied in that order on top
// of the module's defaults.
#pragma once

#include <string>
#include <vector>

#include "effect_host.h"

namespace zk {

struct SettingsOptions {
  std::string paramsHex;
  std::string paramsFile;
  std::string preset;
  std::vector<std::string> assignments;  // "name=value"
  bool any() const {
    return !paramsHex.empty() || !paramsFile.empty() || !preset.empty() || !assignments.empty();
  }
};

bool ApplySettingsOptions(const SettingsOptions& options, HostedEffect* effect, std::string* error);

}  // namespace zk
