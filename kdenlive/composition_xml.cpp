#include "composition_xml.h"

extern "C" {
#include <frei0r.h>
}

#include <cmath>
#include <cstdio>
#include <cstring>

#include "composition_labels.h"

namespace zk {
namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Number(double v, int decimals = 6) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

std::string ColourText(uint32_t rgb) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06xff", rgb & 0xFFFFFFu);
  return text;
}

// Digits a float field shows: enough for a hundredth of a unit range, fewer for wide ranges.
int Decimals(const SettingField& f) {
  const double span = f.maxValue - f.minValue;
  return span <= 2 ? 3 : span <= 300 ? 2 : 1;
}

struct Parameter {
  std::string attributes;  // everything after name="..."
  std::string label;
  std::string comment;
  std::string display;  // paramlistdisplay of lists
};

std::string Render(const std::string& name, const Parameter& p) {
  std::string xml = "    <parameter name=\"" + Escape(name) + "\" " + p.attributes + ">\n";
  if (!p.display.empty())
    xml += "        <paramlistdisplay>" + Escape(p.display) + "</paramlistdisplay>\n";
  xml += "        <name>" + Escape(p.label) + "</name>\n";
  if (!p.comment.empty()) xml += "        <comment>" + Escape(p.comment) + "</comment>\n";
  return xml + "    </parameter>\n";
}

// A list whose entries send the frei0r doubles that pick the values (0..1 over the entries).
Parameter UnitList(const std::vector<std::string>& labels, size_t defaultIndex) {
  std::string values, display;
  const double last = labels.size() > 1 ? static_cast<double>(labels.size() - 1) : 1.0;
  for (size_t i = 0; i < labels.size(); ++i) {
    values += (i ? ";" : "") + Number(i / last);
    display += (i ? "," : "") + labels[i];
  }
  Parameter p;
  p.attributes =
      "type=\"list\" default=\"" + Number(defaultIndex / last) + "\" paramlist=\"" + values + "\"";
  p.display = display;
  return p;
}

std::vector<std::string> ChoiceLabels(const char* choices) {
  std::vector<std::string> labels;
  std::string current;
  for (const char* c = choices; *c != '\0'; ++c) {
    if (*c == ',') {
      labels.push_back(current);
      current.clear();
    } else {
      current += *c;
    }
  }
  labels.push_back(current);
  return labels;
}

Parameter FieldParameter(const SettingField& f, const void* defaults) {
  Parameter p;
  p.label = FieldLabel(f.name);
  p.comment = f.help;
  const std::string current = FormatSetting(f, defaults);
  switch (f.type) {
    case SettingType::Colour: {
      uint32_t word;
      std::memcpy(&word, static_cast<const uint8_t*>(defaults) + f.offset, 4);
      const uint32_t rgb = ((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF);
      p.attributes = "type=\"color\" default=\"" + ColourText(rgb) + "\"";
      return p;
    }
    case SettingType::Path:
      p.attributes = "type=\"url\" default=\"" + Escape(current) + "\" filter=\"*.bmp\"";
      return p;
    default:
      break;
  }
  const bool integer = IsIntegerSetting(f);
  if (integer && f.choices == nullptr && f.minValue == 0 && f.maxValue == 1) {
    p.attributes = "type=\"bool\" default=\"" + current + "\"";
    return p;
  }
  std::vector<std::string> labels =
      f.choices != nullptr ? ChoiceLabels(f.choices) : EnumerationLabels(f);
  if (integer && !labels.empty()) {
    size_t index = 0;
    const int64_t value = ReadIntegerSetting(f, defaults);
    if (f.choices != nullptr) {
      for (size_t i = 0; i < labels.size(); ++i)
        if (std::to_string(value) == labels[i]) index = i;
    } else {
      index = static_cast<size_t>(value - static_cast<int64_t>(f.minValue));
    }
    Parameter list = UnitList(labels, index);
    list.label = p.label;
    list.comment = p.comment;
    return list;
  }
  // A slider in the dialog's own numbers: the plug-in takes (shown - offset) / factor.
  const int decimals = integer ? 0 : Decimals(f);
  p.attributes = "type=\"constant\" default=\"" + Number(std::stod(current), decimals) +
                 "\" min=\"" + Number(f.minValue) + "\" max=\"" + Number(f.maxValue) + "\"";
  if (f.maxValue - f.minValue != 1)
    p.attributes += " factor=\"" + Number(f.maxValue - f.minValue) + "\"";
  if (f.minValue != 0) p.attributes += " offset=\"" + Number(f.minValue) + "\"";
  p.attributes += " decimals=\"" + std::to_string(decimals) + "\"";
  return p;
}

Parameter PresetParameter(const SettingsSchema& schema) {
  Parameter p;
  p.label = "Preset";
  p.comment = "applied before the settings below";
  std::string values = "-1", display = "(none)";
  for (int32_t i = 0; i < schema.presetCount; ++i) {
    values += ";" + std::to_string(i);
    display += std::string(",") + schema.presetNames[i];
  }
  p.attributes = "type=\"list\" default=\"-1\" paramlist=\"" + values + "\"";
  p.display = display;
  return p;
}

// The named choices of one host word as a list sending the choice's index. The entry a new
// composition shows is the one the module's default bits spell.
Parameter NamedChoiceParameter(const HostChoiceTable& table, HostWord word, uint32_t defaultWord) {
  Parameter p;
  p.label = word == HostWord::Variant ? "Variant" : "Extra";
  std::string values, defaultIndex = "-1";
  int32_t index = 0;
  for (int32_t i = 0; i < table.count; ++i) {
    const HostChoice& c = table.choices[i];
    if (c.word != word) continue;
    if (c.value == defaultWord) defaultIndex = std::to_string(index);
    values += (index ? ";" : "") + std::to_string(index);
    p.display += std::string(index ? "," : "") + c.name;
    p.comment += std::string(index ? "; " : "") + c.name + ": " + c.meaning;
    ++index;
  }
  if (defaultIndex == "-1") {
    values = "-1;" + values;
    p.display = "(module default)," + p.display;
  }
  p.attributes = "type=\"list\" default=\"" + defaultIndex + "\" paramlist=\"" + values + "\"";
  return p;
}

// The bits a named-choice parameter stands for: "variant0x100" -> variant.
bool IsBitOf(const std::string& name, const char* word) {
  const size_t n = std::strlen(word);
  return name.compare(0, n, word) == 0 && name.compare(n, 2, "0x") == 0;
}

Parameter ReportedParameter(const ReportedParam& r) {
  Parameter p;
  p.label = r.explanation;
  if (r.name == "field") {
    p.label = "Field mode";
    p.comment = r.explanation;
  }
  if (r.type == F0R_PARAM_BOOL) {
    p.attributes = "type=\"bool\" default=\"" + Number(r.number >= 0.5 ? 1 : 0) + "\"";
  } else if (r.type == F0R_PARAM_COLOR) {
    p.attributes = "type=\"color\" default=\"" + ColourText(r.colour) + "\"";
  } else {
    p.attributes =
        "type=\"constant\" default=\"" + Number(r.number) + "\" min=\"0\" max=\"1\" decimals=\"3\"";
  }
  return p;
}

}  // namespace

std::string CompositionXml(const CompositionSource& s) {
  const std::string service = "frei0r.zelkor_" + s.module;
  std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE kpartgui>\n";
  xml += "<transition tag=\"" + service + "\" id=\"" + service + "\">\n";
  xml += "    <name>" + Escape(ReadableEffectName(s.effectName, s.module)) + "</name>\n";
  xml += "    <description>" + Escape(s.description) + "</description>\n";
  xml += "    <author>Zelkor Transitions</author>\n";
  // Where a host word has a list of named choices, its bits stay out of sight: Kdenlive sets
  // every parameter, and the list decides the whole word.
  bool listed[2] = {false, false};
  uint32_t defaults[2] = {0, 0};
  const char* words[2] = {"variant", "extra"};
  for (const ReportedParam& r : s.params) {
    for (int w = 0; w < 2; ++w) {
      if (r.name == words[w]) listed[w] = true;
      if (IsBitOf(r.name, words[w]) && r.number >= 0.5)
        defaults[w] |=
            static_cast<uint32_t>(std::stoul(r.name.substr(std::strlen(words[w])), nullptr, 16));
    }
  }
  for (const ReportedParam& r : s.params) {
    if ((listed[0] && IsBitOf(r.name, words[0])) || (listed[1] && IsBitOf(r.name, words[1])))
      continue;
    if (s.choices != nullptr && (r.name == words[0] || r.name == words[1])) {
      const int w = r.name == words[0] ? 0 : 1;
      xml += Render(r.name,
                    NamedChoiceParameter(*s.choices, w == 0 ? HostWord::Variant : HostWord::Extra,
                                         defaults[w]));
      continue;
    }
    if (r.name == "progress") {
      // Played from the first clip to the second over the composition's length; the switch
      // turns it round.
      Parameter p;
      p.attributes = "type=\"switch\" default=\"0=0;-1=1\" min=\"0=0;-1=1\" max=\"0=1;-1=0\"";
      p.label = "Reverse";
      p.comment = r.explanation;
      xml += Render(r.name, p);
      continue;
    }
    const SettingField* field = s.schema ? FindSetting(*s.schema, r.name) : nullptr;
    if (field != nullptr)
      xml += Render(r.name, FieldParameter(*field, s.defaults.data()));
    else if (r.name == "preset" && s.schema != nullptr && s.schema->presetCount > 0)
      xml += Render(r.name, PresetParameter(*s.schema));
    else
      xml += Render(r.name, ReportedParameter(r));
  }
  return xml + "</transition>\n";
}

}  // namespace zk
