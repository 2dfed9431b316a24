// The character rain's settings dialog, live under the dialog driver: every control, the
// timing rule, the swatches, "Set Defaults" and the ways the dialog closes.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chars_ids.h"
#include "chars_params.h"
#include "dialog_driver.h"
#include "test_support.h"

namespace zk::test {
namespace {

// Pixels inside the two swatches, in window coordinates (frame included).
constexpr POINT kBackgroundSwatchPixel = {112, 67};
constexpr POINT kForegroundSwatchPixel = {112, 92};

// The pixel once the dialog has painted it (the first paint may still be on its way when
// the dialog turns idle): waits up to two seconds for `expected`, then gives what is there.
COLORREF WindowPixel(HWND window, POINT at, COLORREF expected) {
  COLORREF c = CLR_INVALID;
  for (int32_t attempt = 0; attempt < 40; ++attempt) {
    HDC dc = GetWindowDC(window);
    c = GetPixel(dc, at.x, at.y);
    ReleaseDC(window, dc);
    if (c == expected) break;
    Sleep(50);
  }
  return c;
}

uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

struct Bar {
  int32_t id;
  int32_t minimum, maximum, page;
};
const Bar kBars[] = {
    {CHARS_RECREATION, 0, 100, 10},       {CHARS_MIN_BRIGHTNESS, 0, 255, 10},
    {CHARS_DECREASE, 0, 100, 10},         {CHARS_DIM_OUT, 0, 100, 10},
    {CHARS_BLEND_BRIGHTNESS, 0, 100, 10}, {CHARS_BLEND_SCENE_B, 0, 100, 10},
    {CHARS_COLUMN_SIZE, 100, 3333, 1},    {CHARS_ROW_SIZE, 100, 3333, 1},
};

class CharsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("chars", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  void Use(const CharsParams& p) { std::memcpy(effect_.params.data(), &p, sizeof p); }
  CharsParams Block() const { return BlockAs<CharsParams>(effect_); }

  // Every control shows the defaults (values worked out from the default record).
  void ExpectDefaultsShown(DialogDriver& d) {
    const std::pair<int32_t, const char*> values[] = {
        {CHARS_RECREATION_LABEL, "15"},       {CHARS_MIN_BRIGHTNESS_LABEL, "50"},
        {CHARS_DECREASE_LABEL, "86"},         {CHARS_DIM_OUT_LABEL, "11"},
        {CHARS_BLEND_BRIGHTNESS_LABEL, "40"}, {CHARS_BLEND_SCENE_B_LABEL, "85"},
        {CHARS_COLUMN_SIZE_LABEL, "2.00"},    {CHARS_ROW_SIZE_LABEL, "4.00"},
    };
    for (const auto& v : values) EXPECT_EQ(d.Text(v.first), v.second) << v.first;
    const int32_t positions[] = {15, 50, 86, 11, 40, 85, 200, 400};
    for (size_t i = 0; i < 8; ++i) {
      EXPECT_EQ(d.Trackbar(kBars[i].id).position, positions[i]) << kBars[i].id;
    }
    EXPECT_TRUE(d.IsChecked(CHARS_MAP_TYPEWRITER_10X16));
    for (int32_t id = CHARS_MAP_TYPEWRITER_14X20; id <= CHARS_MAP_SIGNS_16X20; ++id)
      EXPECT_FALSE(d.IsChecked(id)) << id;
    EXPECT_TRUE(d.IsChecked(CHARS_FIXED_RATIO));
    EXPECT_FALSE(d.IsChecked(CHARS_USE_CHAR_SIZE));
    EXPECT_FALSE(d.IsChecked(CHARS_SLOW_DOWN));
    EXPECT_FALSE(d.IsChecked(CHARS_RANDOMIZE));
    EXPECT_FALSE(d.IsChecked(CHARS_GLOW));
  }

  HostedEffect effect_;
};

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
  };
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_FALSE(d.Exists(IDCANCEL));
  for (const Bar& b : kBars) {
    EXPECT_EQ(d.ClassName(b.id), "msctls_trackbar32") << b.id;
    const TrackbarState s = d.Trackbar(b.id);
    EXPECT_EQ(s.minimum, b.minimum) << b.id;
    EXPECT_EQ(s.maximum, b.maximum) << b.id;
    EXPECT_EQ(s.pageSize, b.page) << b.id;
    EXPECT_FALSE(s.vertical) << b.id;
  }
  EXPECT_EQ(d.ClassName(CHARS_DIM_OUT_LABEL), "Edit");
  ExpectDefaultsShown(d);

  // 382 x 255 dialog units in "MS Sans Serif" 8.
  RECT units = {0, 0, 382, 255};
  MapDialogRect(d.dialog(), &units);
  RECT client;
  GetClientRect(d.dialog(), &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(d.Send(WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
}

TEST_F(CharsDialogTest, DimOutPastTheBrightnessStartIsPulledBack) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CHARS_DIM_OUT, 100);
  EXPECT_EQ(FloatBits(Block().dimOutEnd), FloatBits(0.39000002f));  // 0.4 - 0.01 in floats
  EXPECT_EQ(d.Trackbar(CHARS_DIM_OUT).position, 39);
  EXPECT_EQ(d.Text(CHARS_DIM_OUT_LABEL), "39");
  // A value in order is taken as it is.
  d.MoveTrackbar(CHARS_DIM_OUT, 20);
  EXPECT_EQ(FloatBits(Block().dimOutEnd), FloatBits(0.2f));
  EXPECT_EQ(d.Text(CHARS_DIM_OUT_LABEL), "20");
  d.PressEscape();
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(FloatBits(Block().dimOutEnd), FloatBits(0.2f));  // no undo
}

TEST_F(CharsDialogTest, SceneBStartBelowTheOthersIsRaisedAboveBoth) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  // 0 is raised to 0.12 + 0.01 = 0.13, then above the brightness start to 0.41.
  d.MoveTrackbar(CHARS_BLEND_SCENE_B, 0);
  EXPECT_EQ(FloatBits(Block().blendSceneBStart), FloatBits(0.41f));
  EXPECT_EQ(d.Text(CHARS_BLEND_SCENE_B_LABEL), "40");
  EXPECT_EQ(d.Trackbar(CHARS_BLEND_SCENE_B).position, 40);
  // The brightness start moved up to it is pulled back below it: 0.41 - 0.01.
  d.MoveTrackbar(CHARS_BLEND_BRIGHTNESS, 90);
  EXPECT_EQ(FloatBits(Block().blendBrightnessStart), FloatBits(0.4f));
  EXPECT_EQ(d.Text(CHARS_BLEND_BRIGHTNESS_LABEL), "40");
  // Moved below the dim-out end it is raised above it: 0.12 + 0.01 in floats is
  // 0.129999995, which truncates to 12 on the trackbar and in the edit.
  d.MoveTrackbar(CHARS_BLEND_BRIGHTNESS, 5);
  EXPECT_EQ(FloatBits(Block().blendBrightnessStart), FloatBits(0.12999999523f));
  EXPECT_EQ(d.Text(CHARS_BLEND_BRIGHTNESS_LABEL), "12");
  EXPECT_EQ(d.Trackbar(CHARS_BLEND_BRIGHTNESS).position, 12);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(CharsDialogTest, OtherTrackbarsStoreTheirPositions) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CHARS_RECREATION, 33);
  EXPECT_EQ(FloatBits(Block().recreationRatio), FloatBits(0.33f));
  EXPECT_EQ(d.Text(CHARS_RECREATION_LABEL), "33");
  d.MoveTrackbar(CHARS_MIN_BRIGHTNESS, 200);
  EXPECT_EQ(Block().minBrightness, 200.0f);
  EXPECT_EQ(d.Text(CHARS_MIN_BRIGHTNESS_LABEL), "200");
  // 0.7f lies a hair below 0.7: the edit shows 69.
  d.MoveTrackbar(CHARS_DECREASE, 70);
  EXPECT_EQ(FloatBits(Block().decreaseFactor), FloatBits(0.7f));
  EXPECT_EQ(d.Text(CHARS_DECREASE_LABEL), "69");
  // Letting go of the thumb at the position shown keeps the value between two positions.
  d.MoveTrackbar(CHARS_DECREASE, 69);
  EXPECT_EQ(FloatBits(Block().decreaseFactor), FloatBits(0.7f));
  d.MoveTrackbar(CHARS_COLUMN_SIZE, 1234);
  EXPECT_EQ(Block().columnSize, 1234);
  EXPECT_EQ(d.Text(CHARS_COLUMN_SIZE_LABEL), "12.34");
  d.MoveTrackbar(CHARS_ROW_SIZE, 100);
  EXPECT_EQ(Block().rowSize, 100);
  EXPECT_EQ(d.Text(CHARS_ROW_SIZE_LABEL), "1.00");
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(CharsDialogTest, ButtonsSetFlagsMapAndSizing) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(CHARS_SLOW_DOWN);
  d.Click(CHARS_GLOW);
  EXPECT_EQ(Block().slowDown, 1);
  EXPECT_EQ(Block().applyGlow, 1);
  EXPECT_EQ(Block().randomizeChars, 0);
  d.Click(CHARS_RANDOMIZE);
  d.Click(CHARS_GLOW);
  EXPECT_EQ(Block().randomizeChars, 1);
  EXPECT_EQ(Block().applyGlow, 0);
  const std::pair<int32_t, int32_t> maps[] = {
      {CHARS_MAP_BOLD_10X14, 0},  {CHARS_MAP_BOLD_18X26, 1},  {CHARS_MAP_TYPEWRITER_14X20, 3},
      {CHARS_MAP_SIGNS_10X14, 4}, {CHARS_MAP_SIGNS_16X20, 5}, {CHARS_MAP_TYPEWRITER_10X16, 2},
  };
  for (const auto& m : maps) {
    d.Click(m.first);
    EXPECT_EQ(Block().charMap, m.second);
    for (int32_t id = CHARS_MAP_TYPEWRITER_10X16; id <= CHARS_MAP_SIGNS_16X20; ++id)
      EXPECT_EQ(d.IsChecked(id), id == m.first) << id;
  }
  d.Click(CHARS_USE_CHAR_SIZE);
  EXPECT_EQ(Block().fixedRatio, 0);
  EXPECT_FALSE(d.IsChecked(CHARS_FIXED_RATIO));
  d.Click(CHARS_FIXED_RATIO);
  EXPECT_EQ(Block().fixedRatio, 1);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(CharsDialogTest, UnknownMapChecksTheFirstButtonAndKeepsItsValue) {
  CharsParams p = CharsDefaults();
  p.charMap = 7;
  p.fixedRatio = 0;
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_TRUE(d.IsChecked(CHARS_MAP_TYPEWRITER_10X16));
  EXPECT_TRUE(d.IsChecked(CHARS_USE_CHAR_SIZE));
  d.MoveTrackbar(CHARS_RECREATION, 50);
  EXPECT_EQ(Block().charMap, 7);
  d.Click(CHARS_MAP_SIGNS_10X14);
  EXPECT_EQ(Block().charMap, 4);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(CharsDialogTest, ColourButtonsAndSwatches) {
  CharsParams p = CharsDefaults();
  p.backgroundColor = 0x0000FF;
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(WindowPixel(d.dialog(), kBackgroundSwatchPixel, 0x0000FFu), 0x0000FFu);
  EXPECT_EQ(WindowPixel(d.dialog(), kForegroundSwatchPixel, 0x0088FF88u), 0x0088FF88u);
  ASSERT_TRUE(d.PickColour(CHARS_FOREGROUND_BUTTON, 0x20C040));
  EXPECT_EQ(Block().foregroundColor, 0x20C040u);
  EXPECT_EQ(WindowPixel(d.dialog(), kForegroundSwatchPixel, 0x20C040u), 0x20C040u);
  ASSERT_TRUE(d.CancelColour(CHARS_BACKGROUND_BUTTON));
  EXPECT_EQ(Block().backgroundColor, 0x0000FFu);
  EXPECT_EQ(WindowPixel(d.dialog(), kBackgroundSwatchPixel, 0x0000FFu), 0x0000FFu);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(CharsDialogTest, SetDefaultsRestoresEveryFieldAndControl) {
  CharsParams p = CharsDefaults();
  p.buildUpShare = 0.9f;  // no control shows it
  p.backgroundColor = 0x00FF00;
  p.charMap = 5;
  p.applyGlow = 1;
  p.fixedRatio = 0;
  p.rowSize = 3000;
  p.padding15 = 0x5A;
  p.padding49[0] = 0x5B;
  Use(p);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CHARS_DIM_OUT, 30);
  d.Click(CHARS_SLOW_DOWN);
  d.Click(CHARS_DEFAULTS_BUTTON);
  const CharsParams now = Block();
  CharsParams want = CharsDefaults();
  want.padding15 = 0x5A;
  want.padding49[0] = 0x5B;
  EXPECT_EQ(0, std::memcmp(&want, &now, sizeof want));
  ExpectDefaultsShown(d);
  EXPECT_EQ(WindowPixel(d.dialog(), kBackgroundSwatchPixel, 0x000000u), 0x000000u);
  d.PressEscape();
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
