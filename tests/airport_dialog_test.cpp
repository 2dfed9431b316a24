// The split-flap board's settings dialog, live under the dialog driver: its template, the
// value edits beside their trackbars, and the defaults button clearing the unused bytes.
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

// Each value edit, followed by its trackbar.
const int32_t kEdits[] = {AIRPORT_BORDER_VERTICAL_LABEL, AIRPORT_BORDER_HORIZONTAL_LABEL,
                          AIRPORT_GAP_VERTICAL_LABEL,    AIRPORT_GAP_HORIZONTAL_LABEL,
                          AIRPORT_TILES_DOWN_LABEL,      AIRPORT_TILES_ACROSS_LABEL,
                          AIRPORT_FRAMES_PER_FLIP_LABEL, AIRPORT_ANGLE_SPREAD_LABEL,
                          AIRPORT_FLAP_SHADING_LABEL,    AIRPORT_VIEWER_DISTANCE_LABEL};

ZK_MODULE_DIALOG_TEST(AirportDialogTest, AirportParams, "airport");

TEST_F(AirportDialogTest, TemplateAndValueEdits) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "机场");
  EXPECT_EQ(d.Text(AIRPORT_DEFAULTS_BUTTON), "恢复默认");
  EXPECT_EQ(d.Text(IDOK), "确定");
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (int32_t edit : kEdits) {
    EXPECT_EQ(d.ClassName(edit), "Edit") << edit;
    EXPECT_EQ(d.ClassName(edit + 1), "msctls_trackbar32") << edit + 1;
    EXPECT_FALSE(d.Trackbar(edit + 1).vertical);
  }
  // 338 x 226 dialog units; the edits and trackbars of one setting share a line and the ten
  // lines go down in order.
  EXPECT_EQ(d.ClientSize().cx, d.UnitsToPixels(338, 226).cx);
  EXPECT_EQ(d.ClientSize().cy, d.UnitsToPixels(338, 226).cy);
  for (size_t i = 1; i < 10; ++i) {
    EXPECT_GT(d.ControlRect(kEdits[i]).top, d.ControlRect(kEdits[i - 1]).top);
  }
  CloseWithOk(d);
  EXPECT_EQ(d.result(), 1);
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
  CloseWithOk(d);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
