// The split-flap board's settings dialog: ten trackbars, each storing its position in the
// host's record at once; OK and Escape only end the dialog.
#include <windows.h>

#include "airport_dialog.h"
#include "airport_ids.h"
#include "airport_params.h"
#include "dialog_kit.h"

namespace zk {
namespace {

constexpr int32_t kPage = 10;
constexpr int32_t kTics = 10;

uint32_t RangeWord(int32_t minimum, int32_t maximum) {
  return (static_cast<uint32_t>(maximum) << 16) | static_cast<uint32_t>(minimum);
}

enum class Shown { Integer, Tenths };

// One setting: its value edit, its byte field (or the distance when field is null), range.
struct Setting {
  int32_t label;
  uint8_t AirportParams::*field;
  int32_t minimum;
  int32_t maximum;
  Shown shown;
};

const Setting kSettings[] = {
    {AIRPORT_BORDER_VERTICAL_LABEL, &AirportParams::borderVertical, 0, 40, Shown::Integer},
    {AIRPORT_BORDER_HORIZONTAL_LABEL, &AirportParams::borderHorizontal, 0, 40, Shown::Integer},
    {AIRPORT_GAP_VERTICAL_LABEL, &AirportParams::gapVertical, 0, 100, Shown::Tenths},
    {AIRPORT_GAP_HORIZONTAL_LABEL, &AirportParams::gapHorizontal, 0, 100, Shown::Tenths},
    {AIRPORT_TILES_DOWN_LABEL, &AirportParams::tilesDown, 1, 25, Shown::Integer},
    {AIRPORT_TILES_ACROSS_LABEL, &AirportParams::tilesAcross, 1, 25, Shown::Integer},
    {AIRPORT_FRAMES_PER_FLIP_LABEL, &AirportParams::framesPerFlip, 1, 50, Shown::Integer},
    {AIRPORT_ANGLE_SPREAD_LABEL, &AirportParams::angleSpread, 0, 40, Shown::Integer},
    {AIRPORT_FLAP_SHADING_LABEL, &AirportParams::flapShading, 0, 100, Shown::Integer},
    {AIRPORT_VIEWER_DISTANCE_LABEL, nullptr, 250, 1000, Shown::Integer},
};

int32_t Value(const AirportParams& p, const Setting& s) {
  return s.field != nullptr ? p.*s.field : p.viewerDistance;
}

void ShowValue(HWND dialog, const Setting& s, int32_t value) {
  if (s.shown == Shown::Tenths)
    showFloatLabel(dialog, s.label, static_cast<float>(value * 0.1));
  else
    showIntLabel(dialog, s.label, value);
}

void ShowSettings(HWND dialog, const AirportParams& p) {
  for (const Setting& s : kSettings) {
    const int32_t value = Value(p, s);
    initTrackbar(GetDlgItem(dialog, s.label + 1), RangeWord(s.minimum, s.maximum), value, kPage,
                 kTics);
    ShowValue(dialog, s, value);
  }
}

INT_PTR OnScroll(HWND dialog, AirportParams* p, HWND control) {
  for (const Setting& s : kSettings) {
    HWND trackbar = GetDlgItem(dialog, s.label + 1);
    if (control != trackbar) continue;
    const int32_t position = readTrackbar(trackbar);
    if (s.field != nullptr)
      p->*s.field = static_cast<uint8_t>(position);
    else
      p->viewerDistance = position;
    ShowValue(dialog, s, Value(*p, s));
    return 1;
  }
  return 0;
}

INT_PTR CALLBACK AirportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  AirportParams* p = EditedBlockAs<AirportParams>();
  const int32_t id = LOWORD(wParam);
  if (message == WM_COMMAND && (id == IDOK || id == IDCANCEL)) {
    EndDialog(dialog, id);
    return 1;
  }
  if (p == nullptr) return 0;  // no record to edit: the controls stay blank
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, *p);
      return 0;
    case WM_HSCROLL:
      return OnScroll(dialog, p, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      if (id == AIRPORT_DEFAULTS_BUTTON) {
        WriteAirportDefaults(p);
        AirportDialogProc(dialog, WM_INITDIALOG, 0, 0);
        UpdateWindow(dialog);
      }
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONUP:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

int32_t RunAirportDialog(const ConfigureRequest& request) {
  return openSettingsDialog(request, AIRPORT_DIALOG, AirportDialogProc);
}

}  // namespace zk
