// What the values of a module's variant and extra words select, by name: the one list that
// `zelkor info` prints and that `--variant NAME` / `--extra NAME` read.
#pragma once

#include <cstdint>

namespace zk {

enum class HostWord : uint8_t { Variant, Extra };

struct HostChoice {
  HostWord word;
  uint32_t value;       // the whole word the host passes for this choice
  const char* name;     // lower case, no spaces
  const char* meaning;  // one line for users
};

struct HostChoiceTable {
  const char* module;
  const HostChoice* choices;
  int32_t count;
};

template <int32_t N>
constexpr HostChoiceTable MakeHostChoiceTable(const char* module, const HostChoice (&choices)[N]) {
  return {module, choices, N};
}

}  // namespace zk
