// Bloom's settings dialog, live under the dialog driver, beyond what every table-built
// dialog is checked for: the template's texts, the buttons' icons and directions worked out
// by hand, the float bits the trackbar stores, the fallback buttons, the version in the title
// and the balloon tooltips of every control.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bloom_ids.h"
#include "bloom_params.h"
#include "dialog_tooltips_probe.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

const int32_t kModeButtons[] = {1004, 1005, 1006, 1027, 1028};

// Direction -> button, as the direction table lays them out.
const int32_t kButtonOfDirection[21] = {1011, 1008, 1007, 1009, 1010, 1012, 1011,
                                        1016, 1015, 1014, 1013, 1017, 1018, 1019,
                                        1020, 1021, 1022, 1023, 1024, 1025, 1026};
const int32_t kIconOfDirection[21] = {0,   105, 106, 107, 102, 103, 104, 108, 110, 109, 111,
                                      112, 113, 114, 115, 116, 117, 118, 120, 119, 121};

// The tools in the order they are added; the duration's text serves two controls.
const int32_t kToolOrder[] = {1004, 1005, 1006, 1027, 1028, 1007, 1008, 1009, 1010,
                              1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019,
                              1021, 1020, 1022, 1023, 1025, 1026, 1024, 1003, 1002};

// The control id and text of tool `index`.
struct Tool {
  int32_t controlId;
  std::string text;
};
Tool ToolOf(HWND tip, int32_t index) {
  const ToolInfo t = ToolAt(tip, index);
  return Tool{GetDlgCtrlID(t.control), t.text};
}

class BloomDialogTest : public ModuleDialogTest<BloomParams> {
 protected:
  BloomDialogTest() : ModuleDialogTest("bloom") {}

  void Use(int32_t mode, int32_t direction, float duration) {
    BloomParams p{};
    p.bloomMode = mode;
    p.bloomDirection = direction;
    p.bloomDuration = duration;
    std::memcpy(effect_.params.data(), &p, sizeof p);
  }
  HICON ModuleIcon(int32_t id) const {
    return LoadIconA(static_cast<HMODULE>(effect_.module.handle), MAKEINTRESOURCEA(id));
  }

  void ExpectControlsShow(DialogDriver& d, int32_t modeButton, int32_t directionButton,
                          int32_t position, const char* label) {
    for (int32_t id : kModeButtons) EXPECT_EQ(d.IsChecked(id), id == modeButton) << id;
    for (int32_t id = 1007; id <= 1026; ++id)
      EXPECT_EQ(d.IsChecked(id), id == directionButton) << id;
    const TrackbarState t = d.Trackbar(BLOOM_DURATION);
    EXPECT_EQ(t.minimum, 1);
    EXPECT_EQ(t.maximum, 100);
    EXPECT_EQ(t.position, position);
    EXPECT_EQ(t.pageSize, 10);
    EXPECT_EQ(t.ticFrequency, 10);
    EXPECT_EQ(d.Text(BLOOM_DURATION_LABEL), label);
  }
};

TEST_F(BloomDialogTest, OpensOnTheDefaultsWithItsTextsIconsAndDirections) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Bloom Version 2.01");
  ExpectControlsShow(d, 1005, 1011, 50, "0.50");  // preset 0: bloom white, circleout, 0.5
  EXPECT_EQ(d.ComboSelection(BLOOM_PRESET_LIST), 0);
  const std::pair<int32_t, const char*> texts[] = {
      {IDOK, "OK"},
      {BLOOM_DEFAULTS_BUTTON, "Reset Defaults"},
      {1004, "crossfade"},
      {1005, "bloom white"},
      {1006, "bloom black"},
      {1027, "noise b/w"},
      {1028, "noise color"},
      {1008, "leftright"},
      {1007, "rightleft"},
      {1009, "topbottom"},
      {1018, "rotcounterclockwise"},
      {1026, "leftin"},
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  const LRESULT small = SendMessageA(d.dialog(), WM_GETICON, ICON_SMALL, 0);
  EXPECT_EQ(reinterpret_cast<HICON>(small), ModuleIcon(BLOOM_DIALOG_ICON));
  EXPECT_EQ(Block().bloomMode, 1);  // opening changes nothing
  const int32_t modes[][2] = {{1027, 3}, {1004, 0}, {1028, 4}, {1006, 2}, {1005, 1}};
  for (const auto& m : modes) {
    d.Click(m[0]);
    EXPECT_EQ(Block().bloomMode, m[1]) << m[0];
  }
  for (int32_t direction = 1; direction <= 20; ++direction) {
    HWND button = GetDlgItem(d.dialog(), kButtonOfDirection[direction]);
    const LRESULT image = SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0);
    EXPECT_NE(image, 0) << direction;
    EXPECT_EQ(reinterpret_cast<HICON>(image), ModuleIcon(kIconOfDirection[direction])) << direction;
    d.Click(kButtonOfDirection[direction]);
    EXPECT_EQ(Block().bloomDirection, direction) << kButtonOfDirection[direction];
  }
  CloseWithOk(d);
  EXPECT_EQ(d.result(), 1);
}

TEST_F(BloomDialogTest, EveryControlExplainsItselfInABalloon) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  HWND tip = FindTooltipWindow(d.dialog());
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tip, GWL_STYLE)) & TTS_BALLOON, DWORD(TTS_BALLOON));
  EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 200);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
  const int32_t count = static_cast<int32_t>(sizeof kToolOrder / sizeof kToolOrder[0]);
  ASSERT_EQ(ToolCount(tip), count);
  for (int32_t i = 0; i < count; ++i) {
    const Tool t = ToolOf(tip, i);
    EXPECT_EQ(t.controlId, kToolOrder[i]) << "tool " << i;
    const bool mode = i < 5;
    const bool motion = i >= 5 && i < 25;
    if (mode) {
      EXPECT_EQ(t.text.rfind("Define the mode for rendering.\nUse '", 0), 0u) << t.text;
    }
    if (motion) {
      EXPECT_EQ(t.text.rfind("Define the direction of motion.\n", 0), 0u) << t.text;
    }
  }
  EXPECT_EQ(ToolOf(tip, 3).text,
            "Define the mode for rendering.\nUse 'noise black and white' as rendering mode.");
  EXPECT_EQ(ToolOf(tip, 16).text,
            "Define the direction of motion.\nRotate the border conter-clockwise.");
  EXPECT_EQ(
      ToolOf(tip, 20).text,
      "Define the direction of motion.\nMove a diagonal border from bottom right to top left.");
  const std::string duration = ToolOf(tip, 25).text;
  EXPECT_EQ(ToolOf(tip, 26).text, duration);
  EXPECT_EQ(
      duration.rfind("Define the duration for transformation of a particular pixel in percent "
                     "of overall effect-time.\nHigher values result in a widther border",
                     0),
      0u);
  EXPECT_NE(duration.find("tight border.\nSet this value to 0.01"), std::string::npos);
  EXPECT_NE(duration.find("for a simple white-flash."), std::string::npos);
  CloseWithOk(d);
}

TEST_F(BloomDialogTest, RefreshesAddNoToolsAndLeaveTheTitleAlone) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  HWND tip = FindTooltipWindow(d.dialog());
  ASSERT_NE(tip, nullptr);
  d.SelectCombo(BLOOM_PRESET_LIST, 6);  // "Wipe left to right"
  ExpectControlsShow(d, 1004, 1008, 1, "0.01");
  d.Click(1013);  // a direction button
  d.Click(BLOOM_DEFAULTS_BUTTON);
  EXPECT_EQ(d.Title(), "Bloom Version 2.01");
  EXPECT_EQ(FindTooltipWindow(d.dialog()), tip);
  EXPECT_EQ(ToolCount(tip), 27);
  CloseWithOk(d);
}

// 10 * 0.01f is 0.099999994 (0x3DCCCCCC), one step below 0.1f: the next refresh puts the
// trackbar at trunc(9.9999994) = 9.
TEST_F(BloomDialogTest, ARefreshShowsTheStoredProduct) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(BLOOM_DURATION, 10);
  d.Click(1013);  // a direction button refreshes the dialog
  EXPECT_EQ(d.Trackbar(BLOOM_DURATION).position, 9);
  EXPECT_EQ(Block().bloomDirection, 10);
  CloseWithOk(d);
  EXPECT_EQ(Bits(Block().bloomDuration), 0x3DCCCCCCu);  // kept after closing
}

TEST_F(BloomDialogTest, UnusualRecordsShowTheFallbackButtons) {
  // Direction 0 and unknown directions show "circleout"; modes past 3 "noise color".
  const int32_t cases[][4] = {{0, 0, 1004, 1011}, {9, 55, 1028, 1011}, {-2, -1, 1028, 1011}};
  for (const auto& c : cases) {
    Use(c[0], c[1], 2.5f);
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_));
    ExpectControlsShow(d, c[2], c[3], 100, "2.50");
    EXPECT_EQ(Block().bloomMode, c[0]);  // shown, not corrected
    EXPECT_EQ(Block().bloomDirection, c[1]);
    CloseWithOk(d);
  }
}

// OK and Escape alike take the balloon window with the dialog; the next opening starts
// afresh, with the version read once more.
TEST_F(BloomDialogTest, EachOpeningHasItsTitleAndTools) {
  for (int32_t opening = 0; opening < 2; ++opening) {
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_));
    EXPECT_EQ(d.Title(), "Bloom Version 2.01") << "opening " << opening;
    HWND tip = FindTooltipWindow(d.dialog());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(ToolCount(tip), 27);
    d.Click(1027);
    if (opening == 0) {
      d.Click(IDOK);
    } else {
      d.PressEscape();
    }
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(Block().bloomMode, 3);  // no undo
  }
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
