// The settings schemas of every module with a settings record, by module name.
#pragma once

#include <string>

#include "settings_schema.h"

namespace zk {

const SettingsSchema* FindSchema(const std::string& module);

}  // namespace zk
