// Twister's settings dialog: every control edits the host's record at once; OK, Escape and
// the close box only end the dialog.
#include <windows.h>

#include "dialog_kit.h"
#include "twister_dialog.h"
#include "twister_ids.h"
#include "twister_params.h"

namespace zk {
namespace {

constexpr uint32_t kTurnTimeRange = 0x640000;  // 0 to 100
constexpr int32_t kTurnTimePage = 10;
constexpr int32_t kTurnTimeTics = 10;

// Swatch rectangles in window pixels (frame included), beside the two colour buttons.
constexpr RECT kBackgroundSwatch = {93, 32, 113, 52};
constexpr RECT kSpecialSwatch = {222, 100, 242, 120};

// A 0..1 setting as the trackbar shows it: the value times 100, truncated.
int32_t TurnTimeTicks(float turnTime) {
  return static_cast<int32_t>(static_cast<double>(turnTime) * 100);
}

void ShowSettings(HWND dialog, const TwisterParams& p) {
  CheckRadioButton(dialog, TWISTER_BEND_180, TWISTER_BEND_540,
                   p.bendDegrees == 180 ? TWISTER_BEND_180 : TWISTER_BEND_540);
  int32_t shading = TWISTER_SHADE_NONE;
  if (p.shadingMode == kTwisterShadeToBackground) shading = TWISTER_SHADE_BACKGROUND;
  if (p.shadingMode == kTwisterShadeToSpecial) shading = TWISTER_SHADE_SPECIAL;
  CheckRadioButton(dialog, TWISTER_SHADE_BACKGROUND, TWISTER_SHADE_NONE, shading);
  const int32_t ticks = TurnTimeTicks(p.turnTime);
  initTrackbar(GetDlgItem(dialog, TWISTER_TURN_TIME), kTurnTimeRange, ticks, kTurnTimePage,
               kTurnTimeTics);
  showIntLabel(dialog, TWISTER_TURN_TIME_LABEL, ticks);
}

void PaintSwatches(HWND dialog, const TwisterParams& p) {
  HDC dc = GetWindowDC(dialog);
  const RECT& b = kBackgroundSwatch;
  const RECT& s = kSpecialSwatch;
  paintSwatch(dc, b.left, b.top, b.right, b.bottom, p.backgroundColour);
  paintSwatch(dc, s.left, s.top, s.right, s.bottom, p.specialColour);
  ReleaseDC(dialog, dc);
}

INT_PTR OnCommand(HWND dialog, TwisterParams* p, int32_t id, int32_t code);

INT_PTR CALLBACK TwisterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  TwisterParams* p = EditedBlockAs<TwisterParams>();
  if (p == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, *p);
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, TWISTER_TURN_TIME)) return 0;
      p->turnTime = static_cast<float>(readTrackbar(reinterpret_cast<HWND>(lParam)) / 100.0);
      showIntLabel(dialog, TWISTER_TURN_TIME_LABEL, TurnTimeTicks(p->turnTime));
      UpdateWindow(dialog);
      return 1;
    case WM_COMMAND:
      return OnCommand(dialog, p, LOWORD(wParam), HIWORD(wParam));
    case WM_PAINT:
      PaintSwatches(dialog, *p);
      return 0;  // the default painting follows
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONUP:
      return 1;
    default:
      return 0;
  }
}

INT_PTR OnCommand(HWND dialog, TwisterParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, id);
      return 1;
    case TWISTER_BACKGROUND_BUTTON:
      return pickColour(dialog, &p->backgroundColour);
    case TWISTER_SPECIAL_BUTTON:
      return pickColour(dialog, &p->specialColour);
    case TWISTER_DEFAULTS_BUTTON:
      WriteTwisterDefaults(p);
      TwisterDialogProc(dialog, WM_INITDIALOG, 0, 0);
      UpdateWindow(dialog);
      TwisterDialogProc(dialog, WM_PAINT, 0, 0);
      return 0;
    default:
      break;
  }
  if (code != 0) return 0;  // radio buttons act on the click alone
  switch (id) {
    case TWISTER_BEND_180:
      p->bendDegrees = 180;
      break;
    case TWISTER_BEND_540:
      p->bendDegrees = 540;
      break;
    case TWISTER_SHADE_BACKGROUND:
      p->shadingMode = kTwisterShadeToBackground;
      break;
    case TWISTER_SHADE_SPECIAL:
      p->shadingMode = kTwisterShadeToSpecial;
      break;
    case TWISTER_SHADE_NONE:
      p->shadingMode = kTwisterNoShading;
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

int32_t ConfigureTwister(const ConfigureRequest& request) {
  return openSettingsDialog(request, TWISTER_DIALOG, TwisterDialogProc);
}

}  // namespace zk
