#include "composition_labels.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

namespace zk {
namespace {

// Wider integer ranges are sliders, whatever their help says.
constexpr int kMaxListEntries = 40;

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

// Splits at ", " and " ... " outside parentheses; a trailing "..." is dropped.
std::vector<std::string> SplitItems(const std::string& text) {
  std::vector<std::string> items;
  std::string current;
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (depth == 0 && c == ',') {
      items.push_back(Trim(current));
      current.clear();
      continue;
    }
    if (depth == 0 && text.compare(i, 3, "...") == 0) {
      items.push_back(Trim(current));
      current.clear();
      i += 2;
      continue;
    }
    current += c;
  }
  items.push_back(Trim(current));
  return items;
}

// "12 rest" -> 12 and the position after the digits; false without a leading number.
bool LeadingNumber(const std::string& s, size_t* at, long* value) {
  size_t i = *at;
  if (i < s.size() && s[i] == '-') ++i;
  if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  char* end = nullptr;
  *value = std::strtol(s.c_str() + *at, &end, 10);
  *at = static_cast<size_t>(end - s.c_str());
  return true;
}

std::vector<std::string> ParenthesisList(const std::string& text, std::string* before) {
  const size_t open = text.find('(');
  const size_t close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return {};
  *before = Trim(text.substr(0, open));
  std::vector<std::string> list = SplitItems(text.substr(open + 1, close - open - 1));
  return list;
}

// Labels one item: "N text", "N/M text a/b" or "N..M text (x, y, ...)".
void LabelItem(const std::string& item, std::vector<std::string>* lastList,
               std::map<long, std::string>* labels) {
  size_t at = 0;
  long first = 0, last = 0;
  if (!LeadingNumber(item, &at, &first)) return;
  char form = ' ';
  if (item.compare(at, 1, "/") == 0) {
    form = '/';
    ++at;
  } else if (item.compare(at, 2, "..") == 0) {
    form = '.';
    at += 2;
  }
  if (form != ' ' && !LeadingNumber(item, &at, &last)) return;
  if (at >= item.size() || item[at] != ' ') return;
  const std::string text = Trim(item.substr(at));
  if (text.empty() || text[0] == '(') return;

  if (form == ' ') {
    (*labels)[first] = text;
  } else if (form == '/') {
    // "bold digits 10x14/18x26": the slashed word holds one part per value.
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      const std::string word = text.substr(start, end - start);
      const size_t slash = word.find('/');
      if (slash != std::string::npos) {
        const std::string head = text.substr(0, start), tail = text.substr(end);
        (*labels)[first] = head + word.substr(0, slash) + tail;
        (*labels)[last] = head + word.substr(slash + 1) + tail;
        return;
      }
      start = end + 1;
    }
    (*labels)[first] = (*labels)[last] = text;
  } else if (last > first && last - first < kMaxListEntries) {
    std::string word;
    std::vector<std::string> list = ParenthesisList(text, &word);
    if (list.size() == 1 && list[0] == "the same order") list = *lastList;
    if (static_cast<long>(list.size()) == last - first + 1) {
      for (long v = first; v <= last; ++v) (*labels)[v] = word + " " + list[v - first];
      *lastList = list;
      return;
    }
    // "pattern #1..#6": the numbered word counts along with the values.
    const size_t hash = text.find('#');
    for (long v = first; v <= last; ++v) {
      const std::string number = std::to_string(v - first + 1);
      (*labels)[v] =
          hash == std::string::npos ? text + " " + number : text.substr(0, hash + 1) + number;
    }
  }
}

}  // namespace

std::string ReadableEffectName(const std::string& effectName, const std::string& module) {
  std::string name = effectName;
  const size_t dash = name.find('-');
  if (dash != std::string::npos) name.resize(dash);
  bool plain = !name.empty();
  for (char& c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) plain = false;
    if (c == '_') c = ' ';
  }
  if (plain) return Trim(name);
  name = module;
  if (!name.empty()) name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return name;
}

std::string FieldLabel(const std::string& fieldName) {
  std::string label;
  for (char c : fieldName) {
    if (c == '.' || c == '_') {
      label += ' ';
    } else if (std::isupper(static_cast<unsigned char>(c))) {
      label += ' ';
      label += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else {
      label += c;
    }
  }
  label = Trim(label);
  if (!label.empty())
    label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(label[0])));
  return label;
}

std::vector<std::string> EnumerationLabels(const SettingField& field) {
  if (!IsIntegerSetting(field) || field.choices != nullptr || field.help == nullptr) return {};
  const long lo = std::lround(field.minValue), hi = std::lround(field.maxValue);
  if (hi <= lo || hi - lo >= kMaxListEntries) return {};

  std::string text = field.help;
  const size_t colon = text.find(": ");
  if (colon != std::string::npos) text = text.substr(colon + 2);
  // "0-20 (1 left to right, ...)": the named values sit inside the range's parentheses.
  size_t at = 0;
  long a = 0, b = 0;
  if (LeadingNumber(text, &at, &a) && text.compare(at, 1, "-") == 0 && (++at, true) &&
      LeadingNumber(text, &at, &b) && text.compare(at, 2, " (") == 0 && text.back() == ')')
    text = text.substr(at + 2, text.size() - at - 3);

  std::map<long, std::string> named;
  std::vector<std::string> lastList;
  for (const std::string& item : SplitItems(text)) LabelItem(item, &lastList, &named);
  size_t inRange = 0;
  for (const auto& entry : named) inRange += (entry.first >= lo && entry.first <= hi) ? 1 : 0;
  if (inRange < 2) return {};

  const bool complete = inRange == static_cast<size_t>(hi - lo + 1);
  std::vector<std::string> labels;
  for (long v = lo; v <= hi; ++v) {
    const auto found = named.find(v);
    if (found == named.end())
      labels.push_back(std::to_string(v));
    else
      labels.push_back(complete ? found->second : std::to_string(v) + " " + found->second);
  }
  return labels;
}

}  // namespace zk
