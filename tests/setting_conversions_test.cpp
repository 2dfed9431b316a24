// The named conversions between a settings field and the whole number its dialog control
// shows, with bit patterns worked out by hand (0.01f is 0x3C23D70A, a hair below 0.01, so
// steps of it land one unit low where the decimal lies between two floats).
#include "setting_conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "float_bits.h"

namespace zk {
namespace {

struct Record {
  float f;
  int32_t i;
  uint8_t b;
};

SettingField FieldWith(SettingType type, uint32_t offset, Conversion conversion,
                       LabelShows label = LabelShows::Position) {
  SettingField f{"x", offset, type, type == SettingType::UInt8 ? 1u : 4u, 0, 0, nullptr, ""};
  f.control.conversion = conversion;
  f.control.label = label;
  return f;
}

TEST(SettingConversions, FloatsStoredWithEachConversionsOwnRounding) {
  struct Case {
    Conversion conversion;
    int32_t position;
    uint32_t bits;  // the float stored
    int32_t shown;  // what the control shows of it again
  } const cases[] = {
      {Conversion::PercentDivide, 30, 0x3E99999A, 30},       // 0.3f
      {Conversion::PercentFloatStep, 30, 0x3E999999, 29},    // one below 0.3f
      {Conversion::PercentFloatDivide, 30, 0x3E99999A, 30},  //
      {Conversion::PercentTimesDouble, 30, 0x3E99999A, 30},  //
      {Conversion::PercentDivide, 70, 0x3F333333, 69},       // 0.7f lies below 0.7
      {Conversion::PercentFloatStep, 5, 0x3D4CCCCC, 4},
      {Conversion::PercentFromTop, 29, 0x3F35C28F, 30},  // 0.71f, a hair below: 100 - 70
      {Conversion::WholeFloat, 200, 0x43480000, 200},    // 200.0f
      {Conversion::PercentDivide, 0, 0x00000000, 0},
      {Conversion::PercentFloatStep, 100, 0x3F800000, 100},  // 1.0f exactly
      {Conversion::PercentTimesFloat, 10, 0x3DCCCCCC, 9},    // a tie, rounded to even: below 0.1f
  };
  for (const Case& c : cases) {
    const SettingField f = FieldWith(SettingType::Float32, 0, c.conversion);
    Record r{};
    StorePosition(f, c.position, &r);
    EXPECT_EQ(Bits(r.f), c.bits) << static_cast<int>(c.conversion) << " " << c.position;
    EXPECT_EQ(ShownPosition(f, &r), c.shown) << static_cast<int>(c.conversion) << " " << c.position;
  }
}

TEST(SettingConversions, WholeNumbersAndOddSteps) {
  Record r{};
  const SettingField whole = FieldWith(SettingType::Int32, 4, Conversion::Whole);
  StorePosition(whole, -360, &r);
  EXPECT_EQ(r.i, -360);
  EXPECT_EQ(ShownPosition(whole, &r), -360);
  const SettingField odd = FieldWith(SettingType::Int32, 4, Conversion::OddSteps);
  StorePosition(odd, 4, &r);
  EXPECT_EQ(r.i, 9);
  EXPECT_EQ(ShownPosition(odd, &r), 4);
  const SettingField byte = FieldWith(SettingType::UInt8, 8, Conversion::Whole);
  StorePosition(byte, 250, &r);
  EXPECT_EQ(r.b, 250);
  EXPECT_EQ(r.i, 9);  // neighbours untouched
}

// A float no int can hold, or NaN, shows at the ends of the range (or 0), never wild.
TEST(SettingConversions, ValuesBeyondAnyPositionSaturate) {
  const SettingField f = FieldWith(SettingType::Float32, 0, Conversion::PercentDivide);
  Record r{};
  for (const auto& c :
       {std::pair<float, int32_t>{1e30f, INT32_MAX}, {-1e30f, INT32_MIN}, {std::nanf(""), 0}}) {
    r.f = c.first;
    EXPECT_EQ(ShownPosition(f, &r), c.second);
  }
}

TEST(SettingConversions, Labels) {
  Record r{};
  r.f = 0.7f;
  r.i = 25;
  const LabelText percent =
      TrackbarLabel(FieldWith(SettingType::Float32, 0, Conversion::PercentDivide), &r);
  EXPECT_FALSE(percent.isFloat);
  EXPECT_EQ(percent.position, 69);
  const LabelText value = TrackbarLabel(
      FieldWith(SettingType::Float32, 0, Conversion::PercentFloatStep, LabelShows::Value), &r);
  EXPECT_TRUE(value.isFloat);
  EXPECT_EQ(Bits(value.value), Bits(0.7f));
  EXPECT_EQ(
      TrackbarLabel(FieldWith(SettingType::Int32, 4, Conversion::Whole, LabelShows::Tenths), &r)
          .value,
      2.5f);
  EXPECT_EQ(
      TrackbarLabel(FieldWith(SettingType::Int32, 4, Conversion::Whole, LabelShows::Hundredths), &r)
          .value,
      0.25f);
  r.f = 0.75f;  // counted from the top on the trackbar, the value itself on the label
  EXPECT_EQ(
      TrackbarLabel(FieldWith(SettingType::Float32, 0, Conversion::PercentFromTop), &r).position,
      75);
}

}  // namespace
}  // namespace zk
