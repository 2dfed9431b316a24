#include "settings_schema.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zk {
namespace {

bool ParseLong(const std::string& text, long long* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  *value = std::strtoll(text.c_str(), &end, 0);
  return errno == 0 && end != nullptr && *end == '\0';
}

bool ChoiceAllowed(const char* choices, long long value) {
  const char* p = choices;
  while (*p != '\0') {
    char* end = nullptr;
    const long long allowed = std::strtoll(p, &end, 10);
    if (end == p) return false;
    if (allowed == value) return true;
    p = (*end == ',') ? end + 1 : end;
  }
  return false;
}

bool EqualNoCase(const std::string& a, const char* b) {
  const size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

void WriteSchemaDefaults(const SettingsSchema& schema, void* block) {
  for (int32_t i = 0; i < schema.fieldCount; ++i) {
    const SettingField& f = schema.fields[i];
    uint8_t* at = static_cast<uint8_t*>(block) + f.offset;
    if (f.type == SettingType::Float32) {
      const float v = static_cast<float>(f.defaultValue);
      std::memcpy(at, &v, 4);
    } else if (f.type == SettingType::Colour) {
      const uint32_t v = static_cast<uint32_t>(f.defaultValue);
      std::memcpy(at, &v, 4);
    } else if (IsIntegerSetting(f)) {
      StoreIntegerSetting(f, static_cast<int64_t>(f.defaultValue), block);
    } else if (f.type == SettingType::Path) {
      std::memset(at, 0, f.size);
    }
  }
}

const SettingField* FindSetting(const SettingsSchema& schema, const std::string& name) {
  for (int32_t i = 0; i < schema.fieldCount; ++i) {
    if (name == schema.fields[i].name) return &schema.fields[i];
  }
  return nullptr;
}

bool WriteSetting(const SettingField& field, const std::string& text, void* block,
                  std::string* error) {
  uint8_t* at = static_cast<uint8_t*>(block) + field.offset;
  switch (field.type) {
    case SettingType::Int32:
    case SettingType::UInt8:
    case SettingType::UInt16: {
      long long value = 0;
      if (!ParseLong(text, &value)) {
        *error = std::string(field.name) + ": '" + text + "' is not an integer";
        return false;
      }
      if (field.choices != nullptr ? !ChoiceAllowed(field.choices, value)
                                   : (value < field.minValue || value > field.maxValue)) {
        char range[96];
        if (field.choices != nullptr)
          std::snprintf(range, sizeof range, "one of %s", field.choices);
        else
          std::snprintf(range, sizeof range, "%g to %g", field.minValue, field.maxValue);
        *error = std::string(field.name) + ": " + text + " is out of range (" + range + ")";
        return false;
      }
      StoreIntegerSetting(field, value, block);
      return true;
    }
    case SettingType::Float32: {
      errno = 0;
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      if (text.empty() || errno != 0 || *end != '\0' || !std::isfinite(value)) {
        *error = std::string(field.name) + ": '" + text + "' is not a number";
        return false;
      }
      if (value < field.minValue || value > field.maxValue) {
        char range[96];
        std::snprintf(range, sizeof range, "%g to %g", field.minValue, field.maxValue);
        *error = std::string(field.name) + ": " + text + " is out of range (" + range + ")";
        return false;
      }
      const float v = static_cast<float>(value);
      std::memcpy(at, &v, 4);
      return true;
    }
    case SettingType::Colour: {
      long long value = 0;
      if (!ParseLong(text, &value) || value < 0 || value > 0xFFFFFF) {
        *error = std::string(field.name) + ": '" + text +
                 "' is not a colour word (0x000000 to 0xFFFFFF, blue in the high byte)";
        return false;
      }
      const uint32_t v = static_cast<uint32_t>(value);
      std::memcpy(at, &v, 4);
      return true;
    }
    case SettingType::Path: {
      if (text.size() + 1 > field.size) {
        *error = std::string(field.name) + ": path longer than " + std::to_string(field.size - 1) +
                 " bytes";
        return false;
      }
      std::memset(at, 0, field.size);
      std::memcpy(at, text.data(), text.size());
      return true;
    }
  }
  *error = "unknown field type";
  return false;
}

std::string FormatSetting(const SettingField& field, const void* block) {
  const uint8_t* at = static_cast<const uint8_t*>(block) + field.offset;
  char text[64];
  switch (field.type) {
    case SettingType::Int32:
    case SettingType::UInt8:
    case SettingType::UInt16:
      std::snprintf(text, sizeof text, "%lld",
                    static_cast<long long>(ReadIntegerSetting(field, block)));
      return text;
    case SettingType::Float32: {
      float v;
      std::memcpy(&v, at, 4);
      std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
      return text;
    }
    case SettingType::Colour: {
      uint32_t v;
      std::memcpy(&v, at, 4);
      std::snprintf(text, sizeof text, "0x%06X", v);
      return text;
    }
    case SettingType::Path: {
      const char* s = reinterpret_cast<const char*>(at);
      return std::string(s, strnlen(s, field.size));
    }
  }
  return std::string();
}

const char* SettingTypeName(SettingType type) {
  switch (type) {
    case SettingType::Int32:
      return "int";
    case SettingType::Float32:
      return "float";
    case SettingType::Colour:
      return "colour";
    case SettingType::Path:
      return "path";
    case SettingType::UInt8:
      return "byte";
    case SettingType::UInt16:
      return "uint16";
  }
  return "?";
}

bool IsIntegerSetting(const SettingField& field) {
  return field.type == SettingType::Int32 || field.type == SettingType::UInt8 ||
         field.type == SettingType::UInt16;
}

int64_t ReadIntegerSetting(const SettingField& field, const void* block) {
  const uint8_t* at = static_cast<const uint8_t*>(block) + field.offset;
  switch (field.type) {
    case SettingType::UInt8:
      return at[0];
    case SettingType::UInt16: {
      uint16_t v;
      std::memcpy(&v, at, 2);
      return v;
    }
    default: {
      int32_t v;
      std::memcpy(&v, at, 4);
      return v;
    }
  }
}

void StoreIntegerSetting(const SettingField& field, int64_t value, void* block) {
  uint8_t* at = static_cast<uint8_t*>(block) + field.offset;
  switch (field.type) {
    case SettingType::UInt8:
      at[0] = static_cast<uint8_t>(value);
      return;
    case SettingType::UInt16: {
      const uint16_t v = static_cast<uint16_t>(value);
      std::memcpy(at, &v, 2);
      return;
    }
    default: {
      const int32_t v = static_cast<int32_t>(value);
      std::memcpy(at, &v, 4);
      return;
    }
  }
}

int32_t FindPreset(const SettingsSchema& schema, const std::string& nameOrIndex) {
  if (schema.presetCount <= 0 || schema.presetNames == nullptr) return -1;
  for (int32_t i = 0; i < schema.presetCount; ++i) {
    if (EqualNoCase(nameOrIndex, schema.presetNames[i])) return i;
  }
  long long index = 0;
  if (ParseLong(nameOrIndex, &index) && index >= 0 && index < schema.presetCount)
    return static_cast<int32_t>(index);
  return -1;
}

}  // namespace zk
