#include "frei0r_params.h"

extern "C" {
#include <frei0r.h>
}

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zk {
namespace {

std::vector<int32_t> Choices(const char* list) {
  std::vector<int32_t> values;
  for (const char* p = list; p != nullptr && *p != '\0';) {
    char* end = nullptr;
    values.push_back(static_cast<int32_t>(std::strtol(p, &end, 10)));
    if (end == p) break;
    p = (*end == ',') ? end + 1 : end;
  }
  return values;
}

bool IsSwitch(const SettingField& f) {
  return IsIntegerSetting(f) && f.choices == nullptr && f.minValue == 0 && f.maxValue == 1;
}

std::string Hex(uint32_t bit) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", bit);
  return text;
}

// The word's choices as one parameter, offered only where the word's bits are offered too.
void AddNamedChoices(const HostChoiceTable* table, HostWord word,
                     std::vector<Frei0rParam>* params) {
  Frei0rParam p{Frei0rParamKind::NamedChoice, F0R_PARAM_DOUBLE,
                word == HostWord::Variant ? "variant" : "extra",
                "Host choice by index, in place of the bits (-1: the bits decide):"};
  p.word = word;
  for (int32_t i = 0; table != nullptr && i < table->count; ++i) {
    const HostChoice& c = table->choices[i];
    if (c.word != word) continue;
    p.explanation += (p.words.empty() ? " " : ", ") + std::to_string(p.words.size()) + " " + c.name;
    p.words.push_back(c.value);
  }
  if (!p.words.empty()) params->push_back(p);
}

}  // namespace

std::vector<Frei0rParam> BuildFrei0rParams(const ModuleManifest& module) {
  std::vector<Frei0rParam> params;
  params.push_back({Frei0rParamKind::Progress, F0R_PARAM_DOUBLE, "progress",
                    "Position in the transition: 0 shows the first clip, 1 the second"});
  if (module.settings != nullptr) {
    for (int32_t i = 0; i < module.settings->fieldCount; ++i) {
      const SettingField& f = module.settings->fields[i];
      Frei0rParam p{Frei0rParamKind::Field, F0R_PARAM_DOUBLE, f.name, f.help, &f};
      if (f.type == SettingType::Colour) p.type = F0R_PARAM_COLOR;
      if (f.type == SettingType::Path) p.type = F0R_PARAM_STRING;
      if (IsSwitch(f)) p.type = F0R_PARAM_BOOL;
      if (p.type == F0R_PARAM_DOUBLE) {
        char range[96];
        if (f.choices != nullptr)
          std::snprintf(range, sizeof range, " (0..1 picks one of %s)", f.choices);
        else
          std::snprintf(range, sizeof range, " (0..1 spans %g..%g)", f.minValue, f.maxValue);
        p.explanation += range;
      }
      params.push_back(p);
    }
    if (module.settings->presetCount > 0) {
      std::string names = "Preset index, applied before the other settings (-1: defaults):";
      for (int32_t i = 0; i < module.settings->presetCount; ++i)
        names += " " + std::to_string(i) + " " + module.settings->presetNames[i] +
                 (i + 1 < module.settings->presetCount ? "," : "");
      params.push_back({Frei0rParamKind::Preset, F0R_PARAM_DOUBLE, "preset", names});
    }
  }
  params.push_back({Frei0rParamKind::FieldMode, F0R_PARAM_BOOL, "field",
                    "Interlaced material: each row stands for two picture lines"});
  for (uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (module.variantMask & bit)
      params.push_back({Frei0rParamKind::VariantBit, F0R_PARAM_BOOL, "variant" + Hex(bit),
                        "Host choice: variant bit " + Hex(bit), nullptr, bit});
  }
  // 0x100 and 0x200 announce a settings dialog, not a choice the effect reads back.
  const uint32_t extraChoices = module.writesExtraWords ? module.extraMask & ~0x308u : 0;
  for (uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (extraChoices & bit)
      params.push_back({Frei0rParamKind::ExtraBit, F0R_PARAM_BOOL, "extra" + Hex(bit),
                        "Host choice: extra bit " + Hex(bit), nullptr, bit});
  }
  if (module.writesExtraWords && (module.extraMask & 0x08u))
    params.push_back({Frei0rParamKind::ExtraColour, F0R_PARAM_COLOR, "color",
                      "Host colour the effect paints with"});
  // After the bits, so that the parameters hosts already know keep their places.
  if (module.variantMask != 0) AddNamedChoices(module.choices, HostWord::Variant, &params);
  if (extraChoices != 0) AddNamedChoices(module.choices, HostWord::Extra, &params);
  return params;
}

double FieldToUnit(const SettingField& f, const void* block) {
  const uint8_t* at = static_cast<const uint8_t*>(block) + f.offset;
  if (f.type == SettingType::Float32) {
    float v;
    std::memcpy(&v, at, 4);
    return f.maxValue > f.minValue ? (v - f.minValue) / (f.maxValue - f.minValue) : 0.0;
  }
  const int64_t v = ReadIntegerSetting(f, block);
  if (f.choices != nullptr) {
    const std::vector<int32_t> c = Choices(f.choices);
    for (size_t i = 0; i < c.size(); ++i)
      if (c[i] == v) return c.size() > 1 ? static_cast<double>(i) / (c.size() - 1) : 0.0;
    return 0.0;
  }
  return f.maxValue > f.minValue ? (v - f.minValue) / (f.maxValue - f.minValue) : 0.0;
}

void UnitToField(const SettingField& f, double unit, void* block) {
  if (!(unit >= 0.0)) unit = 0.0;  // NaN too
  if (unit > 1.0) unit = 1.0;
  uint8_t* at = static_cast<uint8_t*>(block) + f.offset;
  if (f.type == SettingType::Float32) {
    const float v = static_cast<float>(f.minValue + unit * (f.maxValue - f.minValue));
    std::memcpy(at, &v, 4);
    return;
  }
  int64_t v;
  if (f.choices != nullptr) {
    const std::vector<int32_t> c = Choices(f.choices);
    v = c.empty() ? 0 : c[static_cast<size_t>(std::floor(unit * (c.size() - 1) + 0.5))];
  } else {
    v = static_cast<int64_t>(std::floor(f.minValue + unit * (f.maxValue - f.minValue) + 0.5));
  }
  StoreIntegerSetting(f, v, block);
}

}  // namespace zk
