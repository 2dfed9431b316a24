// A settings record described field by field: names, offsets, types and dialog ranges.
// The module's defaults and presets, `zelkor` and the frei0r adapters all read the same
// table, so a field is named and bounded in one place only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "control_binding.h"

namespace zk {

enum class SettingType : uint8_t {
  Int32,    // signed 32-bit integer
  Float32,  // 32-bit float
  Colour,   // colour word 0x00BBGGRR
  Path,     // zero-terminated file path in a fixed buffer of `size` bytes
  UInt8,    // unsigned byte (switches and small counts packed into the record)
  UInt16,   // unsigned 16-bit integer
};

struct SettingField {
  const char* name;  // the field's name in the record
  uint32_t offset;
  SettingType type;
  uint32_t size;    // bytes: 4 (1 or 2 for the small integers), or a path's buffer size
  double minValue;  // the dialog's range, in the field's own units
  double maxValue;
  const char* choices;      // integer fields limited to a list: "180,540"; else null
  const char* help;         // one line for users
  double defaultValue = 0;  // numbers and colours; a path's default is empty
  ControlBinding control = {};
};

// The offset a host record field must have, checked at compile time against the struct.
template <size_t actual, size_t expected>
constexpr uint32_t CheckedOffset() {
  static_assert(actual == expected, "the host's record layout");
  return static_cast<uint32_t>(expected);
}

// The first four columns of a settings row: the field's name, its offset (checked against
// the host's layout), its type and its size in the record.
#define ZK_FIELD(Record, member, hostOffset, type)                                                 \
#member, ::zk::CheckedOffset < offsetof(Record, member), hostOffset>(), ::zk::SettingType::type, \
      static_cast < uint32_t>(sizeof(Record::member))

struct SettingsSchema {
  const char* module;
  uint32_t blockSize;
  const SettingField* fields;
  int32_t fieldCount;
  void (*writeDefaults)(void* block);
  const char* const* presetNames;  // null when the module has no presets
  int32_t presetCount;
  void (*applyPreset)(void* block, int32_t index);
  const DialogLayout* dialog = nullptr;  // the settings dialog, where the module has one
};

// Writes every field's default from the table (paths emptied); other bytes stay as they are.
void WriteSchemaDefaults(const SettingsSchema& schema, void* block);

// A record's schema from its table (the field count is the table's), with or without presets.
template <class Record, int N>
constexpr SettingsSchema MakeSchema(const char* module, const SettingField (&fields)[N],
                          void (*writeDefaults)(void*), const DialogLayout* dialog) {
  return {module, sizeof(Record), fields, N, writeDefaults, nullptr, 0, nullptr, dialog};
}
template <class Record, int N, int P>
constexpr SettingsSchema MakeSchema(const char* module, const SettingField (&fields)[N],
                          void (*writeDefaults)(void*), const DialogLayout* dialog,
                          const char* const (&presetNames)[P],
                          void (*applyPreset)(void*, int32_t)) {
  return {module, sizeof(Record), fields, N, writeDefaults, presetNames, P, applyPreset, dialog};
}

const SettingField* FindSetting(const SettingsSchema& schema, const std::string& name);

// Parses `text` for the field and stores it; on failure returns false with a message.
bool WriteSetting(const SettingField& field, const std::string& text, void* block,
                  std::string* error);
// The field's value as text (decimal, colours as 0xBBGGRR hex, floats with 9 digits).
std::string FormatSetting(const SettingField& field, const void* block);
const char* SettingTypeName(SettingType type);

// The integer fields (Int32, UInt8, UInt16) read and written at their own width.
bool IsIntegerSetting(const SettingField& field);
int64_t ReadIntegerSetting(const SettingField& field, const void* block);
void StoreIntegerSetting(const SettingField& field, int64_t value, void* block);

// Looks a preset up by name (case-insensitive) or index; -1 when there is none.
int32_t FindPreset(const SettingsSchema& schema, const std::string& nameOrIndex);

}  // namespace zk
