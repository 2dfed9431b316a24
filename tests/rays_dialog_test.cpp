// The rays settings dialog, live under the dialog driver, beyond what its settings table
// gives every dialog: the trackbars' own values, the density spinner, the painted graph with
// and without bars, the light-source box and the click that places the light source, and
// "Abbrechen" keeping the edits.
#if defined(_WIN32)

#include <windows.h>
// The trackbar and up-down messages come with the common controls.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "firestorm_rays_test_support.h"
#include "module_dialog_test.h"
#include "rays_ids.h"
#include "rays_panel.h"
#include "rays_params.h"
#include "test_support.h"

namespace zk::test {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

// Has the dialog and its controls handle every pending paint now: a flush returns once the
// posted messages are handled, and paint messages come only after those.
void PaintNow(DialogDriver& d) {
  RedrawWindow(d.dialog(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

COLORREF WindowPixel(HWND window, int32_t x, int32_t y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

class RaysDialogTest : public ModuleDialogTest<RaysParams> {
 protected:
  RaysDialogTest() : ModuleDialogTest("rays") {}

  // Straight threshold lines, so the graph's pixels can be worked out by hand.
  void UseStraightLines() { Use(RaysStraightLines()); }

  static LRESULT SpinMessage(DialogDriver& d, UINT message, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageA(GetDlgItem(d.dialog(), RAYS_DENSITY_SPIN), message, w, l);
  }

  // A press and release on the upper or lower half of the spinner, as the mouse makes it.
  static void ClickSpin(DialogDriver& d, bool upper) {
    HWND spin = GetDlgItem(d.dialog(), RAYS_DENSITY_SPIN);
    RECT r;
    GetClientRect(spin, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, upper ? r.bottom / 4 : r.bottom * 3 / 4);
    PostMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(spin, WM_LBUTTONUP, 0, at);
    d.Flush();
  }
};

TEST_F(RaysDialogTest, TemplateTextsAndControlsFromDefaults) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  EXPECT_EQ(d.Title(), "Rays");
  const std::pair<int32_t, const char*> texts[] = {
      {IDOK, "OK"}, {IDCANCEL, "Abbrechen"}, {RAYS_COLOUR_BUTTON, "Color"}};
  for (const auto& t : texts) EXPECT_EQ(d.Text(t.first), t.second) << t.first;

  const int32_t horizontal[] = {RAYS_SWITCH, RAYS_RISE_EXPONENT, RAYS_FALL_EXPONENT};
  const int32_t vertical[] = {RAYS_RISE_LEVEL, RAYS_FALL_LEVEL};
  for (int32_t id : horizontal) EXPECT_FALSE(d.Trackbar(id).vertical) << id;
  for (int32_t id : vertical) EXPECT_TRUE(d.Trackbar(id).vertical) << id;
  // Defaults: switch 0.5, levels 0.333 (shown from the top: 100 - 33), exponents 5.
  EXPECT_EQ(d.Trackbar(RAYS_SWITCH).position, 50);
  EXPECT_EQ(d.Trackbar(RAYS_RISE_LEVEL).position, 67);
  EXPECT_EQ(d.Trackbar(RAYS_FALL_LEVEL).position, 67);
  EXPECT_EQ(d.Trackbar(RAYS_RISE_EXPONENT).position, 2);
  EXPECT_EQ(d.Trackbar(RAYS_FALL_EXPONENT).position, 2);
  const std::pair<int32_t, const char*> values[] = {
      {RAYS_SWITCH_VALUE, "50"},       {RAYS_RISE_LEVEL_VALUE, "33"},
      {RAYS_FALL_LEVEL_VALUE, "33"},   {RAYS_RISE_EXPONENT_VALUE, "2"},
      {RAYS_FALL_EXPONENT_VALUE, "2"}, {RAYS_DENSITY_VALUE, "10"}};
  for (const auto& v : values) EXPECT_EQ(d.Text(v.first), v.second) << v.first;

  // The spinner: upper end 0, lower end 255, at the density, decimal, on edit 113.
  EXPECT_EQ(d.ClassName(RAYS_DENSITY_SPIN), "msctls_updown32");
  const LRESULT range = SpinMessage(d, UDM_GETRANGE);
  EXPECT_EQ(LOWORD(range), 0);
  EXPECT_EQ(HIWORD(range), 255);
  EXPECT_EQ(LOWORD(SpinMessage(d, UDM_GETPOS)), 10);
  EXPECT_EQ(SpinMessage(d, UDM_GETBASE), 10);
  EXPECT_EQ(reinterpret_cast<HWND>(SpinMessage(d, UDM_GETBUDDY)),
            GetDlgItem(d.dialog(), RAYS_DENSITY_VALUE));

  EXPECT_TRUE(ClientIsDialogUnits(d.dialog(), 312, 221));
  CloseWithOk(d);
}

TEST_F(RaysDialogTest, TrackbarsSpinnerAndCancelKeepingTheEdits) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  d.MoveTrackbar(RAYS_SWITCH, 30);
  d.MoveTrackbar(RAYS_RISE_EXPONENT, 7);
  // The up arrow goes toward the upper end, 0: it lowers the density.
  ClickSpin(d, true);
  EXPECT_EQ(Block().density, 9);
  EXPECT_EQ(d.Text(RAYS_DENSITY_VALUE), "9");
  ClickSpin(d, false);
  ClickSpin(d, false);
  EXPECT_EQ(Block().density, 11);
  EXPECT_EQ(d.Text(RAYS_DENSITY_VALUE), "11");

  // A scroll message from something that is neither trackbar nor spinner is not ours.
  const RaysParams before = Block();
  d.Send(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 3),
         reinterpret_cast<LPARAM>(GetDlgItem(d.dialog(), RAYS_COLOUR_BUTTON)));
  const RaysParams after = Block();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);

  d.Click(IDCANCEL);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 1);  // the configure call answers 1 whatever closed the dialog
  EXPECT_EQ(Bits(Block().switchPoint), Bits(0.3f));
  EXPECT_EQ(Block().riseExponent, 15);
  EXPECT_EQ(Block().density, 11);
}

TEST_F(RaysDialogTest, GraphWithoutBars) {
  UseStraightLines();
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_, 0));
  PaintNow(d);
  const HWND w = d.dialog();
  // The graph area's outline, the part outlines, the red curves.
  EXPECT_EQ(WindowPixel(w, 77, 150), kBlack);
  EXPECT_EQ(WindowPixel(w, 396, 150), kBlack);
  EXPECT_EQ(WindowPixel(w, 85, 150), kWhite);
  EXPECT_EQ(WindowPixel(w, 93, 150), kBlack);   // rise part, left side
  EXPECT_EQ(WindowPixel(w, 236, 150), kBlack);  // where the two parts meet
  EXPECT_EQ(WindowPixel(w, 165, 138), kRed);    // half way up the rise line
  EXPECT_EQ(WindowPixel(w, 308, 138), kRed);    // half way down the fall line
  EXPECT_EQ(WindowPixel(w, 200, 138), kWhite);  // where a bar's top would be
  // A trackbar move draws the graph again at once: the switch at a quarter moves the parts'
  // common side from 236 to 93 + 288 / 4 - 1.
  d.MoveTrackbar(RAYS_SWITCH, 25);
  EXPECT_EQ(WindowPixel(w, 164, 150), kBlack);
  EXPECT_EQ(WindowPixel(w, 236, 150), kWhite);
  CloseWithOk(d);
}

TEST_F(RaysDialogTest, GraphWithSeveralBars) {
  UseStraightLines();
  for (int32_t bars : {4, 7}) {
    DialogDriver d;
    ASSERT_TRUE(d.Open(effect_, bars));
    PaintNow(d);
    const HWND w = d.dialog();
    RaysParams p = Block();
    for (int32_t i = 1; i < bars; ++i) {
      const PanelRect r = GraphBar(p, i, bars);
      const int32_t mid = (r.left + r.right) / 2;
      EXPECT_EQ(WindowPixel(w, mid, r.top), kBlue) << bars << " bars, bar " << i;
      EXPECT_EQ(WindowPixel(w, r.left, (r.top + r.bottom) / 2), kBlue) << i;
    }
    // Four bars: the second one's top is half way up, 138, the third one full height.
    if (bars == 4) {
      EXPECT_EQ(WindowPixel(w, 200, 138), kBlue);
      EXPECT_EQ(WindowPixel(w, 270, 80), kBlue);
      EXPECT_EQ(WindowPixel(w, 200, 160), kWhite);  // hollow
    }
    CloseWithOk(d);
  }
}

TEST_F(RaysDialogTest, ClickInTheLightSourceBoxPlacesTheLight) {
  DialogDriver d;
  ASSERT_TRUE(d.Open(effect_));
  PaintNow(d);
  const HWND w = d.dialog();
  // The cross of the defaults, at (280, 324) in the box from (230, 284).
  EXPECT_EQ(WindowPixel(w, 280, 340), kBlack);
  EXPECT_EQ(WindowPixel(w, 240, 324), kBlack);
  EXPECT_EQ(WindowPixel(w, 250, 300), kWhite);

  // Window pixel (250, 300) is client pixel (248, 278): light at 20 %, 80 %.
  d.Send(WM_LBUTTONUP, 0, MAKELPARAM(248, 278));
  EXPECT_EQ(Block().lightX, 20.0f);
  EXPECT_EQ(Block().lightY, 80.0f);
  EXPECT_EQ(WindowPixel(w, 250, 340), kBlack);  // the new cross, drawn at once
  EXPECT_EQ(WindowPixel(w, 300, 300), kBlack);
  EXPECT_EQ(WindowPixel(w, 280, 340), kWhite);  // the old one is gone
  EXPECT_EQ(WindowPixel(w, 240, 324), kWhite);

  // A click outside the box changes nothing.
  d.Send(WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  d.Send(WM_LBUTTONUP, 0, MAKELPARAM(329, 300));
  EXPECT_EQ(Block().lightX, 20.0f);
  EXPECT_EQ(Block().lightY, 80.0f);

  // A real click (button down and up) in the corner.
  PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(328, 342));
  PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(328, 342));
  ASSERT_TRUE(d.Flush());
  EXPECT_EQ(Block().lightX, 100.0f);
  EXPECT_EQ(Block().lightY, 0.0f);
  d.Click(IDCANCEL);
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(Block().lightX, 100.0f);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
