// The "Options for Logo" settings dialog beyond what its settings table binds (the generic
// dialog bindings test covers that): the template and the lists' texts, the enabling rules
// of the layer groups, the mask and the background, hand-worked positions and labels, what
// a record outside the controls' reach shows, and the preset list across "Reset Defaults".
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "logo_ids.h"
#include "logo_params.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

// Each layer group: "use this", then the controls it greys (the captions "Motion",
// "Rotation", "Start" and "End" are 1110 + 4k + 0..3).
struct Group {
  int32_t use;
  int32_t greyed[8];
};
// clang-format off
#define LOGO_GROUP(G)                                                                       \
  {G##_USE, {G##_DISSOLVE, G##_ALTERNATE, G##_MOTION, G##_ROTATION, G##_START,              \
             G##_START_LABEL, G##_END, G##_END_LABEL}}
// clang-format on
const Group kGroups[4] = {LOGO_GROUP(LOGO_AFG), LOGO_GROUP(LOGO_ABG), LOGO_GROUP(LOGO_BFG),
                          LOGO_GROUP(LOGO_BBG)};
#undef LOGO_GROUP

void ExpectGroupEnabled(const DialogDriver& d, int32_t k, bool on) {
  EXPECT_TRUE(d.IsEnabled(kGroups[k].use)) << k;
  for (int32_t id : kGroups[k].greyed) EXPECT_EQ(d.IsEnabled(id), on) << id;
  for (int32_t j = 0; j < 4; ++j) EXPECT_EQ(d.IsEnabled(1110 + 4 * k + j), on) << k << " " << j;
}

ZK_MODULE_DIALOG_TEST(LogoDialogTest, LogoParams, "logo");

TEST_F(LogoDialogTest, TemplateListsAndTheDefaultsAsShown) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Options for Logo");
  EXPECT_EQ(d.FontFace(), "MS Sans Serif");
  const SIZE size = d.UnitsToPixels(432, 316);
  EXPECT_EQ(d.ClientSize().cx, size.cx);
  EXPECT_EQ(d.ClientSize().cy, size.cy);
  std::vector<std::pair<int32_t, std::string>> texts = {
      {IDOK, "OK"},
      {LOGO_RESET_DEFAULTS, "Reset Defaults"},
      {LOGO_MASK_INTERNAL, "internal default mask"},
      {LOGO_MASK_FILE, "monochrom Bitmap-file"},
      {LOGO_MASK_SELECT, "select"},
      {LOGO_BACKGROUND_COLOUR, "Color"},
      {LOGO_BACKGROUND_BITMAP, "Bitmap"},
      {LOGO_BACKGROUND_SCENE_A, "Scene A"},
      {LOGO_BACKGROUND_SCENE_B, "Scene B"},
      {LOGO_COLOUR_SELECT, "select"},
      {LOGO_BITMAP_SELECT, "select"},
  };
  const char* const captions[4] = {"Motion", "Rotation", "Start", "End"};
  for (int32_t k = 0; k < 4; ++k) {
    texts.push_back({kGroups[k].use, "use this"});
    texts.push_back({kGroups[k].greyed[0], "dissolve"});
    texts.push_back({kGroups[k].greyed[1], "alternate back"});
    for (int32_t j = 0; j < 4; ++j) texts.push_back({1110 + 4 * k + j, captions[j]});
  }
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_FALSE(d.Exists(IDCANCEL));
  EXPECT_TRUE(d.Exists(LOGO_SWATCH));
  EXPECT_FALSE(d.IsVisible(LOGO_SWATCH));
  const std::vector<std::string> motions = {
      "[no motion]",          "front - top",    "front - top/right",   "front - right",
      "front - bottom/right", "front - bottom", "front - bottom/left", "front - left",
      "front - top/left",     "back - top",     "back - top/right",    "back - right",
      "back - bottom/right",  "back - bottom",  "back - bottom/left",  "back - left",
      "back - top/left"};
  const std::vector<std::string> rotations = {"[no rotation]", "pattern #1", "pattern #2",
                                              "pattern #3",    "pattern #4", "pattern #5",
                                              "pattern #6"};
  for (int32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(d.ComboItems(kGroups[k].greyed[2]), motions) << k;
    EXPECT_EQ(d.ComboItems(kGroups[k].greyed[3]), rotations) << k;
    EXPECT_EQ(d.ClassName(kGroups[k].greyed[4]), "msctls_trackbar32") << k;
    EXPECT_EQ(d.ClassName(kGroups[k].greyed[6]), "msctls_trackbar32") << k;
    ExpectGroupEnabled(d, k, true);
  }
  EXPECT_EQ(d.ComboSelection(LOGO_BBG_MOTION), 15);
  EXPECT_EQ(d.ComboSelection(LOGO_PRESETS), 0);
  EXPECT_FALSE(IsWindowEnabled(d.owner()));
  CloseWithOk(d);
}

// "use this" off greys the rest of its group and keeps the group's settings.
TEST_F(LogoDialogTest, UseThisGreysItsGroup) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  for (int32_t k = 0; k < 4; ++k) {
    d.SelectCombo(kGroups[k].greyed[2], 16 - k);
    d.Click(kGroups[k].greyed[0]);
    d.Click(kGroups[k].use);
    EXPECT_EQ(Block().layers[k].useLayer, 0);
    EXPECT_EQ(Block().layers[k].motion, 16 - k);
    EXPECT_EQ(Block().layers[k].dissolve, 1);
    for (int32_t j = 0; j < 4; ++j) ExpectGroupEnabled(d, j, j > k);
  }
  for (int32_t k = 0; k < 4; ++k) {
    d.Click(kGroups[k].use);
    EXPECT_EQ(Block().layers[k].useLayer, 1);
    ExpectGroupEnabled(d, k, true);
  }
  CloseWithOk(d);
}

TEST_F(LogoDialogTest, ChoosersEnabledWhereTheyApply) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_FALSE(d.IsEnabled(LOGO_MASK_SELECT));
  d.Click(LOGO_MASK_FILE);
  EXPECT_TRUE(d.IsEnabled(LOGO_MASK_SELECT));
  d.Click(LOGO_MASK_INTERNAL);
  EXPECT_FALSE(d.IsEnabled(LOGO_MASK_SELECT));
  const int32_t radios[4] = {LOGO_BACKGROUND_COLOUR, LOGO_BACKGROUND_BITMAP,
                             LOGO_BACKGROUND_SCENE_A, LOGO_BACKGROUND_SCENE_B};
  for (int32_t type : {3, 1, 2, 0}) {
    d.Click(radios[type]);
    EXPECT_EQ(d.IsEnabled(LOGO_COLOUR_SELECT), type == 0) << type;
    EXPECT_EQ(d.IsEnabled(LOGO_BITMAP_SELECT), type == 1) << type;
  }
  CloseWithOk(d);
}

TEST_F(LogoDialogTest, ARecordBeyondTheControlsShowsWhatItCan) {
  LogoParams& p = Edit();
  p.layers[1].useLayer = 0;
  p.layers[2].motion = 40;   // no such entry: nothing selected
  p.layers[0].start = 0.7f;  // 0.69999999: trackbar 69, label 0.70
  p.impact = 0.29f;          // 0.28999999: 28
  p.backgroundType = 7;      // no such type: "Color" checked, neither chooser
  std::memset(p.backgroundFile, 'b', sizeof p.backgroundFile);  // no terminator
  p.maskSource = 1;
  std::memset(p.maskFile, 'm', sizeof p.maskFile);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Trackbar(LOGO_AFG_START).position, 69);
  EXPECT_EQ(d.Text(LOGO_AFG_START_LABEL), "0.70");
  EXPECT_EQ(d.Text(LOGO_IMPACT_LABEL), "28");
  EXPECT_EQ(d.ComboSelection(LOGO_BFG_MOTION), -1);
  EXPECT_TRUE(d.IsChecked(LOGO_BACKGROUND_COLOUR));
  EXPECT_FALSE(d.IsEnabled(LOGO_COLOUR_SELECT));
  EXPECT_FALSE(d.IsEnabled(LOGO_BITMAP_SELECT));
  EXPECT_EQ(d.Text(LOGO_BITMAP_PATH), std::string(299, 'b'));
  EXPECT_EQ(d.Text(LOGO_MASK_PATH), std::string(259, 'm'));
  ExpectGroupEnabled(d, 1, false);
  CloseWithOk(d);
}

TEST_F(LogoDialogTest, ResetDefaultsLeavesThePresetListAsItWas) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.SelectCombo(LOGO_PRESETS, 1);
  d.Click(LOGO_RESET_DEFAULTS);
  LogoParams want;
  ApplyLogoPreset(&want, 0);
  const LogoParams got = Block();
  EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
  EXPECT_EQ(d.ComboSelection(LOGO_PRESETS), 1);
  CloseWithOk(d);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
