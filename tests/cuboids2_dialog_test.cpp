// The "Cuboids II" settings dialog beyond what its settings table binds (the generic dialog
// bindings test covers that): the template, the direction buttons' icons, the buttons shown
// for values without one of their own, the enabling rules and the preset list keeping its entry
// across "Reset Defaults".
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "cuboids2_ids.h"
#include "cuboids2_params.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

ZK_MODULE_DIALOG_TEST(Cuboids2DialogTest, CuboidsParams, "cuboids2");

TEST_F(Cuboids2DialogTest, TemplateIconsAndTheDefaultsAsShown) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Cuboids II");
  const std::pair<int32_t, const char*> texts[] = {
      {IDOK, "OK"},
      {CUBOIDS_RESET_DEFAULTS, "Reset Defaults"},
      {CUBOIDS_INVERSE_Z, "Inverse Z"},
      {CUBOIDS_RANDOM_ROTATION, "use random rotation"},
      {CUBOIDS_FIXED_ROTATION, "use fixed rotation"},
      {CUBOIDS_PATTERN_FIRST, "Rotation Pattern #0"},
      {CUBOIDS_PATTERN_LAST, "Rotation Pattern #5"},
      {CUBOIDS_BACKGROUND_COLOUR, "Color"},
      {CUBOIDS_BACKGROUND_BITMAP, "Bitmap"},
      {CUBOIDS_COLOUR_SELECT, "select"},
      {CUBOIDS_BITMAP_SELECT, "select"},
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (int32_t id : {CUBOIDS_COLUMNS, CUBOIDS_ROWS, CUBOIDS_DEEP, CUBOIDS_DURATION, CUBOIDS_ZMOVE,
                     CUBOIDS_IMPACT, CUBOIDS_GLOSS})
    EXPECT_EQ(d.ClassName(id), "msctls_trackbar32") << id;
  EXPECT_EQ(d.ComboSelection(CUBOIDS_PRESETS), 3);  // "wave"
  // Every direction button carries its icon, and the icon is our 32 x 32 picture.
  const int32_t icons[20] = {103, 104, 105, 106, 107, 108, 116, 115, 114, 113,
                             118, 117, 110, 109, 112, 111, 122, 119, 120, 121};
  HINSTANCE module = GetModuleHandleA("cuboids2.vfx");
  ASSERT_NE(module, nullptr);
  for (int32_t j = 0; j < 20; ++j) {
    HWND button = GetDlgItem(d.dialog(), CUBOIDS_DIRECTION_FIRST + j);
    EXPECT_NE(GetWindowLongA(button, GWL_STYLE) & BS_ICON, 0) << j;
    HICON shown = reinterpret_cast<HICON>(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0));
    EXPECT_NE(shown, nullptr) << j;
    EXPECT_EQ(shown, LoadIconA(module, MAKEINTRESOURCEA(icons[j]))) << j;
  }
  EXPECT_FALSE(IsWindowEnabled(d.owner()));
  CloseWithOk(d);
}

// A value without a button of its own shows a fixed one and stays in the record.
TEST_F(Cuboids2DialogTest, ValuesWithoutAButtonShowTheirFallback) {
  Edit().direction = 42;
  Edit().fixedRotation = 2;
  Edit().rotationPattern = 9;
  Edit().backgroundType = 5;
  const std::vector<uint8_t> before = effect_.params;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_TRUE(d.IsChecked(1037));  // "centre out"
  EXPECT_TRUE(d.IsChecked(CUBOIDS_FIXED_ROTATION));
  EXPECT_TRUE(d.IsChecked(CUBOIDS_PATTERN_FIRST));
  EXPECT_TRUE(d.IsChecked(CUBOIDS_BACKGROUND_COLOUR));
  // Neither chooser applies to a background type of neither kind.
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_COLOUR_SELECT));
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_BITMAP_SELECT));
  CloseWithOk(d);
  EXPECT_EQ(effect_.params, before);
}

TEST_F(Cuboids2DialogTest, PatternsAndChoosersEnabledWhereTheyApply) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(CUBOIDS_FIXED_ROTATION);
  for (int32_t id = CUBOIDS_PATTERN_FIRST; id <= CUBOIDS_PATTERN_LAST; ++id)
    EXPECT_TRUE(d.IsEnabled(id)) << id;
  d.Click(CUBOIDS_PATTERN_FIRST + 3);
  d.Click(CUBOIDS_RANDOM_ROTATION);
  EXPECT_EQ(Block().rotationPattern, 3);  // kept for the next fixed rotation
  for (int32_t id = CUBOIDS_PATTERN_FIRST; id <= CUBOIDS_PATTERN_LAST; ++id)
    EXPECT_FALSE(d.IsEnabled(id)) << id;
  d.Click(CUBOIDS_BACKGROUND_BITMAP);
  EXPECT_TRUE(d.IsEnabled(CUBOIDS_BITMAP_SELECT));
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_COLOUR_SELECT));
  d.Click(CUBOIDS_BACKGROUND_COLOUR);
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_BITMAP_SELECT));
  EXPECT_TRUE(d.IsEnabled(CUBOIDS_COLOUR_SELECT));
  CloseWithOk(d);
}

TEST_F(Cuboids2DialogTest, ResetDefaultsGivesBigBlockAndTheListKeepsItsEntry) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.SelectCombo(CUBOIDS_PRESETS, 7);  // "Brisel 1": depth 0.01f shows at the minimum
  EXPECT_EQ(d.Trackbar(CUBOIDS_DEEP).position, 1);
  d.Click(CUBOIDS_RESET_DEFAULTS);
  EXPECT_EQ(Block().direction, 1);
  EXPECT_EQ(Block().duration, 1.0f);
  EXPECT_EQ(d.ComboSelection(CUBOIDS_PRESETS), 7);
  CloseWithOk(d);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
