// The split-flap board's settings dialog, live under the dialog driver: the ten trackbars
// with their ranges and value edits, the defaults button and the ways the dialog closes.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "airport_ids.h"
#include "airport_params.h"
#include "dialog_driver.h"
#include "test_support.h"

namespace zk::test {
namespace {

struct Setting {
  int32_t edit;
  int32_t minimum, maximum;
  const char* shownAtDefault;
  int32_t moveTo;
  const char* shownAfterMove;
};

// Trackbars are the edits' ids + 1.
const Setting kSettings[] = {
    {AIRPORT_BORDER_VERTICAL_LABEL, 0, 40, "5", 40, "40"},
    {AIRPORT_BORDER_HORIZONTAL_LABEL, 0, 40, "5", 0, "0"},
    {AIRPORT_GAP_VERTICAL_LABEL, 0, 100, "2.00", 37, "3.70"},
    {AIRPORT_GAP_HORIZONTAL_LABEL, 0, 100, "1.00", 100, "10.00"},
    {AIRPORT_TILES_DOWN_LABEL, 1, 25, "4", 25, "25"},
    {AIRPORT_TILES_ACROSS_LABEL, 1, 25, "6", 1, "1"},
    {AIRPORT_FRAMES_PER_FLIP_LABEL, 1, 50, "8", 50, "50"},
    {AIRPORT_ANGLE_SPREAD_LABEL, 0, 40, "30", 12, "12"},
    {AIRPORT_FLAP_SHADING_LABEL, 0, 100, "35", 99, "99"},
    {AIRPORT_VIEWER_DISTANCE_LABEL, 250, 1000, "340", 999, "999"},
};

class AirportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("airport", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }
  AirportParams Block() const { return BlockAs<AirportParams>(effect_); }

  void ExpectDefaultsShown(DialogDriver& d) {
    const AirportParams p = AirportDefaults();
    const int32_t positions[] = {
        p.borderVertical, p.borderHorizontal, p.gapVertical, p.gapHorizontal, p.tilesDown,
        p.tilesAcross,    p.framesPerFlip,    p.angleSpread, p.flapShading,   p.viewerDistance};
    for (size_t i = 0; i < 10; ++i) {
      const Setting& s = kSettings[i];
      EXPECT_EQ(d.Text(s.edit), s.shownAtDefault) << s.edit;
      EXPECT_EQ(d.Trackbar(s.edit + 1).position, positions[i]) << s.edit + 1;
    }
  }

  HostedEffect effect_;
};

TEST_F(AirportDialogTest, TemplateAndDefaults) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "机场");
  EXPECT_EQ(d.Text(AIRPORT_DEFAULTS_BUTTON), "恢复默认");
  EXPECT_EQ(d.Text(IDOK), "确定");
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (const Setting& s : kSettings) {
    EXPECT_EQ(d.ClassName(s.edit), "Edit") << s.edit;
    EXPECT_EQ(d.ClassName(s.edit + 1), "msctls_trackbar32") << s.edit + 1;
    const TrackbarState bar = d.Trackbar(s.edit + 1);
    EXPECT_EQ(bar.minimum, s.minimum) << s.edit + 1;
    EXPECT_EQ(bar.maximum, s.maximum) << s.edit + 1;
    EXPECT_EQ(bar.pageSize, 10) << s.edit + 1;
    EXPECT_FALSE(bar.vertical);
  }
  ExpectDefaultsShown(d);
  RECT units = {0, 0, 338, 226};
  MapDialogRect(d.dialog(), &units);
  RECT client;
  GetClientRect(d.dialog(), &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  // The edits and trackbars of one setting share a line; the ten lines go down in order.
  for (size_t i = 1; i < 10; ++i) {
    EXPECT_GT(d.ControlRect(kSettings[i].edit).top, d.ControlRect(kSettings[i - 1].edit).top);
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
}

TEST_F(AirportDialogTest, EveryTrackbarStoresItsPosition) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  for (const Setting& s : kSettings) {
    d.MoveTrackbar(s.edit + 1, s.moveTo);
    EXPECT_EQ(d.Text(s.edit), s.shownAfterMove) << s.edit;
  }
  const AirportParams p = Block();
  EXPECT_EQ(40, p.borderVertical);
  EXPECT_EQ(0, p.borderHorizontal);
  EXPECT_EQ(37, p.gapVertical);
  EXPECT_EQ(100, p.gapHorizontal);
  EXPECT_EQ(25, p.tilesDown);
  EXPECT_EQ(1, p.tilesAcross);
  EXPECT_EQ(50, p.framesPerFlip);
  EXPECT_EQ(12, p.angleSpread);
  EXPECT_EQ(99, p.flapShading);
  EXPECT_EQ(999, p.viewerDistance);
  // Nothing else in the record moved.
  const AirportParams d0 = AirportDefaults();
  EXPECT_EQ(0, std::memcmp(d0.padding9, p.padding9, sizeof p.padding9));
  EXPECT_EQ(0, std::memcmp(d0.reserved, p.reserved, sizeof p.reserved));
  d.PressEscape();
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(999, Block().viewerDistance);  // no undo
}

TEST_F(AirportDialogTest, DefaultsButtonRestoresTheRecordAndTheControls) {
  AirportParams p = AirportDefaults();
  p.tilesDown = 9;
  p.viewerDistance = 800;
  p.reserved[7] = 0x77;
  std::memcpy(effect_.params.data(), &p, sizeof p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Text(AIRPORT_TILES_DOWN_LABEL), "9");
  EXPECT_EQ(d.Trackbar(AIRPORT_VIEWER_DISTANCE).position, 800);
  d.MoveTrackbar(AIRPORT_FLAP_SHADING, 3);
  d.Click(AIRPORT_DEFAULTS_BUTTON);
  const AirportParams now = Block();
  const AirportParams want = AirportDefaults();
  EXPECT_EQ(0, std::memcmp(&want, &now, sizeof want));
  ExpectDefaultsShown(d);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
