// A settings record described field by field: names, offsets, types and dialog ranges.
// The module's defaults and presets, `zelkor` and the frei0r adapters all read the same
// table, so a field is named and bounded in one place only.
#pragma once

#include <cstdint>
#include <string>

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
  const char* choices;  // integer fields limited to a list: "180,540"; else null
  const char* help;     // one line for users
};

struct SettingsSchema {
  const char* module;
  uint32_t blockSize;
  const SettingField* fields;
  int32_t fieldCount;
  void (*writeDefaults)(void* block);
  const char* const* presetNames;  // null when the module has no presets
  int32_t presetCount;
  void (*applyPreset)(void* block, int32_t index);
};

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
