// The "Cuboids II" settings dialog: every control edits the host's record at once; OK is
// the only way out.
#include <windows.h>
// clang-format off: the common dialogs need <windows.h> first
#include <commdlg.h>
// clang-format on

#include <cstring>

#include "cuboids2_dialog.h"
#include "cuboids2_ids.h"
#include "cuboids2_params.h"
#include "dialog_kit.h"
#include "plugin.h"

namespace zk {
namespace {

// Direction buttons in id order: the direction code each selects and its icon.
struct DirectionButton {
  int32_t code;
  int32_t icon;
};
constexpr DirectionButton kDirections[20] = {{1, 103},  {2, 104},  {3, 105},  {4, 106},  {5, 107},
                                             {6, 108},  {10, 116}, {9, 115},  {8, 114},  {7, 113},
                                             {11, 118}, {12, 117}, {13, 110}, {14, 109}, {15, 112},
                                             {16, 111}, {17, 122}, {18, 119}, {19, 120}, {20, 121}};
constexpr int32_t kDirectionFallbackId = 1037;  // shown for a code without a button
constexpr int32_t kDirectionFallbackCode = 6;

constexpr RECT kSwatch = {147, 470, 167, 490};  // window pixels, frame included

constexpr uint32_t kRange0To100 = 0x640000;
constexpr uint32_t kRange1To100 = 0x640001;
constexpr uint32_t kRange1To200 = 0xC80001;
constexpr uint32_t kRange1To5 = 0x50001;
constexpr float kPositionScale = 0.01f;  // trackbar positions to floats

int32_t DirectionButtonId(int32_t code) {
  for (int32_t j = 0; j < 20; ++j) {
    if (kDirections[j].code == code) return CUBOIDS_DIRECTION_FIRST + j;
  }
  return kDirectionFallbackId;
}

int32_t DirectionCode(int32_t id) {
  const int32_t j = id - CUBOIDS_DIRECTION_FIRST;
  return j >= 0 && j < 20 ? kDirections[j].code : kDirectionFallbackCode;
}

// A float setting as its trackbar and integer label show it: the value times 100, truncated.
int32_t Hundredths(float value) { return static_cast<int32_t>(static_cast<double>(value) * 100); }
float FromPosition(int32_t position) {
  return static_cast<float>(position * static_cast<double>(kPositionScale));
}

void EnableControl(HWND dialog, int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

void ShowRotationEnabling(HWND dialog, const CuboidsParams& p) {
  for (int32_t id = CUBOIDS_PATTERN_FIRST; id <= CUBOIDS_PATTERN_LAST; ++id) {
    EnableControl(dialog, id, p.fixedRotation != 0);
  }
}

void ShowBackgroundEnabling(HWND dialog, const CuboidsParams& p) {
  EnableControl(dialog, CUBOIDS_COLOUR_SELECT, p.backgroundType == 0);
  EnableControl(dialog, CUBOIDS_BITMAP_SELECT, p.backgroundType == 1);
}

// The record's path, terminated inside its buffer whatever the host left there.
const char* BackgroundPath(CuboidsParams* p) {
  if (std::memchr(p->backgroundFile, 0, kCuboidsPathBytes) == nullptr) {
    p->backgroundFile[kCuboidsPathBytes - 1] = '\0';
  }
  return p->backgroundFile;
}

void PaintColourSwatch(HWND dialog, const CuboidsParams& p) {
  HDC dc = GetWindowDC(dialog);
  paintSwatch(dc, kSwatch.left, kSwatch.top, kSwatch.right, kSwatch.bottom, p.backgroundColor);
  ReleaseDC(dialog, dc);
}

void ShowSettings(HWND dialog, CuboidsParams* p) {
  CheckRadioButton(dialog, CUBOIDS_RANDOM_ROTATION, CUBOIDS_FIXED_ROTATION,
                   p->fixedRotation != 0 ? CUBOIDS_FIXED_ROTATION : CUBOIDS_RANDOM_ROTATION);
  const int32_t pattern =
      p->rotationPattern >= 1 && p->rotationPattern <= 5 ? p->rotationPattern : 0;
  CheckRadioButton(dialog, CUBOIDS_PATTERN_FIRST, CUBOIDS_PATTERN_LAST,
                   CUBOIDS_PATTERN_FIRST + pattern);
  CheckDlgButton(dialog, CUBOIDS_INVERSE_Z, p->inverseZ != 0 ? BST_CHECKED : BST_UNCHECKED);
  ShowRotationEnabling(dialog, *p);
  CheckRadioButton(dialog, CUBOIDS_BACKGROUND_COLOUR, CUBOIDS_BACKGROUND_BITMAP,
                   p->backgroundType == 1 ? CUBOIDS_BACKGROUND_BITMAP : CUBOIDS_BACKGROUND_COLOUR);
  ShowBackgroundEnabling(dialog, *p);

  auto track = [&](int32_t id, uint32_t range, int32_t position, int32_t step) {
    initTrackbar(GetDlgItem(dialog, id), range, position, step, step);
  };
  track(CUBOIDS_DEEP, kRange1To200, Hundredths(p->deep), 10);
  showFloatLabel(dialog, CUBOIDS_DEEP_LABEL, p->deep);
  track(CUBOIDS_COLUMNS, kRange1To100, p->columns, 10);
  showIntLabel(dialog, CUBOIDS_COLUMNS_LABEL, p->columns);
  track(CUBOIDS_ROWS, kRange1To100, p->rows, 10);
  showIntLabel(dialog, CUBOIDS_ROWS_LABEL, p->rows);
  track(CUBOIDS_IMPACT, kRange0To100, Hundredths(p->impact), 1);
  showIntLabel(dialog, CUBOIDS_IMPACT_LABEL, Hundredths(p->impact));
  track(CUBOIDS_GLOSS, kRange1To5, p->gloss, 10);
  showIntLabel(dialog, CUBOIDS_GLOSS_LABEL, p->gloss);
  track(CUBOIDS_DURATION, kRange0To100, Hundredths(p->duration), 1);
  showIntLabel(dialog, CUBOIDS_DURATION_LABEL, Hundredths(p->duration));
  track(CUBOIDS_ZMOVE, kRange0To100, Hundredths(p->zMove), 1);
  showIntLabel(dialog, CUBOIDS_ZMOVE_LABEL, Hundredths(p->zMove));

  HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
  for (int32_t j = 0; j < 20; ++j) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kDirections[j].icon));
    SendDlgItemMessageA(dialog, CUBOIDS_DIRECTION_FIRST + j, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(icon));
  }
  CheckRadioButton(dialog, CUBOIDS_DIRECTION_FIRST, CUBOIDS_DIRECTION_LAST,
                   DirectionButtonId(p->direction));
  SetDlgItemTextA(dialog, CUBOIDS_BITMAP_PATH, BackgroundPath(p));
  fillPresetList(dialog, CUBOIDS_PRESETS, kCuboidsFirstPresetString, kCuboidsPresetCount,
                 kCuboidsFirstPresetString + kCuboidsDefaultPreset);
  PaintColourSwatch(dialog, *p);
}

// Trackbars in the order their messages are matched.
INT_PTR OnScroll(HWND dialog, CuboidsParams* p, HWND bar) {
  auto is = [&](int32_t id) { return bar == GetDlgItem(dialog, id); };
  const int32_t position = readTrackbar(bar);
  if (is(CUBOIDS_COLUMNS)) {
    p->columns = position;
    showIntLabel(dialog, CUBOIDS_COLUMNS_LABEL, p->columns);
  } else if (is(CUBOIDS_ROWS)) {
    p->rows = position;
    showIntLabel(dialog, CUBOIDS_ROWS_LABEL, p->rows);
  } else if (is(CUBOIDS_IMPACT)) {
    p->impact = FromPosition(position);
    showIntLabel(dialog, CUBOIDS_IMPACT_LABEL, Hundredths(p->impact));
  } else if (is(CUBOIDS_DURATION)) {
    p->duration = FromPosition(position);
    showIntLabel(dialog, CUBOIDS_DURATION_LABEL, Hundredths(p->duration));
  } else if (is(CUBOIDS_GLOSS)) {
    p->gloss = position;
    showIntLabel(dialog, CUBOIDS_GLOSS_LABEL, p->gloss);
  } else if (is(CUBOIDS_ZMOVE)) {
    p->zMove = FromPosition(position);
    showIntLabel(dialog, CUBOIDS_ZMOVE_LABEL, Hundredths(p->zMove));
  } else if (is(CUBOIDS_DEEP)) {
    p->deep = FromPosition(position);
    showFloatLabel(dialog, CUBOIDS_DEEP_LABEL, p->deep);
  } else {
    return 0;
  }
  UpdateWindow(dialog);
  return 1;
}

// The file chooser writes the chosen path straight into the record's buffer.
void ChooseBackgroundFile(HWND dialog, CuboidsParams* p) {
  char filter[] = "BMP-Files *.bmp  ";
  filter[9] = '\0';
  filter[15] = '\0';
  filter[16] = '\0';
  OPENFILENAMEA ofn;
  std::memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = 76;  // the original record, without the later reserved fields
  ofn.hwndOwner = dialog;
  ofn.hInstance = static_cast<HINSTANCE>(ModuleInstance());
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = const_cast<char*>(BackgroundPath(p));
  ofn.nMaxFile = kCuboidsPathBytes;
  ofn.lpstrDefExt = "*.bmp";
  // OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING, and OFN_NOCHANGEDIR: the
  // chooser must not move the host's current directory, which the host resolves its own
  // relative paths against.
  ofn.Flags = 0x801800 | OFN_NOCHANGEDIR;
  GetOpenFileNameA(&ofn);
  SetDlgItemTextA(dialog, CUBOIDS_BITMAP_PATH, BackgroundPath(p));
  UpdateWindow(dialog);
}

INT_PTR CALLBACK CuboidsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void Reinitialise(HWND dialog) {
  CuboidsDialogProc(dialog, WM_INITDIALOG, 0, 0);
  UpdateWindow(dialog);
}

INT_PTR OnCommand(HWND dialog, CuboidsParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
      EndDialog(dialog, IDOK);
      return 1;
    case CUBOIDS_RESET_DEFAULTS:
      ApplyCuboidsPreset(p, 0);  // "big block", not the host's defaults
      Reinitialise(dialog);
      return 0;
    case CUBOIDS_PRESETS:
      if (code == CBN_SELCHANGE) {
        const LRESULT index = SendDlgItemMessageA(dialog, CUBOIDS_PRESETS, CB_GETCURSEL, 0, 0);
        ApplyCuboidsPreset(p, static_cast<int32_t>(index));
        Reinitialise(dialog);
      }
      return 0;
    case CUBOIDS_COLOUR_SELECT:
      return pickColour(dialog, &p->backgroundColor);
    case CUBOIDS_BITMAP_SELECT:
      ChooseBackgroundFile(dialog, p);
      return 0;
    default:
      break;
  }
  if (code != 0) return 0;  // the buttons below act on the click alone
  if (id >= CUBOIDS_DIRECTION_FIRST && id <= CUBOIDS_DIRECTION_LAST) {
    p->direction = DirectionCode(id);
    Reinitialise(dialog);
  } else if (id == CUBOIDS_RANDOM_ROTATION || id == CUBOIDS_FIXED_ROTATION) {
    p->fixedRotation = id == CUBOIDS_FIXED_ROTATION ? 1 : 0;
    ShowRotationEnabling(dialog, *p);
  } else if (id >= CUBOIDS_PATTERN_FIRST && id <= CUBOIDS_PATTERN_LAST) {
    p->rotationPattern = id - CUBOIDS_PATTERN_FIRST;
  } else if (id == CUBOIDS_BACKGROUND_COLOUR || id == CUBOIDS_BACKGROUND_BITMAP) {
    p->backgroundType = id == CUBOIDS_BACKGROUND_BITMAP ? 1 : 0;
    ShowBackgroundEnabling(dialog, *p);
  } else if (id == CUBOIDS_INVERSE_Z) {
    p->inverseZ = IsDlgButtonChecked(dialog, CUBOIDS_INVERSE_Z) == BST_CHECKED ? 1 : 0;
  }
  return 0;
}

INT_PTR CALLBACK CuboidsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CuboidsParams* p = EditedBlockAs<CuboidsParams>();
  if (p == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, p);
      return 0;
    case WM_HSCROLL:
      return OnScroll(dialog, p, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, p, LOWORD(wParam), HIWORD(wParam));
    case WM_PAINT:
      PaintColourSwatch(dialog, *p);
      return 0;  // the default painting follows
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONUP:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

int32_t ConfigureCuboids(const ConfigureRequest& request) {
  return openSettingsDialog(request, CUBOIDS_DIALOG, CuboidsDialogProc);
}

}  // namespace zk
