// The fire's settings dialog: every trackbar and check box writes the host's record at
// once; only the confirm button ends the dialog (Escape and the close box do nothing).
#include <windows.h>

#include "dialog_kit.h"
#include "firestorm_dialog.h"
#include "firestorm_ids.h"
#include "firestorm_params.h"

namespace zk {
namespace {

constexpr uint32_t kHundredths = 0x640000;  // 0 to 100
constexpr uint32_t kByteRange = 0xFF0000;   // 0 to 255
constexpr uint32_t kSpeedRange = 0x30001;   // 1 to 3
constexpr int32_t kPage = 10;
constexpr int32_t kTics = 10;
constexpr float kHundredth = 0.01f;

// A 0..1 setting on a trackbar of hundredths, in the order the scroll handler looks.
struct FloatSetting {
  int32_t value;  // the read-only edit; its trackbar is value + 1
  float FirestormParams::*field;
};
const FloatSetting kFloatSettings[] = {
    {FIRESTORM_RAMP_END_VALUE, &FirestormParams::hotSpotRampEnd},
    {FIRESTORM_CROSSFADE_START_VALUE, &FirestormParams::crossfadeStart},
    {FIRESTORM_CROSSFADE_END_VALUE, &FirestormParams::crossfadeEnd},
    {FIRESTORM_HOT_SPOT_END_VALUE, &FirestormParams::hotSpotEnd},
    {FIRESTORM_FADE_START_VALUE, &FirestormParams::flameFadeStart},
    {FIRESTORM_SHARE_VALUE, &FirestormParams::hotSpotShare},
    {FIRESTORM_VARIATION_VALUE, &FirestormParams::flameVariation},
};

// A byte setting whose trackbar position is the value itself.
struct ByteSetting {
  int32_t value;
  uint8_t FirestormParams::*field;
  uint32_t range;
};
const ByteSetting kByteSettings[] = {
    {FIRESTORM_EDGE_VALUE, &FirestormParams::edgeSensitivity, kByteRange},
    {FIRESTORM_SPEED_VALUE, &FirestormParams::flameSpeed, kSpeedRange},
};

int32_t Hundredths(float value) { return static_cast<int32_t>(static_cast<double>(value) * 100); }

// The share only matters when not every pixel is tested.
void EnableShare(HWND dialog, const FirestormParams& p) {
  const BOOL on = p.allEdgeDetection == 0;
  EnableWindow(GetDlgItem(dialog, FIRESTORM_SHARE_LABEL), on);
  EnableWindow(GetDlgItem(dialog, FIRESTORM_SHARE_VALUE), on);
  EnableWindow(GetDlgItem(dialog, FIRESTORM_SHARE), on);
}

void ShowSettings(HWND dialog, const FirestormParams& p) {
  CheckDlgButton(dialog, FIRESTORM_VISIBLE_HOT_SPOTS,
                 p.visibleHotSpots != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, FIRESTORM_ALL_EDGES,
                 p.allEdgeDetection != 0 ? BST_CHECKED : BST_UNCHECKED);
  EnableShare(dialog, p);
  for (const FloatSetting& s : kFloatSettings) {
    initTrackbar(GetDlgItem(dialog, s.value + 1), kHundredths, Hundredths(p.*s.field), kPage,
                 kTics);
    showFloatLabel(dialog, s.value, p.*s.field);
  }
  for (const ByteSetting& s : kByteSettings) {
    initTrackbar(GetDlgItem(dialog, s.value + 1), s.range, p.*s.field, kPage, kTics);
    showIntLabel(dialog, s.value, p.*s.field);
  }
}

// Stores the position of the trackbar that scrolled; false when it is none of ours.
bool OnScroll(HWND dialog, FirestormParams* p, HWND control) {
  for (const FloatSetting& s : kFloatSettings) {
    if (control != GetDlgItem(dialog, s.value + 1)) continue;
    p->*s.field = static_cast<float>(readTrackbar(control) * static_cast<double>(kHundredth));
    showFloatLabel(dialog, s.value, p->*s.field);
    return true;
  }
  for (const ByteSetting& s : kByteSettings) {
    if (control != GetDlgItem(dialog, s.value + 1)) continue;
    p->*s.field = static_cast<uint8_t>(readTrackbar(control));
    showIntLabel(dialog, s.value, p->*s.field);
    return true;
  }
  return false;
}

INT_PTR OnCommand(HWND dialog, FirestormParams* p, int32_t id, int32_t code);

INT_PTR CALLBACK FirestormDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FirestormParams* p = EditedBlockAs<FirestormParams>();
  if (p == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, *p);
      return 0;
    case WM_HSCROLL:
      if (!OnScroll(dialog, p, reinterpret_cast<HWND>(lParam))) return 0;
      UpdateWindow(dialog);
      return 1;
    case WM_COMMAND:
      return OnCommand(dialog, p, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONUP:
      return 1;
    default:
      return 0;
  }
}

INT_PTR OnCommand(HWND dialog, FirestormParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
      EndDialog(dialog, IDOK);
      return 1;
    case IDCANCEL:
      return 1;  // Escape and the close box leave the dialog open
    case FIRESTORM_DEFAULTS_BUTTON:
      WriteFirestormDefaults(p);
      FirestormDialogProc(dialog, WM_INITDIALOG, 0, 0);
      InvalidateRect(dialog, nullptr, TRUE);
      UpdateWindow(dialog);
      return 0;
    default:
      break;
  }
  if (code != BN_CLICKED) return 0;
  if (id == FIRESTORM_VISIBLE_HOT_SPOTS) {
    p->visibleHotSpots = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
  } else if (id == FIRESTORM_ALL_EDGES) {
    p->allEdgeDetection = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
    EnableShare(dialog, *p);
  }
  return 0;
}

}  // namespace

int32_t ConfigureFirestorm(const ConfigureRequest& request) {
  return openSettingsDialog(request, FIRESTORM_DIALOG, FirestormDialogProc);
}

}  // namespace zk
