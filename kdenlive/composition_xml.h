// The Kdenlive composition description of one frei0r transition: every parameter the plug-in
// reports, shown with the settings schema's units, ranges, defaults and meanings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host_choices.h"
#include "settings_schema.h"

namespace zk {

// A parameter as the frei0r plug-in reports it, with the value a new instance starts from.
struct ReportedParam {
  std::string name;
  int type = 0;  // F0R_PARAM_*
  std::string explanation;
  double number = 0.0;  // doubles and booleans
  uint32_t colour = 0;  // colours, as 0xRRGGBB
};

struct CompositionSource {
  std::string module;      // "curtain": the service is frei0r.zelkor_curtain
  std::string effectName;  // the module's own name and description, UTF-8
  std::string description;
  const SettingsSchema* schema = nullptr;    // null without settings
  std::vector<uint8_t> defaults;             // the settings record as the module fills it
  const HostChoiceTable* choices = nullptr;  // the named host choices, if any
  std::vector<ReportedParam> params;
};

std::string CompositionXml(const CompositionSource& source);

}  // namespace zk
