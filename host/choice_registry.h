// The named host choices of every module that has them, by module name.
#pragma once

#include <string>

#include "host_choices.h"

namespace zk {

const HostChoiceTable* FindHostChoices(const std::string& module);

}  // namespace zk
