// The variant and extra words of `zelkor render`, given as numbers or by the names the
// module's choice table gives them.
#pragma once

#include <cstdint>
#include <string>

#include "host_choices.h"

namespace zk {

// Reads `text` (decimal, 0x hex, or one of the module's names for that word, in any case).
// On failure the one-line message names the option and lists the valid names.
bool ReadHostWord(const std::string& module, HostWord word, const std::string& text,
                  uint32_t* value, std::string* error);

// "--variant" or "--extra".
const char* HostWordOption(HostWord word);

}  // namespace zk
