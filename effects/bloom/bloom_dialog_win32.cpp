// Bloom's settings dialog: every control edits the host's record at once. Presets, the
// defaults button and the direction buttons refresh the whole dialog; the tooltips and the
// version in the title are set up once per opening.
#include <windows.h>

#include "bloom_dialog.h"
#include "bloom_ids.h"
#include "bloom_params.h"
#include "dialog_kit.h"
#include "plugin.h"

namespace zk {
namespace {

constexpr uint32_t kDurationRange = 0x640001;  // 1 to 100
constexpr int32_t kDurationPage = 10;
constexpr int32_t kDurationTics = 10;

struct DirectionButton {
  int32_t direction;
  int32_t buttonId;
  int32_t iconId;
};

const DirectionButton kDirectionButtons[] = {
    {1, BLOOM_DIR_LEFTRIGHT, 105},    {2, BLOOM_DIR_RIGHTLEFT, 106}, {3, BLOOM_DIR_TOPBOTTOM, 107},
    {4, BLOOM_DIR_BOTTOMTOP, 102},    {5, BLOOM_DIR_CIRCLEIN, 103},  {6, BLOOM_DIR_CIRCLEOUT, 104},
    {7, BLOOM_DIR_HORZIN, 108},       {8, BLOOM_DIR_HORZOUT, 110},   {9, BLOOM_DIR_VERTIN, 109},
    {10, BLOOM_DIR_VERTOUT, 111},     {11, BLOOM_DIR_ROTRIGHT, 112}, {12, BLOOM_DIR_ROTLEFT, 113},
    {13, BLOOM_DIR_BOTTOMLEFT, 114},  {14, BLOOM_DIR_TOPRIGHT, 115}, {15, BLOOM_DIR_TOPLEFT, 116},
    {16, BLOOM_DIR_BOTTOMRIGHT, 117}, {17, BLOOM_DIR_LEFTOUT, 118},  {18, BLOOM_DIR_RIGHTIN, 120},
    {19, BLOOM_DIR_RIGHTOUT, 119},    {20, BLOOM_DIR_LEFTIN, 121},
};

const int32_t kModeButtons[] = {BLOOM_MODE_CROSSFADE, BLOOM_MODE_WHITE, BLOOM_MODE_BLACK,
                                BLOOM_MODE_NOISE_GREY, BLOOM_MODE_NOISE_COLOUR};

// Modes outside 0..3 check the last button, although they render as a crossfade.
int32_t ButtonOfMode(int32_t mode) {
  return mode >= 0 && mode <= 3 ? kModeButtons[mode] : kModeButtons[4];
}

// Direction 0 orders like "leftright" but shows "circleout", as do unknown directions.
int32_t ButtonOfDirection(int32_t direction) {
  for (const DirectionButton& b : kDirectionButtons) {
    if (b.direction == direction) return b.buttonId;
  }
  return BLOOM_DIR_CIRCLEOUT;
}

// The trackbar shows the duration times 100, truncated; values no trackbar can show are
// held to its ends.
int32_t DurationTicks(float duration) {
  const double ticks = static_cast<double>(duration) * 100;
  if (!(ticks >= 1)) return 1;
  return ticks < 100 ? static_cast<int32_t>(ticks) : 100;
}

HINSTANCE Instance() { return static_cast<HINSTANCE>(ModuleInstance()); }

void ShowSettings(HWND dialog, const BloomParams& p) {
  const int32_t modeButton = ButtonOfMode(p.bloomMode);
  for (int32_t id : kModeButtons)
    CheckDlgButton(dialog, id, id == modeButton ? BST_CHECKED : BST_UNCHECKED);
  initTrackbar(GetDlgItem(dialog, BLOOM_DURATION), kDurationRange, DurationTicks(p.bloomDuration),
               kDurationPage, kDurationTics);
  showFloatLabel(dialog, BLOOM_DURATION_LABEL, p.bloomDuration);
  for (const DirectionButton& b : kDirectionButtons) {
    HICON icon = LoadIconA(Instance(), MAKEINTRESOURCEA(b.iconId));
    SendDlgItemMessageA(dialog, b.buttonId, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(icon));
  }
  CheckRadioButton(dialog, BLOOM_FIRST_DIRECTION_BUTTON, BLOOM_LAST_DIRECTION_BUTTON,
                   ButtonOfDirection(p.bloomDirection));
  fillPresetList(dialog, BLOOM_PRESET_LIST, BLOOM_FIRST_PRESET_STRING, kBloomPresetCount,
                 BLOOM_FIRST_PRESET_STRING);
}

INT_PTR CALLBACK BloomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void Reinitialise(HWND dialog) {
  BloomDialogProc(dialog, WM_INITDIALOG, 0, 0);
  UpdateWindow(dialog);
}

// OK, and Escape or the close box, which end the dialog the same way: the record already
// holds every change, and the tooltip window goes with the dialog.
INT_PTR Close(HWND dialog, DialogTooltips& tips, int32_t result) {
  tips.detach();
  EndDialog(dialog, result);
  return 1;
}

INT_PTR OnCommand(HWND dialog, DialogTooltips& tips, BloomParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      return Close(dialog, tips, id);
    case BLOOM_DEFAULTS_BUTTON:
      ApplyBloomPreset(p, 0);
      Reinitialise(dialog);
      return 1;
    case BLOOM_PRESET_LIST:
      if (code != CBN_SELCHANGE) return 0;
      ApplyBloomPreset(p, static_cast<int32_t>(
                              SendDlgItemMessageA(dialog, BLOOM_PRESET_LIST, CB_GETCURSEL, 0, 0)));
      Reinitialise(dialog);
      return 1;
    default:
      break;
  }
  if (code != 0) return 0;  // the radio buttons act on the click alone
  for (int32_t mode = 0; mode < 5; ++mode) {
    if (id == kModeButtons[mode]) {
      p->bloomMode = mode;
      return 0;
    }
  }
  for (const DirectionButton& b : kDirectionButtons) {
    if (id == b.buttonId) {
      p->bloomDirection = b.direction;
      Reinitialise(dialog);
      return 1;
    }
  }
  return 0;
}

INT_PTR CALLBACK BloomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Made on the first message the dialog ever gets; process exit detaches it.
  DialogTooltips& tips = ModuleDialogTooltips(kBloomTooltips);
  BloomParams* p = EditedBlockAs<BloomParams>();
  if (p == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, *p);
      tips.attachDialog(dialog, Instance());
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, BLOOM_DURATION)) return 0;
      p->bloomDuration = static_cast<float>(readTrackbar(reinterpret_cast<HWND>(lParam))) * 0.01f;
      showFloatLabel(dialog, BLOOM_DURATION_LABEL, p->bloomDuration);
      UpdateWindow(dialog);
      return 1;
    case WM_COMMAND:
      return OnCommand(dialog, tips, p, LOWORD(wParam), HIWORD(wParam));
    default:
      return 0;
  }
}

}  // namespace

int32_t ConfigureBloom(const ConfigureRequest& request) {
  return openSettingsDialog(request, BLOOM_DIALOG, BloomDialogProc);
}

}  // namespace zk
