// The "Options for Logo" settings dialog: every control edits the host's record at once;
// OK is the only way out.
#include <windows.h>
// clang-format off: the common dialogs need <windows.h> first
#include <commdlg.h>
// clang-format on

#include <cstring>

#include "dialog_kit.h"
#include "logo_dialog.h"
#include "logo_ids.h"
#include "logo_layer_controls.h"
#include "logo_motion.h"
#include "logo_params.h"
#include "plugin.h"

namespace zk {
namespace {

constexpr uint32_t kRange0To100 = 0x640000;
constexpr float kPositionScale = 0.01f;  // trackbar positions to floats
constexpr int32_t kListTextBytes = 250;

// A float setting as its trackbar and integer label show it: the value times 100, truncated.
int32_t Hundredths(float value) { return static_cast<int32_t>(static_cast<double>(value) * 100); }
float FromPosition(int32_t position) {
  return static_cast<float>(position * static_cast<double>(kPositionScale));
}

void EnableControl(HWND dialog, int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

// A path field of the record, terminated inside its buffer whatever the host left there.
char* RecordPath(char* field, int32_t bytes) {
  if (std::memchr(field, 0, static_cast<size_t>(bytes)) == nullptr) field[bytes - 1] = '\0';
  return field;
}

void ShowLayerEnabling(HWND dialog, int32_t k, bool on) {
  const LayerControls& c = kLayerControls[k];
  const int32_t ids[] = {c.dissolve, c.alternate,  c.motion, c.rotation,
                         c.start,    c.startLabel, c.end,    c.endLabel};
  for (int32_t id : ids) EnableControl(dialog, id, on);
  for (int32_t j = 0; j < kCaptionsPerLayer; ++j) EnableControl(dialog, CaptionId(k, j), on);
}

void ShowBackgroundEnabling(HWND dialog, const LogoParams& p) {
  EnableControl(dialog, LOGO_COLOUR_SELECT, p.backgroundType == kBackgroundColour);
  EnableControl(dialog, LOGO_BITMAP_SELECT, p.backgroundType == kBackgroundBitmap);
}

void ShowMaskEnabling(HWND dialog, const LogoParams& p) {
  EnableControl(dialog, LOGO_MASK_SELECT, p.maskSource == 1);
}

int32_t BackgroundRadio(int32_t type) {
  switch (type) {
    case kBackgroundBitmap:
      return LOGO_BACKGROUND_BITMAP;
    case kBackgroundSceneA:
      return LOGO_BACKGROUND_SCENE_A;
    case kBackgroundSceneB:
      return LOGO_BACKGROUND_SCENE_B;
    default:
      return LOGO_BACKGROUND_COLOUR;
  }
}

// Empties a drop-down list, fills it with `count` strings from `firstString` and selects
// `index` (none when the record holds a value outside the list).
void FillList(HWND dialog, int32_t id, int32_t firstString, int32_t count, int32_t index) {
  HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (int32_t j = 0; j < count; ++j) {
    char text[kListTextBytes];
    LoadStringA(instance, static_cast<UINT>(firstString + j), text, sizeof text);
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The swatch covers the hidden static's rectangle, in window pixels (frame included).
void PaintColourSwatch(HWND dialog, const LogoParams& p) {
  RECT window;
  RECT place;
  GetWindowRect(dialog, &window);
  GetWindowRect(GetDlgItem(dialog, LOGO_SWATCH), &place);
  HDC dc = GetWindowDC(dialog);
  paintSwatch(dc, place.left - window.left, place.top - window.top, place.right - window.left,
              place.bottom - window.top, p.backgroundColor);
  ReleaseDC(dialog, dc);
}

void ShowTimeSetting(HWND dialog, int32_t trackbar, int32_t label, float value) {
  initTrackbar(GetDlgItem(dialog, trackbar), kRange0To100, Hundredths(value), 10, 10);
  showFloatLabel(dialog, label, value);
}

void ShowSettings(HWND dialog, LogoParams* p) {
  for (int32_t k = 0; k < kLogoLayerCount; ++k) {
    const LayerControls& c = kLayerControls[k];
    const LayerSettings& s = p->layers[k];
    CheckDlgButton(dialog, c.use, s.useLayer != 0 ? BST_CHECKED : BST_UNCHECKED);
    ShowLayerEnabling(dialog, k, s.useLayer != 0);
    CheckDlgButton(dialog, c.dissolve, s.dissolve != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, c.alternate, s.alternateBack != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  for (int32_t k = 0; k < kLogoLayerCount; ++k) {
    const LayerControls& c = kLayerControls[k];
    ShowTimeSetting(dialog, c.start, c.startLabel, p->layers[k].start);
    ShowTimeSetting(dialog, c.end, c.endLabel, p->layers[k].end);
  }
  CheckRadioButton(dialog, LOGO_BACKGROUND_COLOUR, LOGO_BACKGROUND_BITMAP,
                   BackgroundRadio(p->backgroundType));
  ShowBackgroundEnabling(dialog, *p);
  SetDlgItemTextA(dialog, LOGO_BITMAP_PATH,
                  RecordPath(p->backgroundFile, kLogoBackgroundPathBytes));
  CheckRadioButton(dialog, LOGO_MASK_INTERNAL, LOGO_MASK_FILE,
                   p->maskSource == 1 ? LOGO_MASK_FILE : LOGO_MASK_INTERNAL);
  ShowMaskEnabling(dialog, *p);
  SetDlgItemTextA(dialog, LOGO_MASK_PATH, RecordPath(p->maskFile, kLogoMaskPathBytes));
  initTrackbar(GetDlgItem(dialog, LOGO_IMPACT), kRange0To100, Hundredths(p->impact), 1, 1);
  showIntLabel(dialog, LOGO_IMPACT_LABEL, Hundredths(p->impact));
  for (int32_t k = 0; k < kLogoLayerCount; ++k) {
    const LayerControls& c = kLayerControls[k];
    FillList(dialog, c.motion, LOGO_FIRST_MOTION_STRING, kMotionCount, p->layers[k].motion);
    FillList(dialog, c.rotation, LOGO_FIRST_ROTATION_STRING, kPatternCount, p->layers[k].rotation);
  }
  fillPresetList(dialog, LOGO_PRESETS, LOGO_FIRST_PRESET_STRING, kLogoPresetCount,
                 LOGO_FIRST_PRESET_STRING);
  PaintColourSwatch(dialog, *p);
}

// Trackbars in the order their messages are matched: each layer's Start and End, then
// Impact.
INT_PTR OnScroll(HWND dialog, LogoParams* p, HWND bar) {
  auto is = [&](int32_t id) { return bar == GetDlgItem(dialog, id); };
  const int32_t position = readTrackbar(bar);
  bool matched = false;
  for (int32_t k = 0; k < kLogoLayerCount && !matched; ++k) {
    const LayerControls& c = kLayerControls[k];
    LayerSettings& s = p->layers[k];
    if (is(c.start)) {
      s.start = FromPosition(position);
      showFloatLabel(dialog, c.startLabel, s.start);
      matched = true;
    } else if (is(c.end)) {
      s.end = FromPosition(position);
      showFloatLabel(dialog, c.endLabel, s.end);
      matched = true;
    }
  }
  if (!matched && is(LOGO_IMPACT)) {
    p->impact = FromPosition(position);
    showIntLabel(dialog, LOGO_IMPACT_LABEL, Hundredths(p->impact));
    matched = true;
  }
  if (!matched) return 0;
  UpdateWindow(dialog);
  return 1;
}

// The system's file chooser edits the path in the record's own buffer (at most 260 bytes).
void ChooseBitmapFile(HWND dialog, char* field, int32_t fieldBytes, int32_t pathEdit) {
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
  ofn.lpstrFile = RecordPath(field, fieldBytes);
  ofn.nMaxFile = kLogoChooserPathBytes;
  ofn.lpstrDefExt = "*.bmp";
  // OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING, and OFN_NOCHANGEDIR: the
  // chooser must not move the host's current directory, which the host resolves its own
  // relative paths against.
  ofn.Flags = 0x801800 | OFN_NOCHANGEDIR;
  GetOpenFileNameA(&ofn);
  SetDlgItemTextA(dialog, pathEdit, RecordPath(field, fieldBytes));
  UpdateWindow(dialog);
}

INT_PTR CALLBACK LogoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void Reinitialise(HWND dialog) {
  LogoDialogProc(dialog, WM_INITDIALOG, 0, 0);
  UpdateWindow(dialog);
}

bool Checked(HWND dialog, int32_t id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

int32_t ListSelection(HWND dialog, int32_t id) {
  return static_cast<int32_t>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

// The controls of the layer groups; false when `id` is none of them.
bool OnLayerCommand(HWND dialog, LogoParams* p, int32_t id, int32_t code) {
  for (int32_t k = 0; k < kLogoLayerCount; ++k) {
    const LayerControls& c = kLayerControls[k];
    LayerSettings& s = p->layers[k];
    if (id == c.motion || id == c.rotation) {
      if (code == CBN_SELCHANGE) {
        (id == c.motion ? s.motion : s.rotation) = ListSelection(dialog, id);
      }
      return true;
    }
    if (code != 0) continue;  // the check boxes act on the click alone
    if (id == c.use) {
      for (int32_t j = 0; j < kLogoLayerCount; ++j) {
        p->layers[j].useLayer = Checked(dialog, kLayerControls[j].use) ? 1 : 0;
      }
      Reinitialise(dialog);
      return true;
    }
    if (id == c.dissolve) {
      s.dissolve = Checked(dialog, id) ? 1 : 0;
      return true;
    }
    if (id == c.alternate) {
      s.alternateBack = Checked(dialog, id) ? 1 : 0;
      return true;
    }
  }
  return false;
}

INT_PTR OnCommand(HWND dialog, LogoParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
      EndDialog(dialog, IDOK);
      return 1;
    case LOGO_RESET_DEFAULTS:
      ApplyLogoPreset(p, 0);
      Reinitialise(dialog);
      return 0;
    case LOGO_PRESETS:
      if (code == CBN_SELCHANGE) {
        ApplyLogoPreset(p, ListSelection(dialog, LOGO_PRESETS));
        Reinitialise(dialog);
      }
      return 0;
    case LOGO_COLOUR_SELECT:
      return pickColour(dialog, &p->backgroundColor);
    case LOGO_BITMAP_SELECT:
      ChooseBitmapFile(dialog, p->backgroundFile, kLogoBackgroundPathBytes, LOGO_BITMAP_PATH);
      return 0;
    case LOGO_MASK_SELECT:
      ChooseBitmapFile(dialog, p->maskFile, kLogoMaskPathBytes, LOGO_MASK_PATH);
      return 0;
    default:
      break;
  }
  if (OnLayerCommand(dialog, p, id, code) || code != 0) return 0;
  switch (id) {
    case LOGO_MASK_INTERNAL:
    case LOGO_MASK_FILE:
      p->maskSource = id == LOGO_MASK_FILE ? 1 : 0;
      ShowMaskEnabling(dialog, *p);
      break;
    case LOGO_BACKGROUND_COLOUR:
      p->backgroundType = kBackgroundColour;
      ShowBackgroundEnabling(dialog, *p);
      break;
    case LOGO_BACKGROUND_BITMAP:
      p->backgroundType = kBackgroundBitmap;
      ShowBackgroundEnabling(dialog, *p);
      break;
    case LOGO_BACKGROUND_SCENE_A:
      p->backgroundType = kBackgroundSceneA;
      ShowBackgroundEnabling(dialog, *p);
      break;
    case LOGO_BACKGROUND_SCENE_B:
      p->backgroundType = kBackgroundSceneB;
      ShowBackgroundEnabling(dialog, *p);
      break;
    default:
      break;
  }
  return 0;
}

INT_PTR CALLBACK LogoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  LogoParams* p = EditedBlockAs<LogoParams>();
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

int32_t ConfigureLogo(const ConfigureRequest& request) {
  return openSettingsDialog(request, LOGO_DIALOG, LogoDialogProc);
}

}  // namespace zk
