// The split-flap board's settings dialog, live under the dialog driver: its template, the
// value edits as hand-worked text, and the defaults button clearing the unused bytes.
// Showing and writing every trackbar is the table-driven dialog test's part.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <cstring>

#include "airport_ids.h"
#include "airport_params.h"
#include "module_dialog_test.h"
#include "test_support.h"

namespace zk::test {
namespace {

struct Setting {
  int32_t edit;  // its trackbar is the next id
  const char* shownAtDefault;
  int32_t moveTo;
  const char* shownAfterMove;
};

const Setting kSettings[] = {
    {AIRPORT_BORDER_VERTICAL_LABEL, "5", 40, "40"},
    {AIRPORT_BORDER_HORIZONTAL_LABEL, "5", 0, "0"},
    {AIRPORT_GAP_VERTICAL_LABEL, "2.00", 37, "3.70"},
    {AIRPORT_GAP_HORIZONTAL_LABEL, "1.00", 100, "10.00"},
    {AIRPORT_TILES_DOWN_LABEL, "4", 25, "25"},
    {AIRPORT_TILES_ACROSS_LABEL, "6", 1, "1"},
    {AIRPORT_FRAMES_PER_FLIP_LABEL, "8", 50, "50"},
    {AIRPORT_ANGLE_SPREAD_LABEL, "30", 12, "12"},
    {AIRPORT_FLAP_SHADING_LABEL, "35", 99, "99"},
    {AIRPORT_VIEWER_DISTANCE_LABEL, "340", 999, "999"},
};

class AirportDialogTest : public ModuleDialogTest<AirportParams> {
 protected:
  AirportDialogTest() : ModuleDialogTest("airport") {}
};

TEST_F(AirportDialogTest, TemplateAndValueEdits) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "机场");
  EXPECT_EQ(d.Text(AIRPORT_DEFAULTS_BUTTON), "恢复默认");
  EXPECT_EQ(d.Text(IDOK), "确定");
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (const Setting& s : kSettings) {
    EXPECT_EQ(d.ClassName(s.edit), "Edit") << s.edit;
    EXPECT_EQ(d.ClassName(s.edit + 1), "msctls_trackbar32") << s.edit + 1;
    EXPECT_FALSE(d.Trackbar(s.edit + 1).vertical);
    EXPECT_EQ(d.Text(s.edit), s.shownAtDefault) << s.edit;
    d.MoveTrackbar(s.edit + 1, s.moveTo);
    EXPECT_EQ(d.Text(s.edit), s.shownAfterMove) << s.edit;
  }
  // 338 x 226 dialog units; the edits and trackbars of one setting share a line and the ten
  // lines go down in order.
  EXPECT_EQ(d.ClientSize().cx, d.UnitsToPixels(338, 226).cx);
  EXPECT_EQ(d.ClientSize().cy, d.UnitsToPixels(338, 226).cy);
  for (size_t i = 1; i < 10; ++i) {
    EXPECT_GT(d.ControlRect(kSettings[i].edit).top, d.ControlRect(kSettings[i - 1].edit).top);
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(999, BlockAs<AirportParams>(effect_).viewerDistance);  // no undo
}

// The defaults button zeroes the whole record before writing the defaults.
TEST_F(AirportDialogTest, DefaultsButtonClearsTheUnusedBytes) {
  AirportParams p = AirportDefaults();
  p.tilesDown = 9;
  p.padding9[1] = 0x66;
  p.reserved[7] = 0x77;
  std::memcpy(effect_.params.data(), &p, sizeof p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(AIRPORT_DEFAULTS_BUTTON);
  const AirportParams now = BlockAs<AirportParams>(effect_);
  const AirportParams want = AirportDefaults();
  EXPECT_EQ(0, std::memcmp(&want, &now, sizeof want));
  EXPECT_EQ(d.Text(AIRPORT_TILES_DOWN_LABEL), "4");
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
