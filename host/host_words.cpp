#include "host_words.h"

#include <cctype>

#include "cli_numbers.h"
#include "module_registry.h"

namespace zk {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

const char* HostWordOption(HostWord word) {
  return word == HostWord::Variant ? "--variant" : "--extra";
}

bool ReadHostWord(const std::string& module, HostWord word, const std::string& text,
                  uint32_t* value, std::string* error) {
  if (ParseUint32(text, value)) return true;
  const HostChoiceTable* table = FindHostChoices(module);
  std::string names;
  for (int32_t i = 0; table != nullptr && i < table->count; ++i) {
    const HostChoice& c = table->choices[i];
    if (c.word != word) continue;
    if (Lower(text) == c.name) {
      *value = c.value;
      return true;
    }
    names += (names.empty() ? "" : ", ") + std::string(c.name);
  }
  *error = std::string(HostWordOption(word)) + ": '" + text + "' is no number";
  *error +=
      names.empty() ? " (" + module + " names none)" : " nor one of " + module + "'s: " + names;
  return false;
}

}  // namespace zk
