// The character rain's settings dialog: every control edits the host's record at once;
// OK and Escape only end the dialog.
#include <windows.h>
// The common controls header needs <windows.h> first.
#include <commctrl.h>

#include "chars_dialog.h"
#include "chars_ids.h"
#include "chars_params.h"
#include "dialog_kit.h"

namespace zk {
namespace {

constexpr uint32_t kPercentRange = 0x640000;     // 0 to 100
constexpr uint32_t kBrightnessRange = 0xFF0000;  // 0 to 255
constexpr uint32_t kCellSizeRange = (3333u << 16) | 100u;
constexpr int32_t kCoarseStep = 10;  // page size and tic frequency of the 0..100 trackbars
constexpr int32_t kFineStep = 1;     // the same for the cell sizes

// Swatch rectangles in window pixels (frame included), beside the two colour buttons.
constexpr RECT kBackgroundSwatch = {102, 57, 122, 77};
constexpr RECT kForegroundSwatch = {102, 82, 122, 102};

// The 0..1 settings shown as the value x 100, truncated.
struct PercentSetting {
  int32_t trackbar;
  int32_t label;
  float CharsParams::*field;
  bool timed;  // one of the three timing values, kept in order
  CharsTiming timing;
};

const PercentSetting kPercentSettings[] = {
    {CHARS_RECREATION, CHARS_RECREATION_LABEL, &CharsParams::recreationRatio, false,
     CharsTiming::DimOutEnd},
    {CHARS_DECREASE, CHARS_DECREASE_LABEL, &CharsParams::decreaseFactor, false,
     CharsTiming::DimOutEnd},
    {CHARS_DIM_OUT, CHARS_DIM_OUT_LABEL, &CharsParams::dimOutEnd, true, CharsTiming::DimOutEnd},
    {CHARS_BLEND_BRIGHTNESS, CHARS_BLEND_BRIGHTNESS_LABEL, &CharsParams::blendBrightnessStart, true,
     CharsTiming::BlendBrightnessStart},
    {CHARS_BLEND_SCENE_B, CHARS_BLEND_SCENE_B_LABEL, &CharsParams::blendSceneBStart, true,
     CharsTiming::BlendSceneBStart},
};

// The cell sizes, shown as percent with two decimals.
struct CellSizeSetting {
  int32_t trackbar;
  int32_t label;
  uint16_t CharsParams::*field;
};

const CellSizeSetting kCellSizeSettings[] = {
    {CHARS_COLUMN_SIZE, CHARS_COLUMN_SIZE_LABEL, &CharsParams::columnSize},
    {CHARS_ROW_SIZE, CHARS_ROW_SIZE_LABEL, &CharsParams::rowSize},
};

// The map buttons and the charMap value each stands for.
struct MapButton {
  int32_t id;
  int32_t charMap;
};

const MapButton kMapButtons[] = {
    {CHARS_MAP_TYPEWRITER_10X16, 2}, {CHARS_MAP_TYPEWRITER_14X20, 3}, {CHARS_MAP_SIGNS_10X14, 4},
    {CHARS_MAP_BOLD_10X14, 0},       {CHARS_MAP_BOLD_18X26, 1},       {CHARS_MAP_SIGNS_16X20, 5},
};

int32_t Percent(float value) { return static_cast<int32_t>(static_cast<double>(value) * 100); }

float CellSizePercent(uint16_t size) { return static_cast<float>(size / 100.0); }

int32_t MapButtonFor(int32_t charMap) {
  for (const MapButton& b : kMapButtons) {
    if (b.charMap == charMap) return b.id;
  }
  return CHARS_MAP_TYPEWRITER_10X16;  // any unknown map renders as this one
}

void ShowSettings(HWND dialog, const CharsParams& p) {
  CheckRadioButton(dialog, CHARS_MAP_TYPEWRITER_10X16, CHARS_MAP_SIGNS_16X20,
                   MapButtonFor(p.charMap));
  CheckRadioButton(dialog, CHARS_USE_CHAR_SIZE, CHARS_FIXED_RATIO,
                   p.fixedRatio != 0 ? CHARS_FIXED_RATIO : CHARS_USE_CHAR_SIZE);
  CheckDlgButton(dialog, CHARS_SLOW_DOWN, p.slowDown != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, CHARS_RANDOMIZE, p.randomizeChars != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, CHARS_GLOW, p.applyGlow != 0 ? BST_CHECKED : BST_UNCHECKED);
  for (const PercentSetting& s : kPercentSettings) {
    const int32_t shown = Percent(p.*s.field);
    showIntLabel(dialog, s.label, shown);
    initTrackbar(GetDlgItem(dialog, s.trackbar), kPercentRange, shown, kCoarseStep, kCoarseStep);
  }
  const int32_t floor = static_cast<int32_t>(p.minBrightness);
  showIntLabel(dialog, CHARS_MIN_BRIGHTNESS_LABEL, floor);
  initTrackbar(GetDlgItem(dialog, CHARS_MIN_BRIGHTNESS), kBrightnessRange, floor, kCoarseStep,
               kCoarseStep);
  for (const CellSizeSetting& s : kCellSizeSettings) {
    showFloatLabel(dialog, s.label, CellSizePercent(p.*s.field));
    initTrackbar(GetDlgItem(dialog, s.trackbar), kCellSizeRange, p.*s.field, kFineStep, kFineStep);
  }
}

void PaintSwatches(HWND dialog, const CharsParams& p) {
  HDC dc = GetWindowDC(dialog);
  const RECT& b = kBackgroundSwatch;
  const RECT& f = kForegroundSwatch;
  paintSwatch(dc, b.left, b.top, b.right, b.bottom, p.backgroundColor);
  paintSwatch(dc, f.left, f.top, f.right, f.bottom, p.foregroundColor);
  ReleaseDC(dialog, dc);
}

// A trackbar moved: store the value, keep the timing in order, refresh the value label.
// A trackbar reports its position again when the thumb is let go (and on a click that
// does not move it); a position the field already shows leaves the field alone, so a
// corrected timing value (0.39000002 shown as 39) or a value between two positions (0.7f
// shown as 69) is not rounded to the trackbar's step by the notification.
INT_PTR OnScroll(HWND dialog, CharsParams* p, HWND control) {
  for (const PercentSetting& s : kPercentSettings) {
    HWND trackbar = GetDlgItem(dialog, s.trackbar);
    if (control != trackbar) continue;
    const int32_t position = readTrackbar(trackbar);
    if (position == Percent(p->*s.field)) return 1;
    p->*s.field = static_cast<float>(position) / 100.0f;
    if (s.timed && KeepCharsTimingOrder(p, s.timing)) {
      SendMessageA(trackbar, TBM_SETPOS, TRUE, Percent(p->*s.field));
    }
    showIntLabel(dialog, s.label, Percent(p->*s.field));
    return 1;
  }
  HWND brightness = GetDlgItem(dialog, CHARS_MIN_BRIGHTNESS);
  if (control == brightness) {
    const int32_t position = readTrackbar(brightness);
    if (position == static_cast<int32_t>(p->minBrightness)) return 1;
    p->minBrightness = static_cast<float>(position);
    showIntLabel(dialog, CHARS_MIN_BRIGHTNESS_LABEL, static_cast<int32_t>(p->minBrightness));
    return 1;
  }
  for (const CellSizeSetting& s : kCellSizeSettings) {
    HWND trackbar = GetDlgItem(dialog, s.trackbar);
    if (control != trackbar) continue;
    p->*s.field = static_cast<uint16_t>(readTrackbar(trackbar));
    showFloatLabel(dialog, s.label, CellSizePercent(p->*s.field));
    return 1;
  }
  return 0;
}

INT_PTR CALLBACK CharsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR OnCommand(HWND dialog, CharsParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, id);
      return 1;
    case CHARS_BACKGROUND_BUTTON:
      return pickColour(dialog, &p->backgroundColor);
    case CHARS_FOREGROUND_BUTTON:
      return pickColour(dialog, &p->foregroundColor);
    case CHARS_DEFAULTS_BUTTON:
      WriteCharsDefaults(p);
      CharsDialogProc(dialog, WM_INITDIALOG, 0, 0);
      UpdateWindow(dialog);
      CharsDialogProc(dialog, WM_PAINT, 0, 0);
      return 0;
    default:
      break;
  }
  if (code != BN_CLICKED) return 0;
  const uint8_t checked = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
  switch (id) {
    case CHARS_SLOW_DOWN:
      p->slowDown = checked;
      return 0;
    case CHARS_RANDOMIZE:
      p->randomizeChars = checked;
      return 0;
    case CHARS_GLOW:
      p->applyGlow = checked;
      return 0;
    case CHARS_USE_CHAR_SIZE:
    case CHARS_FIXED_RATIO:
      CheckRadioButton(dialog, CHARS_USE_CHAR_SIZE, CHARS_FIXED_RATIO, id);
      p->fixedRatio = id == CHARS_FIXED_RATIO ? 1 : 0;
      return 0;
    default:
      break;
  }
  for (const MapButton& b : kMapButtons) {
    if (b.id != id) continue;
    CheckRadioButton(dialog, CHARS_MAP_TYPEWRITER_10X16, CHARS_MAP_SIGNS_16X20, id);
    p->charMap = b.charMap;
  }
  return 0;
}

INT_PTR CALLBACK CharsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CharsParams* p = EditedBlockAs<CharsParams>();
  if (p == nullptr) {
    // No record to edit: the controls stay blank, and OK or Escape still close the dialog.
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return 0;
    EndDialog(dialog, LOWORD(wParam));
    return 1;
  }
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, *p);
      return 0;
    case WM_HSCROLL:
      return OnScroll(dialog, p, reinterpret_cast<HWND>(lParam));
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

}  // namespace

int32_t RunCharsDialog(const ConfigureRequest& request) {
  return openSettingsDialog(request, CHARS_DIALOG, CharsDialogProc);
}

}  // namespace zk
