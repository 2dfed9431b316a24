// Every settings dialog built from its module's settings table, live under the dialog driver:
// each bound control shows the record, writes its field with its named conversion, and the
// defaults button, the preset list and the ways out behave as the table's layout says.
// Module rules between fields are tested in the modules' own dialog tests.
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>
// The trackbar styles come with the common controls.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "float_bits.h"
#include "module_registry.h"
#include "setting_conversions.h"
#include "test_support.h"

namespace zk::test {
namespace {

const char* const kDialogModules[] = {"airport", "bloom",   "chars", "cuboids2", "firestorm",
                                      "logo",    "marbles", "rays",  "twister"};

std::string LabelFor(const SettingField& f, const void* block) {
  const LabelText t = TrackbarLabel(f, block);
  if (!t.isFloat) return std::to_string(t.position);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(t.value));
  return text;
}

int32_t RangeMinimum(const ControlBinding& c) { return static_cast<int16_t>(c.range & 0xFFFF); }
int32_t RangeMaximum(const ControlBinding& c) { return static_cast<int16_t>(c.range >> 16); }

POINT SwatchCentre(const DialogDriver& d, const ControlBinding& c) {
  if (c.second == 0)
    return {(c.swatch.left + c.swatch.right) / 2, (c.swatch.top + c.swatch.bottom) / 2};
  RECT window, place;
  GetWindowRect(d.dialog(), &window);
  GetWindowRect(GetDlgItem(d.dialog(), c.second), &place);
  return {(place.left + place.right) / 2 - window.left,
          (place.top + place.bottom) / 2 - window.top};
}

// A module rule may grey a button until a radio choice elsewhere applies to it: tries the
// choices in table order until the button can be clicked.
void EnableWithRadios(DialogDriver& d, const SettingsSchema& s, int32_t buttonId) {
  for (int32_t i = 0; i < s.fieldCount; ++i) {
    const ControlBinding& c = s.fields[i].control;
    for (int32_t k = 0; c.kind == ControlKind::Radios && k < c.choiceCount; ++k) {
      if (d.IsEnabled(buttonId)) return;
      d.Click(c.choices[k].id);
    }
  }
}

// An existing file with the extension of the chooser's filter (the chooser takes
// backslashes only).
std::string PickableFile(const ControlBinding& c) {
  const char* dot = std::strrchr(c.filter, '.');
  std::string path = TempPath(std::string("dialog_bindings_pick") + (dot != nullptr ? dot : ""));
  std::replace(path.begin(), path.end(), '/', '\\');
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
  return path;
}

// A record unlike the defaults: every bound field at another value its control can show.
std::vector<uint8_t> VariedRecord(const SettingsSchema& s, std::vector<uint8_t> block) {
  uint32_t colour = 0x2040C0;
  for (int32_t i = 0; i < s.fieldCount; ++i) {
    const SettingField& f = s.fields[i];
    const ControlBinding& c = f.control;
    switch (c.kind) {
      case ControlKind::Trackbar:
        StorePosition(f, (RangeMinimum(c) + 2 * RangeMaximum(c)) / 3, block.data());
        break;
      case ControlKind::Radios:
        StoreIntegerSetting(f, c.choices[c.choiceCount - 1].value, block.data());
        break;
      case ControlKind::CheckBox:
        StoreIntegerSetting(f, ReadIntegerSetting(f, block.data()) == 0 ? 1 : 0, block.data());
        break;
      case ControlKind::List:
        StoreIntegerSetting(f, c.stringCount - 1, block.data());
        break;
      case ControlKind::ColourButton:
        std::memcpy(block.data() + f.offset, &colour, 4);
        colour ^= 0x60A020;
        break;
      case ControlKind::PathChooser:
        std::snprintf(reinterpret_cast<char*>(block.data() + f.offset), f.size, "C:\\%s.bmp",
                      f.name);
        break;
      case ControlKind::None:
        break;
    }
  }
  return block;
}

// `moved`: trackbars the user has put somewhere since the dialog last showed the record; they
// stay where they were put (a conversion need not give the same position back).
void ExpectControlsShow(const DialogDriver& d, const SettingsSchema& s, const uint8_t* block,
                        const std::map<int32_t, int32_t>& moved = {}) {
  for (int32_t i = 0; i < s.fieldCount; ++i) {
    const SettingField& f = s.fields[i];
    const ControlBinding& c = f.control;
    SCOPED_TRACE(f.name);
    switch (c.kind) {
      case ControlKind::Trackbar: {
        const TrackbarState bar = d.Trackbar(c.id);
        EXPECT_EQ(bar.minimum, RangeMinimum(c));
        EXPECT_EQ(bar.maximum, RangeMaximum(c));
        EXPECT_EQ(bar.pageSize, c.page);
        // Without automatic tics (TBS_NOTICKS) a trackbar shows none, whatever it is given; a
        // tic distance beyond the range leaves no tic to read it back from.
        const LONG style = GetWindowLongA(GetDlgItem(d.dialog(), c.id), GWL_STYLE);
        if ((style & TBS_AUTOTICKS) == 0) {
          EXPECT_EQ(bar.ticFrequency, 0);
        } else if (RangeMaximum(c) - RangeMinimum(c) > c.tics) {
          EXPECT_EQ(bar.ticFrequency, c.tics);
        }
        const auto at = moved.find(c.id);
        const int32_t shown = at != moved.end() ? at->second : ShownPosition(f, block);
        EXPECT_EQ(bar.position, std::min(std::max(shown, bar.minimum), bar.maximum));
        EXPECT_EQ(d.Text(c.second), LabelFor(f, block));
        break;
      }
      case ControlKind::Radios: {
        const int64_t value = ReadIntegerSetting(f, block);
        bool known = false;
        for (int32_t k = 0; k < c.choiceCount; ++k) known = known || c.choices[k].value == value;
        for (int32_t k = 0; k < c.choiceCount; ++k) {
          const bool checked =
              known ? c.choices[k].value == value : c.choices[k].id == c.fallbackId;
          EXPECT_EQ(d.IsChecked(c.choices[k].id), checked) << c.choices[k].id;
        }
        if (!known) {
          EXPECT_TRUE(d.IsChecked(c.fallbackId));
        }
        break;
      }
      case ControlKind::CheckBox:
        EXPECT_EQ(d.IsChecked(c.id), ReadIntegerSetting(f, block) != 0);
        break;
      case ControlKind::List:
        EXPECT_EQ(static_cast<int64_t>(d.ComboSelection(c.id)), ReadIntegerSetting(f, block));
        EXPECT_EQ(static_cast<int32_t>(d.ComboItems(c.id).size()), c.stringCount);
        break;
      case ControlKind::ColourButton: {
        uint32_t colour;
        std::memcpy(&colour, block + f.offset, 4);
        EXPECT_EQ(d.WindowPixel(SwatchCentre(d, c)), colour);
        break;
      }
      case ControlKind::PathChooser:
        EXPECT_EQ(d.Text(c.id), reinterpret_cast<const char*>(block + f.offset));
        break;
      case ControlKind::None:
        break;
    }
  }
}

class DialogBindingsTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    schema_ = FindSchema(GetParam());
    ASSERT_NE(schema_, nullptr);
    if (schema_->dialog == nullptr) GTEST_SKIP() << "no table-built dialog";
    ASSERT_TRUE(OpenBuiltEffect(GetParam(), &effect_));
    defaults_.assign(schema_->blockSize, 0);
    schema_->writeDefaults(defaults_.data());
  }
  void TearDown() override { CloseEffect(&effect_); }

  const SettingsSchema* schema_ = nullptr;
  HostedEffect effect_;
  std::vector<uint8_t> defaults_;
};

// Defaults and a record unlike them: every control shows the record; OK changes nothing.
TEST_P(DialogBindingsTest, EveryControlShowsTheRecord) {
  for (const std::vector<uint8_t>& record : {defaults_, VariedRecord(*schema_, defaults_)}) {
    effect_.params = record;
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_));
    ExpectControlsShow(d, *schema_, record.data());
    d.Click(IDOK);
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(effect_.params, record);
  }
}

// Each trackbar at its ends and inside, each radio button, check box and list entry: the
// field holds what the named conversion stores and no other byte of the record changes.
TEST_P(DialogBindingsTest, EveryControlWritesItsField) {
  effect_.params = defaults_;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  std::vector<uint8_t> expected = defaults_;
  std::map<int32_t, int32_t> moved;
  auto check = [&](const SettingField& f, const char* step) {
    if (f.control.refreshesDialog) moved.clear();
    EXPECT_EQ(effect_.params, expected) << f.name << " " << step;
    ExpectControlsShow(d, *schema_, effect_.params.data(), moved);
    expected = effect_.params;  // a failure is reported once
  };
  // A button greyed by a module rule is first enabled through the radios the rule follows.
  auto reach = [&](int32_t buttonId) {
    EnableWithRadios(d, *schema_, buttonId);
    expected = effect_.params;
  };
  for (int32_t i = 0; i < schema_->fieldCount; ++i) {
    const SettingField& f = schema_->fields[i];
    const ControlBinding& c = f.control;
    if (c.kind == ControlKind::Trackbar && !c.keepsUnmovedValue) {
      for (int32_t position :
           {RangeMinimum(c), RangeMaximum(c), (RangeMinimum(c) + RangeMaximum(c)) / 2 + 1}) {
        d.MoveTrackbar(c.id, position);
        StorePosition(f, position, expected.data());
        if (!c.refreshesDialog) moved[c.id] = position;
        check(f, "trackbar");
      }
    } else if (c.kind == ControlKind::Radios) {
      for (int32_t k = c.choiceCount - 1; k >= 0; --k) {
        reach(c.choices[k].id);
        d.Click(c.choices[k].id);
        StoreIntegerSetting(f, c.choices[k].value, expected.data());
        check(f, "radio");
      }
    } else if (c.kind == ControlKind::CheckBox) {
      reach(c.id);
      for (int32_t k = 0; k < 2; ++k) {
        d.Click(c.id);
        StoreIntegerSetting(f, ReadIntegerSetting(f, expected.data()) == 0 ? 1 : 0,
                            expected.data());
        check(f, "check box");
      }
    } else if (c.kind == ControlKind::List) {
      for (int32_t k : {c.stringCount - 1, 0}) {
        d.SelectCombo(c.id, k);
        StoreIntegerSetting(f, k, expected.data());
        check(f, "list");
      }
    } else if (c.kind == ControlKind::ColourButton) {
      const uint32_t colour = 0x10E070 + static_cast<uint32_t>(i);
      reach(c.id);
      ASSERT_TRUE(d.PickColour(c.id, colour));
      std::memcpy(expected.data() + f.offset, &colour, 4);
      check(f, "colour");
      ASSERT_TRUE(d.CancelColour(c.id));
      check(f, "colour cancelled");
    } else if (c.kind == ControlKind::PathChooser) {
      reach(c.second);
      const std::string path = PickableFile(c);
      char before[MAX_PATH] = {}, after[MAX_PATH] = {};
      GetCurrentDirectoryA(MAX_PATH, before);
      ASSERT_TRUE(d.PickFile(c.second, path));
      GetCurrentDirectoryA(MAX_PATH, after);
      EXPECT_STREQ(before, after);  // the host resolves its relative paths against it
      const char* stored = reinterpret_cast<const char*>(effect_.params.data() + f.offset);
      EXPECT_NE(std::strstr(stored, "dialog_bindings_pick"), nullptr) << stored;
      std::memcpy(expected.data() + f.offset, stored, f.size);
      check(f, "file");
      ASSERT_TRUE(d.CancelFile(c.second));
      check(f, "file cancelled");
      std::remove(path.c_str());
    }
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

// The defaults button writes the module's defaults (or its first preset) and every control
// follows; each preset in the list applies and shows.
TEST_P(DialogBindingsTest, DefaultsButtonAndPresetsRefreshEveryControl) {
  const DialogLayout& l = *schema_->dialog;
  effect_.params = VariedRecord(*schema_, defaults_);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  if (l.defaultsButtonId != 0) {
    std::vector<uint8_t> expected = effect_.params;
    if (l.defaultsAppliesFirstPreset)
      schema_->applyPreset(expected.data(), 0);
    else
      schema_->writeDefaults(expected.data());
    d.Click(l.defaultsButtonId);
    EXPECT_EQ(effect_.params, expected);
    ExpectControlsShow(d, *schema_, expected.data());
  }
  if (l.presetListId != 0) {
    const std::vector<std::string> names = d.ComboItems(l.presetListId);
    ASSERT_EQ(static_cast<int32_t>(names.size()), schema_->presetCount);
    for (int32_t k = 0; k < schema_->presetCount; ++k) {
      EXPECT_EQ(names[k], schema_->presetNames[k]);  // the string table and the schema agree
      std::vector<uint8_t> expected = effect_.params;
      schema_->applyPreset(expected.data(), k);
      d.SelectCombo(l.presetListId, k);
      EXPECT_EQ(effect_.params, expected) << names[k];
      ExpectControlsShow(d, *schema_, expected.data());
    }
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

// OK ends the dialog; Escape (and with it the close box) only where the layout says so.
TEST_P(DialogBindingsTest, WaysOut) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.PressEscape();
  if (schema_->dialog->closesOnEscape) {
    ASSERT_TRUE(d.WaitClosed());
  } else {
    EXPECT_FALSE(d.WaitClosed(300));
    d.Click(IDOK);
    ASSERT_TRUE(d.WaitClosed());
  }
  EXPECT_EQ(d.result(), 1);
}

// A host that hands no record gets its answer without a dialog: there is nothing to edit.
TEST_P(DialogBindingsTest, NoRecordNoDialog) {
  effect_.params.clear();
  DialogDriver d;
  EXPECT_FALSE(d.Open(effect_));
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
}

// Trackbar values worked by hand, per module in the order given. `Opens`: the dialog opens on a
// record whose field holds `bits`; `Shows`: on the defaults. Either way the trackbar stands at
// `position` and the label reads `label`. `Moves`: the trackbar is moved to `position` in one
// dialog opened on the defaults, after which the field holds `bits` (a float's bit pattern or
// the integer) and the label reads `label`.
enum class Step { Opens, Shows, Moves };
struct HandWorked {
  const char* module;
  const char* field;
  Step step;
  int32_t position;
  uint32_t bits;
  const char* label;
};
const HandWorked kHandWorked[] = {
    {"airport", "borderVertical", Step::Shows, 5, 5, "5"},
    {"airport", "gapVertical", Step::Shows, 20, 20, "2.00"},
    {"airport", "gapHorizontal", Step::Shows, 10, 10, "1.00"},
    {"airport", "viewerDistance", Step::Shows, 340, 340, "340"},
    {"airport", "borderVertical", Step::Moves, 40, 40, "40"},
    {"airport", "borderHorizontal", Step::Moves, 0, 0, "0"},
    {"airport", "gapVertical", Step::Moves, 37, 37, "3.70"},
    {"airport", "gapHorizontal", Step::Moves, 100, 100, "10.00"},
    {"airport", "tilesAcross", Step::Moves, 1, 1, "1"},
    {"airport", "viewerDistance", Step::Moves, 999, 999, "999"},
    // 10 * 0.01f is 0.099999994, one step below 0.1f; the label still reads 0.10.
    {"bloom", "bloomDuration", Step::Moves, 25, Bits(0.25f), "0.25"},
    {"bloom", "bloomDuration", Step::Moves, 10, 0x3DCCCCCCu, "0.10"},
    // 0.7f lies a hair below 0.7: the edit shows 69; letting go of the thumb at the position
    // shown keeps the value between two positions.
    {"chars", "recreationRatio", Step::Moves, 33, Bits(0.33f), "33"},
    {"chars", "minBrightness", Step::Moves, 200, Bits(200.0f), "200"},
    {"chars", "decreaseFactor", Step::Moves, 70, Bits(0.7f), "69"},
    {"chars", "decreaseFactor", Step::Moves, 69, Bits(0.7f), "69"},
    {"chars", "columnSize", Step::Moves, 1234, 1234, "12.34"},
    // "wave": 0.3f and 0.2f land on their hundredths; 0.7f a hair below 0.7 shows at 69.
    {"cuboids2", "duration", Step::Shows, 30, Bits(0.3f), "30"},
    {"cuboids2", "zMove", Step::Shows, 20, Bits(0.2f), "20"},
    {"cuboids2", "deep", Step::Shows, 50, Bits(0.5f), "0.50"},
    {"cuboids2", "deep", Step::Opens, 69, Bits(0.7f), "0.70"},
    {"cuboids2", "deep", Step::Moves, 137, 0x3FAF5C29u, "1.37"},  // 137 * double(0.01f)
    // 29 steps of 0.01f give 0.29f, a hair below 0.29: the label shows one less.
    {"cuboids2", "duration", Step::Moves, 29, 0x3E947AE1u, "28"},
    {"firestorm", "hotSpotShare", Step::Opens, 69, Bits(0.7f), "0.70"},
    {"firestorm", "hotSpotRampEnd", Step::Moves, 50, Bits(0.5f), "0.50"},
    // 70 times the single-precision 0.01 rounds to the float nearest 0.7.
    {"firestorm", "flameVariation", Step::Moves, 70, 0x3F333333u, "0.70"},
    {"firestorm", "crossfadeStart", Step::Moves, 13, Bits(0.13f), "0.13"},
    {"firestorm", "flameFadeStart", Step::Moves, 61, Bits(0.61f), "0.61"},
    {"firestorm", "edgeSensitivity", Step::Moves, 200, 200, "200"},
    // 0.9 is 0.89999998 as a float: the trackbar one step low, the label rounded.
    {"logo", "aBg.end", Step::Shows, 89, Bits(0.9f), "0.90"},
    {"logo", "impact", Step::Shows, 50, Bits(0.5f), "50"},
    // Impact 20 stores 20 * 0.01f = 0.19999999, whose integer label reads 19.
    {"logo", "impact", Step::Moves, 20, Bits(0.19999999f), "19"},
    {"logo", "impact", Step::Moves, 50, Bits(0.5f), "50"},
    {"logo", "aFg.start", Step::Moves, 3, Bits(0.03f), "0.03"},
    {"logo", "bBg.end", Step::Moves, 58, 0x3F147AE1u, "0.58"},  // 58 * double(0.01f)
    {"rays", "switchPoint", Step::Moves, 30, Bits(0.3f), "30"},
    {"rays", "riseLevel", Step::Moves, 20, Bits(0.8f), "80"},  // 20 from the top
    {"rays", "fallLevel", Step::Moves, 100, Bits(0.0f), "0"},
    {"rays", "riseExponent", Step::Moves, 7, 15, "7"},
    {"rays", "fallExponent", Step::Moves, 0, 1, "0"},
    {"twister", "turnTime", Step::Shows, 69, Bits(0.7f), "69"},
    {"twister", "turnTime", Step::Moves, 25, Bits(0.25f), "25"},
    {"twister", "turnTime", Step::Moves, 0, Bits(0.0f), "0"},
    {"twister", "turnTime", Step::Moves, 100, Bits(1.0f), "100"},
    // 70 / 100 stored as a float is 0.7f, whose label shows the truncated 69.
    {"twister", "turnTime", Step::Moves, 70, 0x3F333333u, "69"},
    {"twister", "turnTime", Step::Moves, 33, Bits(0.33f), "33"},
};

uint32_t FieldBits(const SettingField& f, const uint8_t* block) {
  uint32_t bits = 0;
  std::memcpy(&bits, block + f.offset, std::min<uint32_t>(f.size, 4));
  return bits;
}

TEST_P(DialogBindingsTest, TrackbarValuesWorkedByHand) {
  auto field = [&](const HandWorked& h) -> const SettingField& {
    const SettingField* f = FindSetting(*schema_, h.field);
    EXPECT_NE(f, nullptr) << h.field;
    return f != nullptr ? *f : schema_->fields[0];
  };
  auto expectShown = [&](DialogDriver& d, const HandWorked& h) {
    const ControlBinding& c = field(h).control;
    EXPECT_EQ(d.Trackbar(c.id).position, h.position) << h.field;
    EXPECT_EQ(d.Text(c.second), h.label) << h.field;
  };
  // This module's rows that open a dialog of their own, or the others.
  auto rows = [&](bool opening) {
    std::vector<HandWorked> chosen;
    for (const HandWorked& h : kHandWorked)
      if (std::strcmp(h.module, GetParam()) == 0 && (h.step == Step::Opens) == opening)
        chosen.push_back(h);
    return chosen;
  };
  for (const HandWorked& h : rows(true)) {
    effect_.params = defaults_;
    std::memcpy(effect_.params.data() + field(h).offset, &h.bits, field(h).size);
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_));
    expectShown(d, h);
    d.Click(IDOK);
    ASSERT_TRUE(d.WaitClosed());
  }
  effect_.params = defaults_;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  for (const HandWorked& h : rows(false)) {
    if (h.step == Step::Moves) d.MoveTrackbar(field(h).control.id, h.position);
    EXPECT_EQ(FieldBits(field(h), effect_.params.data()), h.bits) << h.field << " " << h.position;
    expectShown(d, h);
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

INSTANTIATE_TEST_SUITE_P(SettingsModules, DialogBindingsTest, ::testing::ValuesIn(kDialogModules));

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
