// The "Options for Logo" settings dialog, live under the dialog driver: the template, the
// four layer groups (check boxes, lists, Start and End trackbars, enabling), the mask and
// background choices with both file choosers and the colour swatch, Impact, the presets,
// "Reset Defaults" and closing.
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

#include "dialog_driver.h"
#include "logo_ids.h"
#include "logo_layer_controls.h"
#include "logo_params.h"
#include "test_support.h"

namespace zk::test {
namespace {

uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

std::string TwoDecimals(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

int32_t Hundredths(float v) { return static_cast<int32_t>(static_cast<double>(v) * 100); }

const LayerControls* const kGroups = kLayerControls;

const char* const kMotionNames[17] = {
    "[no motion]",          "front - top",    "front - top/right",   "front - right",
    "front - bottom/right", "front - bottom", "front - bottom/left", "front - left",
    "front - top/left",     "back - top",     "back - top/right",    "back - right",
    "back - bottom/right",  "back - bottom",  "back - bottom/left",  "back - left",
    "back - top/left"};
const char* const kRotationNames[7] = {"[no rotation]", "pattern #1", "pattern #2", "pattern #3",
                                       "pattern #4",    "pattern #5", "pattern #6"};

// The controls of layer k that follow its "use this" box.
std::vector<int32_t> GroupedControls(int32_t k) {
  const LayerControls& g = kGroups[k];
  std::vector<int32_t> ids = {g.dissolve, g.alternate,  g.motion, g.rotation,
                              g.start,    g.startLabel, g.end,    g.endLabel};
  for (int32_t j = 0; j < kCaptionsPerLayer; ++j) ids.push_back(CaptionId(k, j));
  return ids;
}

class LogoDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenBuiltEffect("logo", &effect_)); }
  void TearDown() override { CloseEffect(&effect_); }

  LogoParams& Edit() { return *reinterpret_cast<LogoParams*>(effect_.params.data()); }
  LogoParams Block() const { return BlockAs<LogoParams>(effect_); }

  // The colour in the middle of the hidden static the swatch is painted over.
  static COLORREF SwatchColour(DialogDriver& d) {
    RECT window, place;
    GetWindowRect(d.dialog(), &window);
    GetWindowRect(GetDlgItem(d.dialog(), LOGO_SWATCH), &place);
    return d.WindowPixel({(place.left + place.right) / 2 - window.left,
                          (place.top + place.bottom) / 2 - window.top});
  }

  void ExpectControlsShow(DialogDriver& d, const LogoParams& p) {
    for (int32_t k = 0; k < 4; ++k) {
      const LayerControls& g = kGroups[k];
      const LayerSettings& s = p.layers[k];
      EXPECT_EQ(d.IsChecked(g.use), s.useLayer != 0) << k;
      for (int32_t id : GroupedControls(k)) EXPECT_EQ(d.IsEnabled(id), s.useLayer != 0) << id;
      EXPECT_TRUE(d.IsEnabled(g.use));
      EXPECT_EQ(d.IsChecked(g.dissolve), s.dissolve != 0) << k;
      EXPECT_EQ(d.IsChecked(g.alternate), s.alternateBack != 0) << k;
      EXPECT_EQ(d.ComboSelection(g.motion), s.motion >= 0 && s.motion < 17 ? s.motion : -1) << k;
      EXPECT_EQ(d.ComboSelection(g.rotation), s.rotation >= 0 && s.rotation < 7 ? s.rotation : -1)
          << k;
      EXPECT_EQ(d.Trackbar(g.start).position, Hundredths(s.start)) << k;
      EXPECT_EQ(d.Text(g.startLabel), TwoDecimals(s.start)) << k;
      EXPECT_EQ(d.Trackbar(g.end).position, Hundredths(s.end)) << k;
      EXPECT_EQ(d.Text(g.endLabel), TwoDecimals(s.end)) << k;
    }
    EXPECT_EQ(d.IsChecked(LOGO_MASK_INTERNAL), p.maskSource != 1);
    EXPECT_EQ(d.IsChecked(LOGO_MASK_FILE), p.maskSource == 1);
    EXPECT_EQ(d.IsEnabled(LOGO_MASK_SELECT), p.maskSource == 1);
    EXPECT_EQ(d.Text(LOGO_MASK_PATH), std::string(p.maskFile, strnlen(p.maskFile, 259)));
    const int32_t radios[4] = {LOGO_BACKGROUND_COLOUR, LOGO_BACKGROUND_BITMAP,
                               LOGO_BACKGROUND_SCENE_A, LOGO_BACKGROUND_SCENE_B};
    for (int32_t type = 0; type < 4; ++type) {
      EXPECT_EQ(d.IsChecked(radios[type]),
                type == (p.backgroundType >= 0 && p.backgroundType < 4 ? p.backgroundType : 0))
          << type;
    }
    EXPECT_EQ(d.IsEnabled(LOGO_COLOUR_SELECT), p.backgroundType == 0);
    EXPECT_EQ(d.IsEnabled(LOGO_BITMAP_SELECT), p.backgroundType == 1);
    EXPECT_EQ(d.Text(LOGO_BITMAP_PATH),
              std::string(p.backgroundFile, strnlen(p.backgroundFile, 299)));
    EXPECT_EQ(d.Trackbar(LOGO_IMPACT).position, Hundredths(p.impact));
    EXPECT_EQ(d.Text(LOGO_IMPACT_LABEL), std::to_string(Hundredths(p.impact)));
    EXPECT_EQ(SwatchColour(d), p.backgroundColor);
  }

  HostedEffect effect_;
};

TEST_F(LogoDialogTest, TemplateAndInitialStateFromDefaults) {
  Edit().backgroundColor = 0x2060A0;  // a swatch that shows
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Options for Logo");
  EXPECT_EQ(d.FontFace(), "MS Sans Serif");
  const SIZE size = d.UnitsToPixels(432, 316);
  EXPECT_EQ(d.ClientSize().cx, size.cx);
  EXPECT_EQ(d.ClientSize().cy, size.cy);
  std::vector<std::pair<int32_t, std::string>> texts = {
      {IDOK, "OK"},
      {LOGO_RESET_DEFAULTS, "Reset Defaults"},
      {LOGO_MASK_INTERNAL, "internal default mask"},
      {LOGO_MASK_FILE, "monochrom Bitmap-file"},
      {LOGO_MASK_SELECT, "select"},
      {LOGO_BACKGROUND_COLOUR, "Color"},
      {LOGO_BACKGROUND_BITMAP, "Bitmap"},
      {LOGO_BACKGROUND_SCENE_A, "Scene A"},
      {LOGO_BACKGROUND_SCENE_B, "Scene B"},
      {LOGO_COLOUR_SELECT, "select"},
      {LOGO_BITMAP_SELECT, "select"},
  };
  const char* const captions[4] = {"Motion", "Rotation", "Start", "End"};
  for (int32_t k = 0; k < 4; ++k) {
    texts.push_back({kGroups[k].use, "use this"});
    texts.push_back({kGroups[k].dissolve, "dissolve"});
    texts.push_back({kGroups[k].alternate, "alternate back"});
    for (int32_t j = 0; j < 4; ++j) texts.push_back({CaptionId(k, j), captions[j]});
  }
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;
  EXPECT_FALSE(d.Exists(IDCANCEL));
  EXPECT_TRUE(d.Exists(LOGO_SWATCH));
  EXPECT_FALSE(d.IsVisible(LOGO_SWATCH));
  for (int32_t k = 0; k < 4; ++k) {
    for (int32_t id : {kGroups[k].start, kGroups[k].end}) {
      EXPECT_EQ(d.ClassName(id), "msctls_trackbar32");
      const TrackbarState s = d.Trackbar(id);
      EXPECT_EQ(s.minimum, 0);
      EXPECT_EQ(s.maximum, 100);
      EXPECT_EQ(s.pageSize, 10);
      EXPECT_EQ(s.ticFrequency, 10);
    }
    EXPECT_EQ(d.ComboItems(kGroups[k].motion),
              std::vector<std::string>(kMotionNames, kMotionNames + 17));
    EXPECT_EQ(d.ComboItems(kGroups[k].rotation),
              std::vector<std::string>(kRotationNames, kRotationNames + 7));
  }
  const TrackbarState impact = d.Trackbar(LOGO_IMPACT);
  EXPECT_EQ(impact.maximum, 100);
  EXPECT_EQ(impact.pageSize, 1);
  EXPECT_EQ(impact.ticFrequency, 1);
  ExpectControlsShow(d, Block());
  // 0.9 is 0.89999998 as a float: the trackbar one step low, the label rounded.
  EXPECT_EQ(d.Trackbar(LOGO_ABG_END).position, 89);
  EXPECT_EQ(d.Text(LOGO_ABG_END_LABEL), "0.90");
  EXPECT_EQ(d.Trackbar(LOGO_AFG_END).position, 40);
  EXPECT_EQ(d.ComboSelection(LOGO_BBG_MOTION), 15);
  EXPECT_EQ(d.Text(LOGO_IMPACT_LABEL), "50");
  EXPECT_EQ(d.ComboItems(LOGO_PRESETS),
            std::vector<std::string>({"massive motion", "rotation", "dissolve"}));
  EXPECT_EQ(d.ComboSelection(LOGO_PRESETS), 0);
  EXPECT_FALSE(IsWindowEnabled(d.owner()));
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
}

TEST_F(LogoDialogTest, TrackbarsStoreAtOnceWithTheirLabels) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  // Impact 20 stores 20 * 0.01f = 0.19999999, whose integer label reads 19; 50 is 0.5.
  d.MoveTrackbar(LOGO_IMPACT, 20);
  EXPECT_EQ(FloatBits(Block().impact), FloatBits(0.19999999f));
  EXPECT_EQ(d.Text(LOGO_IMPACT_LABEL), "19");
  d.MoveTrackbar(LOGO_IMPACT, 50);
  EXPECT_EQ(Block().impact, 0.5f);
  EXPECT_EQ(d.Text(LOGO_IMPACT_LABEL), "50");
  for (int32_t k = 0; k < 4; ++k) {
    const int32_t start = 3 + 11 * k;
    const int32_t end = 97 - 13 * k;
    d.MoveTrackbar(kGroups[k].start, start);
    d.MoveTrackbar(kGroups[k].end, end);
    const LayerSettings s = Block().layers[k];
    EXPECT_EQ(FloatBits(s.start), FloatBits(static_cast<float>(start * double{0.01f}))) << k;
    EXPECT_EQ(FloatBits(s.end), FloatBits(static_cast<float>(end * double{0.01f}))) << k;
    EXPECT_EQ(d.Text(kGroups[k].startLabel), TwoDecimals(s.start)) << k;
    EXPECT_EQ(d.Text(kGroups[k].endLabel), TwoDecimals(s.end)) << k;
  }
  EXPECT_EQ(d.Text(LOGO_AFG_START_LABEL), "0.03");
  EXPECT_EQ(d.Text(LOGO_BBG_END_LABEL), "0.58");
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(Block().layers[3].start, static_cast<float>(36 * double{0.01f}));
}

TEST_F(LogoDialogTest, LayerChecksListsAndEnabling) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  for (int32_t k = 0; k < 4; ++k) {
    const LayerControls& g = kGroups[k];
    d.SelectCombo(g.motion, 16 - k);
    d.SelectCombo(g.rotation, 6 - k);
    d.Click(g.dissolve);
    d.Click(g.alternate);
    LayerSettings s = Block().layers[k];
    EXPECT_EQ(s.motion, 16 - k);
    EXPECT_EQ(s.rotation, 6 - k);
    EXPECT_EQ(s.dissolve, 1);
    EXPECT_EQ(s.alternateBack, 1);
    // "use this" off greys the rest of the group but keeps its settings.
    d.Click(g.use);
    s = Block().layers[k];
    EXPECT_EQ(s.useLayer, 0);
    EXPECT_EQ(s.motion, 16 - k);
    EXPECT_EQ(s.dissolve, 1);
    ExpectControlsShow(d, Block());
  }
  for (int32_t k = 0; k < 4; ++k) {
    d.Click(kGroups[k].use);
    EXPECT_EQ(Block().layers[k].useLayer, 1);
    d.Click(kGroups[k].alternate);
    EXPECT_EQ(Block().layers[k].alternateBack, 0);
  }
  ExpectControlsShow(d, Block());
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(LogoDialogTest, MaskAndBackgroundChoicesWithTheirEnabling) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(LOGO_MASK_FILE);
  EXPECT_EQ(Block().maskSource, 1);
  EXPECT_TRUE(d.IsEnabled(LOGO_MASK_SELECT));
  d.Click(LOGO_MASK_INTERNAL);
  EXPECT_EQ(Block().maskSource, 0);
  EXPECT_FALSE(d.IsEnabled(LOGO_MASK_SELECT));
  const int32_t radios[4] = {LOGO_BACKGROUND_COLOUR, LOGO_BACKGROUND_BITMAP,
                             LOGO_BACKGROUND_SCENE_A, LOGO_BACKGROUND_SCENE_B};
  for (int32_t type : {3, 1, 2, 0}) {
    d.Click(radios[type]);
    EXPECT_EQ(Block().backgroundType, type);
    EXPECT_EQ(d.IsEnabled(LOGO_COLOUR_SELECT), type == 0);
    EXPECT_EQ(d.IsEnabled(LOGO_BITMAP_SELECT), type == 1);
  }
  ASSERT_TRUE(d.PickColour(LOGO_COLOUR_SELECT, 0x3366CC));
  EXPECT_EQ(Block().backgroundColor, 0x3366CCu);
  EXPECT_EQ(SwatchColour(d), 0x3366CCu);
  ASSERT_TRUE(d.CancelColour(LOGO_COLOUR_SELECT));
  EXPECT_EQ(Block().backgroundColor, 0x3366CCu);
  EXPECT_EQ(SwatchColour(d), 0x3366CCu);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(LogoDialogTest, BothFileChoosersWriteThePathIntoTheRecord) {
  // The chooser takes backslashes only.
  std::string path = TempPath("logo_dialog_pick.bmp");
  std::replace(path.begin(), path.end(), '/', '\\');
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("BM", f);
  std::fclose(f);
  char before[MAX_PATH] = {0}, after[MAX_PATH] = {0};
  GetCurrentDirectoryA(MAX_PATH, before);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.Click(LOGO_MASK_FILE);
  ASSERT_TRUE(d.PickFile(LOGO_MASK_SELECT, path));
  const std::string mask = Block().maskFile;
  EXPECT_NE(mask.find("logo_dialog_pick.bmp"), std::string::npos) << mask;
  EXPECT_EQ(d.Text(LOGO_MASK_PATH), mask);
  EXPECT_EQ(Block().backgroundFile[0], '\0');
  d.Click(LOGO_BACKGROUND_BITMAP);
  ASSERT_TRUE(d.PickFile(LOGO_BITMAP_SELECT, path));
  EXPECT_EQ(std::string(Block().backgroundFile), mask);
  EXPECT_EQ(d.Text(LOGO_BITMAP_PATH), mask);
  ASSERT_TRUE(d.CancelFile(LOGO_BITMAP_SELECT));
  EXPECT_EQ(std::string(Block().backgroundFile), mask);
  // The host's current directory stays where it was.
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(before, after);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  std::remove(path.c_str());
}

TEST_F(LogoDialogTest, PresetsAndResetDefaultsRefreshEveryControl) {
  Edit().maskSource = 1;
  std::strcpy(Edit().maskFile, "C:\\masks\\mine.bmp");
  Edit().backgroundColor = 0x00FF00;
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.SelectCombo(LOGO_PRESETS, 2);  // "dissolve"
  LogoParams want;
  ApplyLogoPreset(&want, 2);
  LogoParams got = Block();
  EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
  // The preset overwrote the mask and background choices too.
  EXPECT_EQ(got.maskSource, 0);
  EXPECT_EQ(got.maskFile[0], '\0');
  EXPECT_EQ(got.backgroundType, kBackgroundSceneB);
  ExpectControlsShow(d, got);
  EXPECT_EQ(d.ComboSelection(LOGO_PRESETS), 2);
  d.SelectCombo(LOGO_PRESETS, 1);
  ApplyLogoPreset(&want, 1);
  got = Block();
  EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
  ExpectControlsShow(d, got);
  // "Reset Defaults" always gives the first preset and leaves the list as it was.
  d.Click(LOGO_RESET_DEFAULTS);
  ApplyLogoPreset(&want, 0);
  got = Block();
  EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
  ExpectControlsShow(d, got);
  EXPECT_EQ(d.ComboSelection(LOGO_PRESETS), 1);
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(LogoDialogTest, OpensOnWhatTheRecordHolds) {
  LogoParams& p = Edit();
  p.layers[1].useLayer = 0;
  p.layers[2].motion = 40;  // no such entry: nothing selected
  p.layers[3].rotation = 5;
  p.layers[0].start = 0.7f;  // 0.69999999: trackbar 69, label 0.70
  p.impact = 0.29f;          // 0.28999999: 28
  p.backgroundType = kBackgroundBitmap;
  std::memset(p.backgroundFile, 'b', sizeof p.backgroundFile);  // no terminator
  p.maskSource = 1;
  std::memset(p.maskFile, 'm', sizeof p.maskFile);
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  ExpectControlsShow(d, Block());
  EXPECT_EQ(d.Trackbar(LOGO_AFG_START).position, 69);
  EXPECT_EQ(d.Text(LOGO_AFG_START_LABEL), "0.70");
  EXPECT_EQ(d.Text(LOGO_IMPACT_LABEL), "28");
  EXPECT_EQ(d.ComboSelection(LOGO_BFG_MOTION), -1);
  EXPECT_EQ(d.Text(LOGO_BITMAP_PATH).size(), 299u);
  EXPECT_EQ(d.Text(LOGO_MASK_PATH).size(), 259u);
  EXPECT_FALSE(d.IsEnabled(LOGO_ABG_END));
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
}

TEST_F(LogoDialogTest, OnlyOkCloses) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(LOGO_AFG_START, 12);
  d.PressEscape();
  EXPECT_FALSE(d.closed());
  d.Click(IDOK);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);
  EXPECT_EQ(Block().layers[0].start, static_cast<float>(12 * double{0.01f}));
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
