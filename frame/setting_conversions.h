// A settings field as its dialog control shows it, and a control position stored back, by
// the field's named conversion. Shared by the Windows dialog binder and the tests.
#pragma once

#include <cstdint>

#include "settings_schema.h"

namespace zk {

// The whole number the field's control shows (trackbar position, list index, radio value).
int32_t ShownPosition(const SettingField& field, const void* block);
// Stores a control position into the field with the conversion's own rounding.
void StorePosition(const SettingField& field, int32_t position, void* block);

float ReadFloatSetting(const SettingField& field, const void* block);
void StoreFloatSetting(const SettingField& field, float value, void* block);

// A trackbar's value label: the text the dialog shows for the field's value.
struct LabelText {
  bool isFloat;  // "%.2f" of `value`, else the whole number `position`
  float value;
  int32_t position;
};
LabelText TrackbarLabel(const SettingField& field, const void* block);

}  // namespace zk
