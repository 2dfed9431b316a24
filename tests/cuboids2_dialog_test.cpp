// The "Cuboids II" settings dialog, live under the dialog driver: the template, every
// trackbar, radio group, the twenty direction buttons with their icons, the presets,
// "Reset Defaults", the colour and file choosers, and closing.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cuboids2_ids.h"
#include "cuboids2_params.h"
#include "dialog_driver.h"
#include "test_support.h"

namespace zk::test {
namespace {

constexpr POINT kSwatchPixel = {157, 480};  // inside (147, 470)-(167, 490), window pixels

COLORREF WindowPixel(HWND window, POINT at) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, at.x, at.y);
  ReleaseDC(window, dc);
  return c;
}

uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

// The direction buttons in id order 1032..1051: code and icon resource, as the dialog's
// table gives them.
struct DirectionButton {
  int32_t code, icon;
};
const DirectionButton kButtons[20] = {{1, 103},  {2, 104},  {3, 105},  {4, 106},  {5, 107},
                                      {6, 108},  {10, 116}, {9, 115},  {8, 114},  {7, 113},
                                      {11, 118}, {12, 117}, {13, 110}, {14, 109}, {15, 112},
                                      {16, 111}, {17, 122}, {18, 119}, {19, 120}, {20, 121}};

class Cuboids2DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("cuboids2", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  CuboidsParams& Edit() { return *reinterpret_cast<CuboidsParams*>(effect_.params.data()); }
  CuboidsParams Block() const { return BlockAs<CuboidsParams>(effect_); }

  static int32_t Hundredths(float v) { return static_cast<int32_t>(static_cast<double>(v) * 100); }

  void ExpectControlsShow(DialogDriver& d, const CuboidsParams& p) {
    EXPECT_EQ(d.Trackbar(CUBOIDS_COLUMNS).position, p.columns);
    EXPECT_EQ(d.Text(CUBOIDS_COLUMNS_LABEL), std::to_string(p.columns));
    EXPECT_EQ(d.Trackbar(CUBOIDS_ROWS).position, p.rows);
    EXPECT_EQ(d.Text(CUBOIDS_ROWS_LABEL), std::to_string(p.rows));
    // 0.01f is a hair below 0.01: its hundredths truncate to 0, which the trackbar holds
    // at its minimum 1.
    EXPECT_EQ(d.Trackbar(CUBOIDS_DEEP).position, std::max(1, Hundredths(p.deep)));
    char deep[32];
    std::snprintf(deep, sizeof deep, "%.2f", p.deep);
    EXPECT_EQ(d.Text(CUBOIDS_DEEP_LABEL), deep);
    EXPECT_EQ(d.Trackbar(CUBOIDS_DURATION).position, Hundredths(p.duration));
    EXPECT_EQ(d.Text(CUBOIDS_DURATION_LABEL), std::to_string(Hundredths(p.duration)));
    EXPECT_EQ(d.Trackbar(CUBOIDS_ZMOVE).position, Hundredths(p.zMove));
    EXPECT_EQ(d.Text(CUBOIDS_ZMOVE_LABEL), std::to_string(Hundredths(p.zMove)));
    EXPECT_EQ(d.Trackbar(CUBOIDS_IMPACT).position, Hundredths(p.impact));
    EXPECT_EQ(d.Text(CUBOIDS_IMPACT_LABEL), std::to_string(Hundredths(p.impact)));
    EXPECT_EQ(d.Trackbar(CUBOIDS_GLOSS).position, p.gloss);
    EXPECT_EQ(d.Text(CUBOIDS_GLOSS_LABEL), std::to_string(p.gloss));
    EXPECT_EQ(d.IsChecked(CUBOIDS_INVERSE_Z), p.inverseZ != 0);
    EXPECT_EQ(d.IsChecked(CUBOIDS_FIXED_ROTATION), p.fixedRotation != 0);
    EXPECT_EQ(d.IsChecked(CUBOIDS_RANDOM_ROTATION), p.fixedRotation == 0);
    for (int32_t k = 0; k < 6; ++k) {
      EXPECT_EQ(d.IsChecked(CUBOIDS_PATTERN_FIRST + k), k == p.rotationPattern) << k;
      EXPECT_EQ(d.IsEnabled(CUBOIDS_PATTERN_FIRST + k), p.fixedRotation != 0) << k;
    }
    EXPECT_EQ(d.IsChecked(CUBOIDS_BACKGROUND_BITMAP), p.backgroundType == 1);
    EXPECT_EQ(d.IsChecked(CUBOIDS_BACKGROUND_COLOUR), p.backgroundType != 1);
    EXPECT_EQ(d.IsEnabled(CUBOIDS_COLOUR_SELECT), p.backgroundType == 0);
    EXPECT_EQ(d.IsEnabled(CUBOIDS_BITMAP_SELECT), p.backgroundType == 1);
    EXPECT_EQ(d.Text(CUBOIDS_BITMAP_PATH), std::string(p.backgroundFile));
    for (int32_t j = 0; j < 20; ++j) {
      EXPECT_EQ(d.IsChecked(CUBOIDS_DIRECTION_FIRST + j), kButtons[j].code == p.direction) << j;
    }
    EXPECT_EQ(WindowPixel(d.dialog(), kSwatchPixel), p.backgroundColor);
  }

  HostedEffect effect_;
};

TEST_F(Cuboids2DialogTest, TemplateAndInitialStateFromDefaults) {
  Edit().backgroundColor = 0x0000FF;  // a swatch that shows
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
  struct Bar {
    int32_t id, minimum, maximum, page, tics;
  };
  const Bar bars[] = {{CUBOIDS_COLUMNS, 1, 100, 10, 10}, {CUBOIDS_ROWS, 1, 100, 10, 10},
                      {CUBOIDS_DEEP, 1, 200, 10, 10},    {CUBOIDS_DURATION, 0, 100, 1, 1},
                      {CUBOIDS_ZMOVE, 0, 100, 1, 1},     {CUBOIDS_IMPACT, 0, 100, 1, 1},
                      {CUBOIDS_GLOSS, 1, 5, 10, 10}};
  for (const Bar& b : bars) {
    EXPECT_EQ(d.ClassName(b.id), "msctls_trackbar32");
    const TrackbarState s = d.Trackbar(b.id);
    EXPECT_EQ(s.minimum, b.minimum) << b.id;
    EXPECT_EQ(s.maximum, b.maximum) << b.id;
    EXPECT_EQ(s.pageSize, b.page) << b.id;
    if (b.maximum - b.minimum > b.tics) {
      EXPECT_EQ(s.ticFrequency, b.tics) << b.id;
    }
  }
  ExpectControlsShow(d, Block());
  EXPECT_EQ(d.Trackbar(CUBOIDS_DURATION).position, 30);
  EXPECT_EQ(d.Trackbar(CUBOIDS_ZMOVE).position, 20);
  EXPECT_EQ(d.Text(CUBOIDS_DEEP_LABEL), "0.50");
  // The preset list: strings 104..112, showing "wave".
  const std::vector<std::string> names = d.ComboItems(CUBOIDS_PRESETS);
  ASSERT_EQ(names.size(), 9u);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(names[k], kCuboidsPresetNames[k]);
  EXPECT_EQ(d.ComboSelection(CUBOIDS_PRESETS), 3);
  // Every direction button carries its icon, and the icon is our 32 x 32 picture.
  HINSTANCE module = GetModuleHandleA("cuboids2.vfx");
  ASSERT_NE(module, nullptr);
  for (int32_t j = 0; j < 20; ++j) {
    HWND button = GetDlgItem(d.dialog(), CUBOIDS_DIRECTION_FIRST + j);
    EXPECT_NE(GetWindowLongA(button, GWL_STYLE) & BS_ICON, 0) << j;
    HICON shown = reinterpret_cast<HICON>(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0));
    EXPECT_NE(shown, nullptr) << j;
    EXPECT_EQ(shown, LoadIconA(module, MAKEINTRESOURCEA(kButtons[j].icon))) << j;
  }
  EXPECT_FALSE(IsWindowEnabled(d.owner()));
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
}

TEST_F(Cuboids2DialogTest, DirectionOneShowsOnlyDlrPressedAndEveryButtonStoresItsCode) {
  Edit().direction = 1;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  for (int32_t id = CUBOIDS_DIRECTION_FIRST; id <= CUBOIDS_DIRECTION_LAST; ++id) {
    EXPECT_EQ(d.IsChecked(id), id == CUBOIDS_DIRECTION_FIRST) << id;
  }
  for (int32_t j = 19; j >= 0; --j) {
    d.Click(CUBOIDS_DIRECTION_FIRST + j);
    EXPECT_EQ(Block().direction, kButtons[j].code) << j;
    for (int32_t k = 0; k < 20; ++k) EXPECT_EQ(d.IsChecked(CUBOIDS_DIRECTION_FIRST + k), k == j);
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(Cuboids2DialogTest, ACodeWithoutAButtonShowsDco) {
  Edit().direction = 42;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_TRUE(d.IsChecked(1037));
  EXPECT_EQ(Block().direction, 42);  // shown, not stored
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(Cuboids2DialogTest, TrackbarsStoreAtOnceWithTheirLabels) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CUBOIDS_COLUMNS, 37);
  EXPECT_EQ(Block().columns, 37);
  EXPECT_EQ(d.Text(CUBOIDS_COLUMNS_LABEL), "37");
  d.MoveTrackbar(CUBOIDS_ROWS, 100);
  EXPECT_EQ(Block().rows, 100);
  EXPECT_EQ(d.Text(CUBOIDS_ROWS_LABEL), "100");
  d.MoveTrackbar(CUBOIDS_DEEP, 137);
  EXPECT_EQ(FloatBits(Block().deep), FloatBits(static_cast<float>(137 * double{0.01f})));
  EXPECT_EQ(d.Text(CUBOIDS_DEEP_LABEL), "1.37");
  // 29 * 0.01f is stored just below 0.29, so the label shows one less.
  d.MoveTrackbar(CUBOIDS_DURATION, 29);
  EXPECT_EQ(FloatBits(Block().duration), FloatBits(static_cast<float>(29 * double{0.01f})));
  EXPECT_EQ(d.Text(CUBOIDS_DURATION_LABEL), "28");
  d.MoveTrackbar(CUBOIDS_ZMOVE, 0);
  EXPECT_EQ(Block().zMove, 0.0f);
  EXPECT_EQ(d.Text(CUBOIDS_ZMOVE_LABEL), "0");
  d.MoveTrackbar(CUBOIDS_IMPACT, 100);
  EXPECT_EQ(Block().impact, 1.0f);
  EXPECT_EQ(d.Text(CUBOIDS_IMPACT_LABEL), "100");
  for (int32_t g = 1; g <= 5; ++g) {
    d.MoveTrackbar(CUBOIDS_GLOSS, g);
    EXPECT_EQ(Block().gloss, g);
    EXPECT_EQ(d.Text(CUBOIDS_GLOSS_LABEL), std::to_string(g));
  }
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(Block().columns, 37);  // everything stays after OK as well
}

TEST_F(Cuboids2DialogTest, RadiosAndCheckBoxWriteTheirFieldsAndEnabling) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(CUBOIDS_FIXED_ROTATION);
  EXPECT_EQ(Block().fixedRotation, 1);
  for (int32_t id = CUBOIDS_PATTERN_FIRST; id <= CUBOIDS_PATTERN_LAST; ++id)
    EXPECT_TRUE(d.IsEnabled(id));
  for (int32_t k = 5; k >= 0; --k) {
    d.Click(CUBOIDS_PATTERN_FIRST + k);
    EXPECT_EQ(Block().rotationPattern, k);
  }
  d.Click(CUBOIDS_PATTERN_FIRST + 3);
  d.Click(CUBOIDS_RANDOM_ROTATION);
  EXPECT_EQ(Block().fixedRotation, 0);
  EXPECT_EQ(Block().rotationPattern, 3);
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_PATTERN_FIRST));
  d.Click(CUBOIDS_INVERSE_Z);
  EXPECT_EQ(Block().inverseZ, 1);
  d.Click(CUBOIDS_INVERSE_Z);
  EXPECT_EQ(Block().inverseZ, 0);
  d.Click(CUBOIDS_BACKGROUND_BITMAP);
  EXPECT_EQ(Block().backgroundType, 1);
  EXPECT_TRUE(d.IsEnabled(CUBOIDS_BITMAP_SELECT));
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_COLOUR_SELECT));
  d.Click(CUBOIDS_BACKGROUND_COLOUR);
  EXPECT_EQ(Block().backgroundType, 0);
  EXPECT_FALSE(d.IsEnabled(CUBOIDS_BITMAP_SELECT));
  EXPECT_TRUE(d.IsEnabled(CUBOIDS_COLOUR_SELECT));
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(Cuboids2DialogTest, OpensOnWhatTheRecordHolds) {
  CuboidsParams& p = Edit();
  p.columns = 5;
  p.rows = 77;
  p.deep = 0.7f;  // a hair below 0.7: position 69, label "0.70"
  p.fixedRotation = 1;
  p.rotationPattern = 4;
  p.inverseZ = 1;
  p.backgroundType = 1;
  p.backgroundColor = 0x00FF00;
  std::strcpy(p.backgroundFile, "C:\\pictures\\sky.bmp");
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  ExpectControlsShow(d, Block());
  EXPECT_EQ(d.Trackbar(CUBOIDS_DEEP).position, 69);
  EXPECT_EQ(d.Text(CUBOIDS_DEEP_LABEL), "0.70");
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(Cuboids2DialogTest, PresetsApplyAndRefreshEveryControl) {
  Edit().backgroundType = 1;
  std::strcpy(Edit().backgroundFile, "C:\\old.bmp");
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.SelectCombo(CUBOIDS_PRESETS, 7);  // "Brisel 1"
  CuboidsParams want;
  std::memcpy(&want, effect_.params.data(), sizeof want);
  ApplyCuboidsPreset(&want, 7);
  const CuboidsParams got = Block();
  EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
  EXPECT_EQ(got.columns, 1);
  EXPECT_EQ(got.rotationPattern, 1);
  EXPECT_EQ(got.inverseZ, 1);
  EXPECT_EQ(got.backgroundColor, 0x8000FFu);
  EXPECT_EQ(got.backgroundType, 0);
  EXPECT_EQ(got.backgroundFile[0], '\0');
  EXPECT_EQ(d.Trackbar(CUBOIDS_DEEP).position, 1);  // the minimum
  ExpectControlsShow(d, got);
  EXPECT_EQ(d.ComboSelection(CUBOIDS_PRESETS), 7);
  // "Reset Defaults" gives "big block", and the list keeps showing its entry.
  d.Click(CUBOIDS_RESET_DEFAULTS);
  ApplyCuboidsPreset(&want, 0);
  const CuboidsParams reset = Block();
  EXPECT_EQ(std::memcmp(&reset, &want, sizeof reset), 0);
  EXPECT_EQ(reset.direction, 1);
  EXPECT_EQ(reset.duration, 1.0f);
  ExpectControlsShow(d, reset);
  EXPECT_EQ(d.ComboSelection(CUBOIDS_PRESETS), 7);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(Cuboids2DialogTest, ColourChooserEditsTheFieldAndSwatch) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  ASSERT_TRUE(d.PickColour(CUBOIDS_COLOUR_SELECT, 0x3366CC));
  EXPECT_EQ(Block().backgroundColor, 0x3366CCu);
  EXPECT_EQ(WindowPixel(d.dialog(), kSwatchPixel), 0x3366CCu);
  ASSERT_TRUE(d.CancelColour(CUBOIDS_COLOUR_SELECT));
  EXPECT_EQ(Block().backgroundColor, 0x3366CCu);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(Cuboids2DialogTest, FileChooserWritesThePathIntoTheRecord) {
  // The chooser takes backslashes only.
  std::string path = TempPath("cuboids2_dialog_pick.bmp");
  std::replace(path.begin(), path.end(), '/', '\\');
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("BM", f);
  std::fclose(f);
  char before[MAX_PATH] = {0}, after[MAX_PATH] = {0};
  GetCurrentDirectoryA(MAX_PATH, before);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(CUBOIDS_BACKGROUND_BITMAP);
  ASSERT_TRUE(d.PickFile(CUBOIDS_BITMAP_SELECT, path));
  // The host's current directory stays where it was.
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(before, after);
  const std::string stored = Block().backgroundFile;
  EXPECT_NE(stored.find("cuboids2_dialog_pick.bmp"), std::string::npos) << stored;
  EXPECT_EQ(d.Text(CUBOIDS_BITMAP_PATH), stored);
  ASSERT_TRUE(d.CancelFile(CUBOIDS_BITMAP_SELECT));
  EXPECT_EQ(std::string(Block().backgroundFile), stored);
  EXPECT_EQ(d.Text(CUBOIDS_BITMAP_PATH), stored);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  std::remove(path.c_str());
}

TEST_F(Cuboids2DialogTest, OnlyOkCloses) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(CUBOIDS_COLUMNS, 3);
  d.PressEscape();
  EXPECT_FALSE(d.closed());
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(Block().columns, 3);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
