// Every shipped module's settings schema and named host choices, by module name (null for a
// module without them).
#pragma once

#include <string>

#include "host_choices.h"
#include "settings_schema.h"

namespace zk {

const SettingsSchema* FindSchema(const std::string& module);
const HostChoiceTable* FindHostChoices(const std::string& module);

}  // namespace zk
