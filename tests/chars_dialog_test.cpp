// The character rain's settings dialog, live under the dialog driver: its template, the
// timing rule, hand-worked labels and float bits, an unknown map and "Set Defaults" beside
// the padding. Showing and writing every control is the table-driven dialog test's part.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chars_ids.h"
#include "chars_params.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

ZK_MODULE_DIALOG_TEST(CharsDialogTest, CharsParams, "chars");

TEST_F(CharsDialogTest, TemplateAndDefaults) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Chars");
  const std::pair<int32_t, const char*> texts[] = {
      {CHARS_BACKGROUND_BUTTON, "Background"},
      {CHARS_FOREGROUND_BUTTON, "Foreground"},
      {CHARS_SLOW_DOWN, "Slow down, if possible"},
      {CHARS_RANDOMIZE, "Randomize characters"},
      {CHARS_GLOW, "Apply glow effect"},
      {CHARS_MAP_TYPEWRITER_10X16, "Courier (0-9), 10 x 16"},
      {CHARS_MAP_TYPEWRITER_14X20, "Courier (0-9), 14 x 20"},
      {CHARS_MAP_SIGNS_10X14, "Special, 10 x 14"},
      {CHARS_MAP_BOLD_10X14, "System (0-9), 10 x 14"},
      {CHARS_MAP_BOLD_18X26, "System (0-9), 18 x 26"},
      {CHARS_MAP_SIGNS_16X20, "Special, 16 x 20"},
      {CHARS_USE_CHAR_SIZE, "Use char size"},
      {CHARS_FIXED_RATIO, "Resize to fixed ratio"},
      {CHARS_DEFAULTS_BUTTON, "Set Defaults"},
      {IDOK, "OK"},
      // The defaults as the edits show them: 0.12f lies a hair below 0.12 and shows 11.
      {CHARS_RECREATION_LABEL, "15"},
      {CHARS_MIN_BRIGHTNESS_LABEL, "50"},
      {CHARS_DECREASE_LABEL, "86"},
      {CHARS_DIM_OUT_LABEL, "11"},
      {CHARS_BLEND_BRIGHTNESS_LABEL, "40"},
      {CHARS_BLEND_SCENE_B_LABEL, "85"},
      {CHARS_COLUMN_SIZE_LABEL, "2.00"},
      {CHARS_ROW_SIZE_LABEL, "4.00"},
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (int32_t id :
       {CHARS_RECREATION, CHARS_MIN_BRIGHTNESS, CHARS_DECREASE, CHARS_DIM_OUT,
        CHARS_BLEND_BRIGHTNESS, CHARS_BLEND_SCENE_B, CHARS_COLUMN_SIZE, CHARS_ROW_SIZE}) {
    EXPECT_EQ(d.ClassName(id), "msctls_trackbar32") << id;
    EXPECT_FALSE(d.Trackbar(id).vertical) << id;
  }
  EXPECT_EQ(d.ClassName(CHARS_DIM_OUT_LABEL), "Edit");
  // The swatches beside the colour buttons, in window pixels.
  EXPECT_EQ(d.WindowPixel({112, 67}), 0x000000u);
  EXPECT_EQ(d.WindowPixel({112, 92}), 0x0088FF88u);

  // 382 x 255 dialog units in "MS Sans Serif" 8.
  EXPECT_EQ(d.ClientSize().cx, d.UnitsToPixels(382, 255).cx);
  EXPECT_EQ(d.ClientSize().cy, d.UnitsToPixels(382, 255).cy);
  EXPECT_EQ(d.FontFace(), "MS Sans Serif");
  CloseWithOk(d);
  EXPECT_EQ(d.result(), 1);
}

TEST_F(CharsDialogTest, DimOutPastTheBrightnessStartIsPulledBack) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CHARS_DIM_OUT, 100);
  EXPECT_EQ(Bits(Block().dimOutEnd), Bits(0.39000002f));  // 0.4 - 0.01 in floats
  EXPECT_EQ(d.Trackbar(CHARS_DIM_OUT).position, 39);
  EXPECT_EQ(d.Text(CHARS_DIM_OUT_LABEL), "39");
  // A value in order is taken as it is.
  d.MoveTrackbar(CHARS_DIM_OUT, 20);
  EXPECT_EQ(Bits(Block().dimOutEnd), Bits(0.2f));
  EXPECT_EQ(d.Text(CHARS_DIM_OUT_LABEL), "20");
  d.PressEscape();
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(Bits(Block().dimOutEnd), Bits(0.2f));  // no undo
}

TEST_F(CharsDialogTest, SceneBStartBelowTheOthersIsRaisedAboveBoth) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  // 0 is raised to 0.12 + 0.01 = 0.13, then above the brightness start to 0.41.
  d.MoveTrackbar(CHARS_BLEND_SCENE_B, 0);
  EXPECT_EQ(Bits(Block().blendSceneBStart), Bits(0.41f));
  EXPECT_EQ(d.Text(CHARS_BLEND_SCENE_B_LABEL), "40");
  EXPECT_EQ(d.Trackbar(CHARS_BLEND_SCENE_B).position, 40);
  // The brightness start moved up to it is pulled back below it: 0.41 - 0.01.
  d.MoveTrackbar(CHARS_BLEND_BRIGHTNESS, 90);
  EXPECT_EQ(Bits(Block().blendBrightnessStart), Bits(0.4f));
  EXPECT_EQ(d.Text(CHARS_BLEND_BRIGHTNESS_LABEL), "40");
  // Moved below the dim-out end it is raised above it: 0.12 + 0.01 in floats is
  // 0.129999995, which truncates to 12 on the trackbar and in the edit.
  d.MoveTrackbar(CHARS_BLEND_BRIGHTNESS, 5);
  EXPECT_EQ(Bits(Block().blendBrightnessStart), Bits(0.12999999523f));
  EXPECT_EQ(d.Text(CHARS_BLEND_BRIGHTNESS_LABEL), "12");
  EXPECT_EQ(d.Trackbar(CHARS_BLEND_BRIGHTNESS).position, 12);
  CloseWithOk(d);
}

TEST_F(CharsDialogTest, UnknownMapChecksTheFirstButtonAndKeepsItsValue) {
  CharsParams p = CharsDefaults();
  p.charMap = 7;
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_TRUE(d.IsChecked(CHARS_MAP_TYPEWRITER_10X16));
  d.MoveTrackbar(CHARS_RECREATION, 50);
  d.Click(CHARS_GLOW);
  EXPECT_EQ(Block().charMap, 7);
  d.Click(CHARS_MAP_SIGNS_10X14);
  EXPECT_EQ(Block().charMap, 4);
  CloseWithOk(d);
}

// "Set Defaults" writes every field, the one without a control too; the padding bytes keep
// what the host put there.
TEST_F(CharsDialogTest, SetDefaultsLeavesThePadding) {
  CharsParams p = CharsDefaults();
  p.buildUpShare = 0.9f;
  p.rowSize = 3000;
  p.padding15 = 0x5A;
  p.padding49[0] = 0x5B;
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CHARS_DIM_OUT, 30);
  d.Click(CHARS_DEFAULTS_BUTTON);
  CharsParams want = CharsDefaults();
  want.padding15 = 0x5A;
  want.padding49[0] = 0x5B;
  const CharsParams now = Block();
  EXPECT_EQ(0, std::memcmp(&want, &now, sizeof want));
  EXPECT_EQ(d.Text(CHARS_ROW_SIZE_LABEL), "4.00");
  CloseWithOk(d);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
