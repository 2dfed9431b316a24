#include "setting_conversions.h"

#include <cstring>

#include "saturating_trunc.h"

namespace zk {
namespace {

// A 0..1 float as the trackbars show it: the value times 100, truncated; a value no int can
// hold saturates (the trackbar holds it to its ends).
int32_t Percent(float value) { return SaturatingTrunc(static_cast<double>(value) * 100); }

}  // namespace

float ReadFloatSetting(const SettingField& field, const void* block) {
  float v;
  std::memcpy(&v, static_cast<const uint8_t*>(block) + field.offset, 4);
  return v;
}

void StoreFloatSetting(const SettingField& field, float value, void* block) {
  std::memcpy(static_cast<uint8_t*>(block) + field.offset, &value, 4);
}

int32_t ShownPosition(const SettingField& field, const void* block) {
  switch (field.control.conversion) {
    case Conversion::Whole:
      return static_cast<int32_t>(ReadIntegerSetting(field, block));
    case Conversion::WholeFloat:
      return SaturatingTrunc(ReadFloatSetting(field, block));
    case Conversion::PercentFromTop:
      return 100 - Percent(ReadFloatSetting(field, block));
    case Conversion::OddSteps:
      return (static_cast<int32_t>(ReadIntegerSetting(field, block)) - 1) / 2;
    default:
      return Percent(ReadFloatSetting(field, block));
  }
}

void StorePosition(const SettingField& field, int32_t position, void* block) {
  switch (field.control.conversion) {
    case Conversion::Whole:
      StoreIntegerSetting(field, position, block);
      return;
    case Conversion::OddSteps:
      StoreIntegerSetting(field, 2 * static_cast<int64_t>(position) + 1, block);
      return;
    case Conversion::WholeFloat:
      StoreFloatSetting(field, static_cast<float>(position), block);
      return;
    case Conversion::PercentDivide:
      StoreFloatSetting(field, static_cast<float>(position / 100.0), block);
      return;
    case Conversion::PercentFloatStep:
      StoreFloatSetting(field, static_cast<float>(position * static_cast<double>(0.01f)), block);
      return;
    case Conversion::PercentFloatDivide:
      StoreFloatSetting(field, static_cast<float>(position) / 100.0f, block);
      return;
    case Conversion::PercentTimesDouble:
      StoreFloatSetting(field, static_cast<float>(position * 0.01), block);
      return;
    case Conversion::PercentFromTop:
      StoreFloatSetting(field, static_cast<float>(1.0 - position * 0.01), block);
      return;
    case Conversion::PercentTimesFloat:
      StoreFloatSetting(field, static_cast<float>(position) * 0.01f, block);
      return;
  }
}

LabelText TrackbarLabel(const SettingField& field, const void* block) {
  switch (field.control.label) {
    case LabelShows::Value:
      return {true, ReadFloatSetting(field, block), 0};
    case LabelShows::Tenths:
      return {true, static_cast<float>(ReadIntegerSetting(field, block) * 0.1), 0};
    case LabelShows::Hundredths:
      return {true, static_cast<float>(ReadIntegerSetting(field, block) / 100.0), 0};
    case LabelShows::Position:
      break;
  }
  // A value counted from the top shows as the value itself.
  if (field.control.conversion == Conversion::PercentFromTop)
    return {false, 0, Percent(ReadFloatSetting(field, block))};
  return {false, 0, ShownPosition(field, block)};
}

}  // namespace zk
