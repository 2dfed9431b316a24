// The fire's settings dialog, live under the dialog driver, beyond what its settings table
// gives every dialog: the trackbars' own values and float bits, the share controls'
// enabling, the defaults button clearing the reserved bytes, and the close box.
#if defined(_WIN32)

#include <windows.h>
// The trackbar notification codes come with the common controls.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "firestorm_ids.h"
#include "firestorm_params.h"
#include "firestorm_rays_test_support.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

struct ValueShown {
  int32_t value;     // the read-only edit; the trackbar is value + 1
  int32_t position;  // trackbar position
  const char* text;  // the edit's text
};

class FirestormDialogTest : public ModuleDialogTest<FirestormParams> {
 protected:
  FirestormDialogTest() : ModuleDialogTest("firestorm") {}

  static void ExpectShown(DialogDriver& d, const std::vector<ValueShown>& shown) {
    for (const ValueShown& s : shown) {
      EXPECT_EQ(d.Trackbar(s.value + 1).position, s.position) << "trackbar " << s.value + 1;
      EXPECT_EQ(d.Text(s.value), s.text) << "edit " << s.value;
    }
  }

  static void ExpectShareEnabled(DialogDriver& d, bool enabled) {
    EXPECT_EQ(d.IsEnabled(FIRESTORM_SHARE_LABEL), enabled);
    EXPECT_EQ(d.IsEnabled(FIRESTORM_SHARE_VALUE), enabled);
    EXPECT_EQ(d.IsEnabled(FIRESTORM_SHARE), enabled);
  }

  // What the defaults show: trunc(value x 100) on the trackbars (0.01f x 100 is a hair
  // below 1, 0.13f x 100 below 13, 0.32f x 100 below 32) and "%.2f" in the edits.
  const std::vector<ValueShown> kDefaultsShown = {
      {FIRESTORM_RAMP_END_VALUE, 0, "0.01"},
      {FIRESTORM_CROSSFADE_START_VALUE, 12, "0.13"},
      {FIRESTORM_CROSSFADE_END_VALUE, 23, "0.23"},
      {FIRESTORM_HOT_SPOT_END_VALUE, 31, "0.32"},
      {FIRESTORM_FADE_START_VALUE, 93, "0.93"},
      {FIRESTORM_EDGE_VALUE, 20, "20"},
      {FIRESTORM_SHARE_VALUE, 40, "0.40"},
      {FIRESTORM_VARIATION_VALUE, 0, "0.00"},
      {FIRESTORM_SPEED_VALUE, 2, "2"},
  };
};

TEST_F(FirestormDialogTest, TemplateTextsAndDefaults) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "火焰");
  const std::pair<int32_t, const char*> texts[] = {
      {IDOK, "确定"},
      {FIRESTORM_DEFAULTS_BUTTON, "恢复默认"},
      {FIRESTORM_VISIBLE_HOT_SPOTS, "可见热点"},
      {FIRESTORM_ALL_EDGES, "对热点做所有边缘检测"},
      {FIRESTORM_SHARE_LABEL, "区分HSP/边缘"},
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (int32_t id = FIRESTORM_RAMP_END; id <= FIRESTORM_SPEED; id += 2) {
    if (id == FIRESTORM_ALL_EDGES) continue;
    EXPECT_EQ(d.ClassName(id), "msctls_trackbar32") << id;
    EXPECT_EQ(d.ClassName(id - 1), "Edit") << id - 1;
    EXPECT_FALSE(d.Trackbar(id).vertical);
  }
  // The speed trackbar is the short one.
  const RECT speed = d.ControlRect(FIRESTORM_SPEED);
  const RECT edge = d.ControlRect(FIRESTORM_EDGE);
  EXPECT_LT(speed.right - speed.left, (edge.right - edge.left) / 3);

  ExpectShown(d, kDefaultsShown);
  ExpectShareEnabled(d, true);
  EXPECT_TRUE(ClientIsDialogUnits(d.dialog(), 322, 222));
  CloseWithOk(d);
}

// A scroll message from a control that is no trackbar changes nothing.
TEST_F(FirestormDialogTest, ScrollFromAnotherControlIsIgnored) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  const FirestormParams before = Block();
  d.Send(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 9),
         reinterpret_cast<LPARAM>(GetDlgItem(d.dialog(), FIRESTORM_ALL_EDGES)));
  const FirestormParams after = Block();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  CloseWithOk(d);
}

TEST_F(FirestormDialogTest, AllEdgesDisablesTheShare) {
  FirestormParams p;
  WriteFirestormDefaults(&p);
  p.allEdgeDetection = 7;  // any nonzero value counts as set
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_TRUE(d.IsChecked(FIRESTORM_ALL_EDGES));
  ExpectShareEnabled(d, false);
  d.Click(FIRESTORM_ALL_EDGES);
  EXPECT_EQ(Block().allEdgeDetection, 0);
  ExpectShareEnabled(d, true);
  d.Click(FIRESTORM_ALL_EDGES);
  EXPECT_EQ(Block().allEdgeDetection, 1);
  ExpectShareEnabled(d, false);
  CloseWithOk(d);
}

TEST_F(FirestormDialogTest, DefaultsButtonClearsTheReservedBytesAndEnablesTheShare) {
  FirestormParams p;
  WriteFirestormDefaults(&p);
  p.allEdgeDetection = 1;
  p.hotSpotShare = 0.7f;  // a hair below 0.7: the trackbar shows 69
  p.reserved[10] = 0x42;
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Trackbar(FIRESTORM_SHARE).position, 69);
  EXPECT_EQ(d.Text(FIRESTORM_SHARE_VALUE), "0.70");
  ExpectShareEnabled(d, false);

  d.Click(FIRESTORM_DEFAULTS_BUTTON);
  FirestormParams defaults;
  WriteFirestormDefaults(&defaults);
  const FirestormParams now = Block();
  EXPECT_EQ(std::memcmp(&now, &defaults, sizeof now), 0) << "all 140 bytes, reserved ones too";
  ExpectShown(d, kDefaultsShown);
  ExpectShareEnabled(d, true);
  CloseWithOk(d);
}

TEST_F(FirestormDialogTest, TheCloseBoxDoesNotClose) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Send(WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(d.Flush());
  EXPECT_FALSE(d.closed());
  EXPECT_TRUE(IsWindowVisible(d.dialog()));
  CloseWithOk(d);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
