// The "Marbles" settings dialog, live under the dialog driver, beyond what every table-built
// dialog is checked for: the template and its version caption, trackbar ranges and float
// bits worked out by hand, the "neutral" buttons, the order buttons and the light's enabling,
// the light positions taken on OK only, the reserved bytes, and the balloon tooltips in
// their order.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_tooltips_probe.h"
#include "marbles_ids.h"
#include "marbles_params.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

struct Bar {
  int32_t id, label, minimum, maximum, page;
};
const Bar kBars[] = {
    {MARBLES_ROTATE_X, MARBLES_ROTATE_X_LABEL, -360, 360, 10},
    {MARBLES_ROTATE_Y, MARBLES_ROTATE_Y_LABEL, -360, 360, 10},
    {MARBLES_ROTATE_Z, MARBLES_ROTATE_Z_LABEL, -360, 360, 10},
    {MARBLES_XFADE, MARBLES_XFADE_LABEL, 0, 100, 1},
    {MARBLES_STATIC, MARBLES_STATIC_LABEL, 0, 100, 1},
    {MARBLES_MOVE, MARBLES_MOVE_LABEL, 0, 100, 1},
    {MARBLES_SIZE, MARBLES_SIZE_LABEL, 1, 100, 1},
    {MARBLES_TRANSP_START, MARBLES_TRANSP_START_LABEL, 0, 100, 1},
    {MARBLES_TRANSP_END, MARBLES_TRANSP_END_LABEL, 0, 100, 1},
    {MARBLES_COLOR_HUE, MARBLES_COLOR_HUE_LABEL, 0, 1000, 10},
    {MARBLES_SHADE_IMPACT, MARBLES_SHADE_IMPACT_LABEL, 0, 100, 1},
    {MARBLES_SHADE_GLOSS, MARBLES_SHADE_GLOSS_LABEL, 1, 15, 10},
    {MARBLES_LIGHT_ROT_X, MARBLES_LIGHT_ROT_X_LABEL, -360, 360, 10},
    {MARBLES_LIGHT_ROT_Y, MARBLES_LIGHT_ROT_Y_LABEL, -360, 360, 10},
    {MARBLES_LIGHT_ROT_Z, MARBLES_LIGHT_ROT_Z_LABEL, -360, 360, 10},
};

// The tools in the order they are added (a label before its trackbar).
const int32_t kToolOrder[] = {
    1002, 1003, 1004, 1007, 1005, 1006, 1010, 1009, 1013, 1012, 1016, 1015, 1022, 1021, 1024,
    1023, 1026, 1025, 1028, 1027, 1030, 1029, 1032, 1031, 1034, 1033, 1036, 1035, 1038, 1037,
    1018, 1019, 1020, 1039, 1046, 1047, 1048, 1049, 1050, 1041, 1040, 1043, 1042, 1045, 1044};
constexpr int32_t kToolCount = sizeof kToolOrder / sizeof kToolOrder[0];

class MarblesDialogTest : public ModuleDialogTest<MarblesParams> {
 protected:
  MarblesDialogTest() : ModuleDialogTest("marbles") {}
  void SetUp() override {
    ModuleDialogTest::SetUp();
    // Reserved bytes the dialog must leave as it finds them.
    for (size_t at : {25, 26, 27, 33, 34, 35}) effect_.params[at] = 0xEE;
    for (size_t at = 108; at < 148; ++at) effect_.params[at] = 0xEE;
  }

  std::vector<uint8_t> PresetBytes(int32_t index) const {
    std::vector<uint8_t> bytes = effect_.params;
    ApplyMarblesPreset(bytes.data(), index);
    return bytes;
  }

  // What the dialog's own rules show of the record: the order buttons, the light's
  // enabling and the position boxes.
  void ExpectRulesShow(DialogDriver& d, const MarblesParams& p) {
    EXPECT_EQ(d.IsChecked(MARBLES_ORDER_BOARD), p.order != 1 && p.order != 2);
    EXPECT_EQ(d.IsChecked(MARBLES_ORDER_TUB), p.order == 1 && p.farFirst != 0);
    EXPECT_EQ(d.IsChecked(MARBLES_ORDER_BUMP), p.order == 1 && p.farFirst == 0);
    EXPECT_EQ(d.IsChecked(MARBLES_ORDER_RANDOM), p.order == 2);
    for (int32_t id : {MARBLES_POS2_TEXT, MARBLES_POS2_X, MARBLES_POS2_Y, MARBLES_POS2_Z})
      EXPECT_EQ(d.IsEnabled(id), p.lightMode == 1) << id;
    for (int32_t id : {MARBLES_LIGHT_ROT_X_TEXT, MARBLES_LIGHT_ROT_Y_TEXT, MARBLES_LIGHT_ROT_Z_TEXT,
                       MARBLES_LIGHT_ROT_X, MARBLES_LIGHT_ROT_Y, MARBLES_LIGHT_ROT_Z})
      EXPECT_EQ(d.IsEnabled(id), p.lightMode == 2) << id;
    const int32_t boxes[] = {MARBLES_POS1_X, MARBLES_POS1_Y, MARBLES_POS1_Z,
                             MARBLES_POS2_X, MARBLES_POS2_Y, MARBLES_POS2_Z};
    const float positions[] = {p.lightPos1[0], p.lightPos1[1], p.lightPos1[2],
                               p.lightPos2[0], p.lightPos2[1], p.lightPos2[2]};
    for (int32_t k = 0; k < 6; ++k)
      EXPECT_EQ(d.Text(boxes[k]), std::to_string(static_cast<int32_t>(positions[k]))) << k;
  }
};

TEST_F(MarblesDialogTest, TemplateCaptionAndDefaults) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Marbles Version 2.0");
  const SIZE units = d.UnitsToPixels(444, 255);
  const SIZE client = d.ClientSize();
  EXPECT_EQ(client.cx, units.cx);
  EXPECT_EQ(client.cy, units.cy);
  EXPECT_EQ(d.FontFace(), "MS Sans Serif");
  const std::pair<int32_t, const char*> texts[] = {
      {IDOK, "OK"},
      {MARBLES_DEFAULTS_BUTTON, "Reset Defaults"},
      {MARBLES_SURFACE_TO_VIEWER, "Surface to Viewer"},
      {MARBLES_VIEWER_TO_SURFACE, "Viewer to Surface"},
      {MARBLES_ORDER_BOARD, "Simultaneously (Board)"},
      {MARBLES_ORDER_TUB, "Distance Out/In (Tub)"},
      {MARBLES_ORDER_BUMP, "Distance In/Out (Bump)"},
      {MARBLES_ORDER_RANDOM, "Randomly (Starfield)"},
      {MARBLES_LIGHT_FIXED, "Fix position"},
      {MARBLES_LIGHT_LINEAR, "Linear motion"},
      {MARBLES_LIGHT_ROTATING, "Rotation"},
      {MARBLES_POS2_TEXT, "Position 2"},
      {MARBLES_LIGHT_ROT_X_TEXT, "Rotate X"},
      {MARBLES_LIGHT_ROT_Z_TEXT, "Rotate Z"},
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  for (int32_t id : {1011, 1014, 1017, 1057, 1058, 1059, 1060}) EXPECT_EQ(d.Text(id), "neutral");
  EXPECT_FALSE(d.IsEnabled(MARBLES_NOTICE));
  for (const Bar& b : kBars) {
    EXPECT_EQ(d.ClassName(b.id), "msctls_trackbar32");
    EXPECT_EQ(d.ClassName(b.label), "Edit");
    const TrackbarState s = d.Trackbar(b.id);
    EXPECT_EQ(s.minimum, b.minimum) << b.id;
    EXPECT_EQ(s.maximum, b.maximum) << b.id;
    EXPECT_EQ(s.pageSize, b.page) << b.id;
    if (b.maximum - b.minimum > b.page) {
      EXPECT_EQ(s.ticFrequency, b.page) << b.id;
    }
  }
  ExpectRulesShow(d, Block());
  EXPECT_EQ(d.Trackbar(MARBLES_STATIC).position, 20);  // 0.2f is a hair above 0.2
  EXPECT_EQ(d.Text(MARBLES_SIZE_LABEL), "2");          // 0.03f is a hair below 0.03: one step low
  EXPECT_EQ(d.Text(MARBLES_COLOR_HUE_LABEL), "2.00");
  EXPECT_EQ(d.ComboSelection(MARBLES_PRESET_LIST), 0);
  HMODULE module = static_cast<HMODULE>(effect_.module.handle);
  const LRESULT small = SendMessageA(d.dialog(), WM_GETICON, ICON_SMALL, 0);
  EXPECT_EQ(reinterpret_cast<HICON>(small), LoadIconA(module, MAKEINTRESOURCEA(102)));
  EXPECT_NE(small, 0);
  const std::vector<uint8_t> before = effect_.params;
  CloseWithOk(d);
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(effect_.params, before);  // positions read back as the whole numbers they were
}

TEST_F(MarblesDialogTest, EveryControlExplainsItselfInOrderOncePerOpening) {
  for (int32_t opening = 0; opening < 2; ++opening) {
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_));
    HWND tip = FindTooltipWindow(d.dialog());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tip, GWL_STYLE)) & TTS_BALLOON, DWORD(TTS_BALLOON));
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 200);
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
    ASSERT_EQ(ToolCount(tip), kToolCount);
    for (int32_t i = 0; i < kToolCount; ++i)
      EXPECT_EQ(GetDlgCtrlID(ToolAt(tip, i).control), kToolOrder[i]) << i;
    EXPECT_EQ(ToolAt(tip, 0).text,
              "Define the general direction of motion.\nThe marbles can either move from surface "
              "to viewer or from viewer to surface.");
    EXPECT_EQ(ToolAt(tip, 1).text, ToolAt(tip, 0).text);
    EXPECT_EQ(ToolAt(tip, 3).text,
              "Define the marbles order for motion.\nAll marbles start their motion randomly.");
    EXPECT_EQ(ToolAt(tip, 8).text,
              "Define the marbles rotation around the y-axis, relative to the screens center at "
              "the current level (z-coordinate).");
    EXPECT_EQ(ToolAt(tip, 9).text, ToolAt(tip, 8).text);
    EXPECT_EQ(ToolAt(tip, 18).text,
              "Size of a marble as percentage, relative to the images width.");
    EXPECT_EQ(ToolAt(tip, 17).text.rfind("Time (percentage, relative to the remaining time for "
                                         "motion) that an individual marble has available",
                                         0),
              0u);
    EXPECT_NE(ToolAt(tip, 17).text.find("motion.\nHigher values result in a more simultaneos"),
              std::string::npos);
    EXPECT_EQ(ToolAt(tip, 28).text, "Gloss of marble surface.");
    EXPECT_EQ(ToolAt(tip, 32).text,
              "The light source rotates around the center of the screen, starting at position 1.");
    EXPECT_EQ(ToolAt(tip, 36).text, "Final position of the light source, x-coordinate.");
    EXPECT_EQ(ToolAt(tip, 44).text,
              "Define the light source rotation around the z-axis, relative to the center of the "
              "screen.");
    // Re-initialisations add no tools and leave the caption alone.
    d.SelectCombo(MARBLES_PRESET_LIST, 2);
    d.Click(MARBLES_LIGHT_LINEAR);
    EXPECT_EQ(FindTooltipWindow(d.dialog()), tip);
    EXPECT_EQ(ToolCount(tip), kToolCount);
    EXPECT_EQ(d.Title(), "Marbles Version 2.0");
    if (opening == 0) {
      d.Click(IDOK);
    } else {
      d.PressEscape();
    }
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(d.result(), 1);
    EXPECT_FALSE(IsWindow(tip));  // gone with the dialog either way
  }
}

TEST_F(MarblesDialogTest, TrackbarsStoreAtOnceWithTheirLabels) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  // Position 20 of "Static" stores 20 * 0.01f = 0.19999999 (the float below 0.2): its
  // label reads 19 while the trackbar stays at 20, until the dialog is shown again.
  d.MoveTrackbar(MARBLES_STATIC, 20);
  EXPECT_EQ(Bits(Block().staticTime), 0x3E4CCCCCu);
  EXPECT_EQ(d.Text(MARBLES_STATIC_LABEL), "19");
  EXPECT_EQ(d.Trackbar(MARBLES_STATIC).position, 20);
  d.Click(MARBLES_LIGHT_FIXED);  // re-initialises
  EXPECT_EQ(d.Trackbar(MARBLES_STATIC).position, 19);

  // 1, 30 and 90 hundredths also come out as the floats just below: their labels read one
  // step low.
  struct Move {
    int32_t id, position;
    const char* label;
  };
  const Move moves[] = {{MARBLES_ROTATE_X, -250, "-250"},  {MARBLES_ROTATE_Y, 360, "360"},
                        {MARBLES_ROTATE_Z, -1, "-1"},      {MARBLES_XFADE, 50, "50"},
                        {MARBLES_MOVE, 25, "25"},          {MARBLES_SIZE, 1, "0"},
                        {MARBLES_TRANSP_START, 30, "29"},  {MARBLES_TRANSP_END, 90, "89"},
                        {MARBLES_COLOR_HUE, 250, "2.50"},  {MARBLES_SHADE_IMPACT, 75, "75"},
                        {MARBLES_SHADE_GLOSS, 7, "7"},     {MARBLES_LIGHT_ROT_X, 45, "45"},
                        {MARBLES_LIGHT_ROT_Y, -90, "-90"}, {MARBLES_LIGHT_ROT_Z, 0, "0"}};
  d.Click(MARBLES_LIGHT_ROTATING);  // the light trackbars take part only when enabled
  for (const Move& m : moves) {
    d.MoveTrackbar(m.id, m.position);
    EXPECT_EQ(d.Text(m.id == MARBLES_COLOR_HUE ? MARBLES_COLOR_HUE_LABEL : m.id + 1), m.label)
        << m.id;
  }
  const MarblesParams p = Block();
  EXPECT_EQ(p.rotateX, -250);
  EXPECT_EQ(p.rotateY, 360);
  EXPECT_EQ(p.rotateZ, -1);
  EXPECT_EQ(Bits(p.xFade), Bits(0.5f));
  EXPECT_EQ(Bits(p.moveTime), Bits(0.25f));
  EXPECT_EQ(Bits(p.size), Bits(0.01f));
  EXPECT_EQ(Bits(p.transpStart), Bits(static_cast<float>(30 * double{0.01f})));
  EXPECT_EQ(Bits(p.transpEnd), Bits(static_cast<float>(90 * double{0.01f})));
  EXPECT_EQ(Bits(p.colorHue), Bits(2.5f));
  EXPECT_EQ(Bits(p.shadeImpact), Bits(0.75f));
  EXPECT_EQ(p.shadeGloss, 7);
  EXPECT_EQ(p.lightRotX, 45);
  EXPECT_EQ(p.lightRotY, -90);
  EXPECT_EQ(p.lightRotZ, 0);
  CloseWithOk(d);
}

TEST_F(MarblesDialogTest, NeutralButtonsTakeTheTurnsAndTheColourBack) {
  Edit().rotateX = 90;
  Edit().rotateY = -45;
  Edit().lightRotX = 30;
  Edit().lightRotY = 60;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  const std::pair<int32_t, int32_t> buttons[] = {
      {MARBLES_ROTATE_X_NEUTRAL, MARBLES_ROTATE_X},
      {MARBLES_ROTATE_Y_NEUTRAL, MARBLES_ROTATE_Y},
      {MARBLES_ROTATE_Z_NEUTRAL, MARBLES_ROTATE_Z},
      {MARBLES_LIGHT_ROT_X_NEUTRAL, MARBLES_LIGHT_ROT_X},
      {MARBLES_LIGHT_ROT_Y_NEUTRAL, MARBLES_LIGHT_ROT_Y},
      {MARBLES_LIGHT_ROT_Z_NEUTRAL, MARBLES_LIGHT_ROT_Z}};
  for (const auto& b : buttons) {
    EXPECT_NE(d.Trackbar(b.second).position, 0) << b.second;
    d.Click(b.first);
    EXPECT_EQ(d.Trackbar(b.second).position, 0) << b.second;
    EXPECT_EQ(d.Text(b.second + 1), "0") << b.second;
  }
  const MarblesParams p = Block();
  EXPECT_EQ(p.rotateX, 0);
  EXPECT_EQ(p.rotateY, 0);
  EXPECT_EQ(p.rotateZ, 0);
  EXPECT_EQ(p.lightRotX, 0);
  EXPECT_EQ(p.lightRotY, 0);
  EXPECT_EQ(p.lightRotZ, 0);
  d.Click(MARBLES_COLOR_HUE_NEUTRAL);
  EXPECT_EQ(Block().colorHue, 1.0f);
  EXPECT_EQ(d.Trackbar(MARBLES_COLOR_HUE).position, 100);
  EXPECT_EQ(d.Text(MARBLES_COLOR_HUE_LABEL), "1.00");
  CloseWithOk(d);
}

TEST_F(MarblesDialogTest, OrderButtonsAndTheLightEnabling) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  // The board and random orders leave farFirst alone; the two distance orders set it.
  d.Click(MARBLES_ORDER_BUMP);
  EXPECT_EQ(Block().order, 1);
  EXPECT_EQ(Block().farFirst, 0);
  d.Click(MARBLES_ORDER_BOARD);
  EXPECT_EQ(Block().order, 0);
  EXPECT_EQ(Block().farFirst, 0);
  d.Click(MARBLES_ORDER_TUB);
  EXPECT_EQ(Block().order, 1);
  EXPECT_EQ(Block().farFirst, 1);
  d.Click(MARBLES_ORDER_RANDOM);
  EXPECT_EQ(Block().order, 2);
  EXPECT_EQ(Block().farFirst, 1);
  for (int32_t mode : {1, 0, 2}) {
    d.Click(MARBLES_LIGHT_FIXED + mode);
    EXPECT_EQ(Block().lightMode, mode);
    ExpectRulesShow(d, Block());
  }
  CloseWithOk(d);
  EXPECT_EQ(effect_.params[25], 0xEE);
  EXPECT_EQ(effect_.params[33], 0xEE);
}

TEST_F(MarblesDialogTest, LightPositionsAreTakenOnOkOnly) {
  Edit().lightPos1[0] = 12.75f;  // shows truncated, written back whole
  Edit().lightPos2[2] = -3.5f;
  Edit().lightMode = 1;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Text(MARBLES_POS1_X), "12");
  EXPECT_EQ(d.Text(MARBLES_POS2_Z), "-3");
  d.SetText(MARBLES_POS1_Y, "-40");
  d.SetText(MARBLES_POS2_X, "250");
  d.SetText(MARBLES_POS1_Z, "twelve");     // not a number: 0
  EXPECT_EQ(Block().lightPos1[1], 10.0f);  // nothing taken yet
  d.MoveTrackbar(MARBLES_SIZE, 5);         // other controls leave the boxes alone
  CloseWithOk(d);
  const MarblesParams p = Block();
  EXPECT_EQ(p.lightPos1[0], 12.0f);
  EXPECT_EQ(p.lightPos1[1], -40.0f);
  EXPECT_EQ(p.lightPos1[2], 0.0f);
  EXPECT_EQ(p.lightPos2[0], 250.0f);
  EXPECT_EQ(p.lightPos2[1], 0.0f);
  EXPECT_EQ(p.lightPos2[2], -3.0f);

  // Typed values are lost when the dialog is shown again before OK, and Escape does not
  // take them.
  DialogDriver again;
  ASSERT_TRUE(again.Open(effect_));
  again.SetText(MARBLES_POS1_X, "77");
  again.Click(MARBLES_LIGHT_ROTATING);
  EXPECT_EQ(again.Text(MARBLES_POS1_X), "12");
  again.SetText(MARBLES_POS1_X, "88");
  again.PressEscape();
  ASSERT_TRUE(again.WaitClosed());
  EXPECT_EQ(Block().lightPos1[0], 12.0f);
  EXPECT_EQ(Block().lightMode, 2);
}

TEST_F(MarblesDialogTest, PresetsAndResetDefaultsKeepTheReservedBytes) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  for (int32_t index : {4, 1, 3, 2}) {
    d.SelectCombo(MARBLES_PRESET_LIST, index);
    EXPECT_EQ(effect_.params, PresetBytes(index)) << index;  // reserved bytes kept
    ExpectRulesShow(d, Block());
    EXPECT_EQ(d.ComboSelection(MARBLES_PRESET_LIST), index);
  }
  d.MoveTrackbar(MARBLES_SIZE, 80);
  d.Click(MARBLES_ORDER_BOARD);
  d.Click(MARBLES_DEFAULTS_BUTTON);
  EXPECT_EQ(effect_.params, PresetBytes(0));
  ExpectRulesShow(d, Block());
  CloseWithOk(d);
  EXPECT_EQ(effect_.params[120], 0xEE);
}

TEST_F(MarblesDialogTest, OpensOnWhatTheRecordHolds) {
  Edit().order = 7;      // renders as the board: shown as the board
  Edit().lightMode = 9;  // renders as a fixed light
  Edit().colorHue = 0.7f;
  Edit().shadeGloss = 12;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_TRUE(d.IsChecked(MARBLES_ORDER_BOARD));
  EXPECT_TRUE(d.IsChecked(MARBLES_LIGHT_FIXED));
  EXPECT_FALSE(d.IsEnabled(MARBLES_POS2_X));
  EXPECT_FALSE(d.IsEnabled(MARBLES_LIGHT_ROT_X));
  EXPECT_EQ(d.Trackbar(MARBLES_COLOR_HUE).position, 69);  // 0.7f is a hair below 0.7
  EXPECT_EQ(d.Text(MARBLES_COLOR_HUE_LABEL), "0.70");
  EXPECT_EQ(d.Trackbar(MARBLES_SHADE_GLOSS).position, 12);
  EXPECT_EQ(Block().order, 7);  // shown, not corrected
  EXPECT_EQ(Block().lightMode, 9);
  CloseWithOk(d);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
