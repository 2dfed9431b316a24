// Twister's settings dialog, live under the dialog driver: every control, the record after
// each step, the swatches, the colour chooser and the ways the dialog closes.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "module_dialog_test.h"
#include "test_support.h"
#include "twister_ids.h"
#include "twister_params.h"

namespace zk::test {
namespace {

// Pixels inside the two swatches, in window coordinates (frame included).
constexpr POINT kBackgroundSwatchPixel = {103, 42};
constexpr POINT kSpecialSwatchPixel = {232, 110};

class TwisterDialogTest : public ModuleDialogTest<TwisterParams> {
 protected:
  TwisterDialogTest() : ModuleDialogTest("twister") {}

  void ExpectControlsShow(DialogDriver& d, const TwisterParams& p) {
    EXPECT_EQ(d.IsChecked(TWISTER_BEND_180), p.bendDegrees == 180);
    EXPECT_EQ(d.IsChecked(TWISTER_BEND_540), p.bendDegrees != 180);
    EXPECT_EQ(d.IsChecked(TWISTER_SHADE_BACKGROUND), p.shadingMode == 1);
    EXPECT_EQ(d.IsChecked(TWISTER_SHADE_SPECIAL), p.shadingMode == 2);
    EXPECT_EQ(d.IsChecked(TWISTER_SHADE_NONE), p.shadingMode == 0);
    const int32_t ticks = static_cast<int32_t>(static_cast<double>(p.turnTime) * 100);
    EXPECT_EQ(d.Trackbar(TWISTER_TURN_TIME).position, ticks);
    EXPECT_EQ(d.Text(TWISTER_TURN_TIME_LABEL), std::to_string(ticks));
    EXPECT_EQ(d.WindowPixel(kBackgroundSwatchPixel), p.backgroundColour);
    EXPECT_EQ(d.WindowPixel(kSpecialSwatchPixel), p.specialColour);
  }
};

TEST_F(TwisterDialogTest, TemplateTextsAndInitialStateFromDefaults) {
  Use([] {
    TwisterParams p;
    WriteTwisterDefaults(&p);
    p.backgroundColour = 0x0000FF;  // visible swatches
    p.specialColour = 0x00FF00;
    return p;
  }());
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Twister");
  const std::pair<int32_t, const char*> texts[] = {
      {IDOK, "OK"},
      {TWISTER_BACKGROUND_BUTTON, "Background"},
      {TWISTER_BEND_180, "180 degrees"},
      {TWISTER_BEND_540, "540 degrees"},
      {TWISTER_SHADE_BACKGROUND, "Yes, use background-color"},
      {TWISTER_SHADE_SPECIAL, "Yes, use special color"},
      {TWISTER_SHADE_NONE, "No shading"},
      {TWISTER_SPECIAL_BUTTON, "Special"},
      {TWISTER_DEFAULTS_BUTTON, "Set Defaults"},
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_EQ(d.ClassName(TWISTER_TURN_TIME), "msctls_trackbar32");
  EXPECT_EQ(d.ClassName(TWISTER_TURN_TIME_LABEL), "Edit");
  EXPECT_FALSE(d.Exists(IDCANCEL));
  EXPECT_FALSE(d.Trackbar(TWISTER_TURN_TIME).vertical);
  ExpectControlsShow(d, Block());

  // 187 x 170 dialog units in "MS Sans Serif" 8.
  EXPECT_EQ(d.ClientSize().cx, d.UnitsToPixels(187, 170).cx);
  EXPECT_EQ(d.ClientSize().cy, d.UnitsToPixels(187, 170).cy);
  EXPECT_EQ(d.FontFace(), "MS Sans Serif");

  EXPECT_FALSE(IsWindowEnabled(d.owner()));  // modal over the host's window
  CloseWithOk(d);
  EXPECT_EQ(d.result(), 1);
}

TEST_F(TwisterDialogTest, TrackbarMoveIsInTheRecordBeforeTheDialogCloses) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(TWISTER_TURN_TIME, 33);
  EXPECT_EQ(Bits(Block().turnTime), Bits(0.33f));

  // A scroll message from some other control is not the trackbar's.
  d.Send(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 90),
         reinterpret_cast<LPARAM>(GetDlgItem(d.dialog(), TWISTER_BACKGROUND_BUTTON)));
  EXPECT_EQ(Bits(Block().turnTime), Bits(0.33f));

  // Escape ends the dialog; nothing is undone.
  d.PressEscape();
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(Bits(Block().turnTime), Bits(0.33f));
}

// Radios, trackbar (the value times 100, truncated), label and swatches from the record;
// opening and closing changes nothing in it.
TEST_F(TwisterDialogTest, OpensOnWhatTheRecordHolds) {
  const TwisterParams records[] = {
      {0x0000FF, 540, 2, 0x00FF00, 0.3f},
      {0x00FF00, 180, 0, 0xFF0000, 1.0f},
      {0xFF0000, 360, 1, 0x0000FF, 0.0f},                        // not 180: the 540 button
      {0x000000, 180, 1, 0x000000, std::nextafter(0.7f, 1.0f)},  // 70, where 0.7f shows 69
      {0x808080, 180, 1, 0x404040, 0.5f},
  };
  for (const TwisterParams& p : records) {
    Use(p);
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_));
    ExpectControlsShow(d, p);
    d.PressEscape();
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(std::memcmp(effect_.params.data(), &p, sizeof p), 0);
  }
}

TEST_F(TwisterDialogTest, CloseBoxEndsTheDialogAndEnablesTheOwner) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(TWISTER_TURN_TIME, 40);
  d.Send(WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(Bits(Block().turnTime), Bits(0.4f));
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
