// The rays settings dialog: trackbars for the switch point and the two threshold curves,
// the density spinner, the ray colour and the light-source box. Every change is written
// into the host's record at once, so "Abbrechen" keeps it too.
#include <windows.h>
// The common controls and the message crackers need <windows.h> first.
#include <commctrl.h>
#include <windowsx.h>

#include "dialog_kit.h"
#include "rays_dialog.h"
#include "rays_ids.h"
#include "rays_panel.h"
#include "rays_params.h"

namespace zk {
namespace {

constexpr uint32_t kHundredths = 0x640000;  // 0 to 100, every trackbar
constexpr int32_t kPage = 10;
constexpr int32_t kTics = 10;
// Trackbar hundredths become settings in double precision: 30 stores 0.3f, whose
// hundredths read back as 30 again.
constexpr double kHundredth = 0.01;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kCurveRed = 0x0000FF;
constexpr COLORREF kBarBlue = 0xFF0000;

// The configure request of the open dialog (the graph draws its graphBarCount bars); like
// the edited record it stays set until the next configure call.
const ConfigureRequest* g_request = nullptr;

int32_t Hundredths(float value) { return static_cast<int32_t>(static_cast<double>(value) * 100); }
int32_t ExponentStep(int32_t exponent) { return (exponent - 1) / 2; }
float LevelFromTop(int32_t position) { return static_cast<float>(1.0 - position * kHundredth); }

void SetTrackbar(HWND dialog, int32_t id, int32_t position) {
  initTrackbar(GetDlgItem(dialog, id), kHundredths, position, kPage, kTics);
}

void ShowSettings(HWND dialog, const RaysParams& p) {
  SetTrackbar(dialog, RAYS_SWITCH, Hundredths(p.switchPoint));
  SetTrackbar(dialog, RAYS_RISE_LEVEL, 100 - Hundredths(p.riseLevel));
  SetTrackbar(dialog, RAYS_FALL_LEVEL, 100 - Hundredths(p.fallLevel));
  SetTrackbar(dialog, RAYS_RISE_EXPONENT, ExponentStep(p.riseExponent));
  SetTrackbar(dialog, RAYS_FALL_EXPONENT, ExponentStep(p.fallExponent));
  showIntLabel(dialog, RAYS_SWITCH_VALUE, Hundredths(p.switchPoint));
  showIntLabel(dialog, RAYS_RISE_LEVEL_VALUE, Hundredths(p.riseLevel));
  showIntLabel(dialog, RAYS_FALL_LEVEL_VALUE, Hundredths(p.fallLevel));
  showIntLabel(dialog, RAYS_RISE_EXPONENT_VALUE, ExponentStep(p.riseExponent));
  showIntLabel(dialog, RAYS_FALL_EXPONENT_VALUE, ExponentStep(p.fallExponent));
  // Upper end 0, lower end 255: the up arrow lowers the density.
  HWND spin = GetDlgItem(dialog, RAYS_DENSITY_SPIN);
  SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(0, 255));
  SendMessageA(spin, UDM_SETPOS, 0, MAKELPARAM(p.density, 0));
  SendMessageA(spin, UDM_SETBASE, 10, 0);
  SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, RAYS_DENSITY_VALUE)),
               0);
  showIntLabel(dialog, RAYS_DENSITY_VALUE, p.density);
}

void Redraw(HWND dialog) {
  InvalidateRect(dialog, nullptr, FALSE);
  UpdateWindow(dialog);
}

// Stores what a trackbar or the spinner says; false when the control is none of them.
bool OnScroll(HWND dialog, RaysParams* p, HWND control) {
  const int32_t ids[] = {RAYS_SWITCH, RAYS_RISE_LEVEL, RAYS_FALL_LEVEL, RAYS_RISE_EXPONENT,
                         RAYS_FALL_EXPONENT};
  for (int32_t id : ids) {
    if (control != GetDlgItem(dialog, id)) continue;
    const int32_t at = readTrackbar(control);
    switch (id) {
      case RAYS_SWITCH:
        p->switchPoint = static_cast<float>(at * kHundredth);
        showIntLabel(dialog, RAYS_SWITCH_VALUE, Hundredths(p->switchPoint));
        break;
      case RAYS_RISE_LEVEL:
        p->riseLevel = LevelFromTop(at);
        showIntLabel(dialog, RAYS_RISE_LEVEL_VALUE, Hundredths(p->riseLevel));
        break;
      case RAYS_FALL_LEVEL:
        p->fallLevel = LevelFromTop(at);
        showIntLabel(dialog, RAYS_FALL_LEVEL_VALUE, Hundredths(p->fallLevel));
        break;
      case RAYS_RISE_EXPONENT:
        p->riseExponent = 2 * at + 1;
        showIntLabel(dialog, RAYS_RISE_EXPONENT_VALUE, at);
        break;
      default:
        p->fallExponent = 2 * at + 1;
        showIntLabel(dialog, RAYS_FALL_EXPONENT_VALUE, at);
        break;
    }
    Redraw(dialog);
    return true;
  }
  if (control == GetDlgItem(dialog, RAYS_DENSITY_SPIN)) {
    p->density = LOWORD(SendMessageA(control, UDM_GETPOS, 0, 0));
    showIntLabel(dialog, RAYS_DENSITY_VALUE, p->density);
    return true;
  }
  return false;
}

void Outline(HDC dc, const PanelRect& r) { Rectangle(dc, r.left, r.top, r.right, r.bottom); }

void DrawCurves(HDC dc, const RaysParams& p) {
  const GraphLayout g = LayoutRaysGraph(p);
  for (int32_t k = 0; k < g.partCount; ++k) Outline(dc, g.parts[k].box);
  HPEN red = CreatePen(PS_SOLID, 1, kCurveRed);
  HGDIOBJ oldPen = SelectObject(dc, red);
  for (int32_t k = 0; k < g.partCount; ++k) {
    const GraphPart& part = g.parts[k];
    for (int32_t x = part.firstX; x <= part.lastX; ++x) {
      const int32_t y = GraphCurveY(p, part, x);
      if (x == part.firstX) {
        MoveToEx(dc, x, y, nullptr);
      } else {
        LineTo(dc, x, y);
      }
    }
  }
  SelectObject(dc, oldPen);
  DeleteObject(red);
}

void DrawBars(HDC dc, const RaysParams& p, int32_t barCount) {
  const int32_t n = GraphBarsToDraw(barCount);
  if (n == 0) return;
  HPEN blue = CreatePen(PS_SOLID, 1, kBarBlue);
  HGDIOBJ oldPen = SelectObject(dc, blue);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (int32_t i = 0; i < n; ++i) Outline(dc, GraphBar(p, i, n));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(blue);
}

void DrawLightBox(HDC dc, const RaysParams& p) {
  Outline(dc, kLightBox);
  const int32_t x = LightBoxCrossX(p);
  const int32_t y = LightBoxCrossY(p);
  MoveToEx(dc, x, kLightBox.top, nullptr);
  LineTo(dc, x, kLightBox.bottom);
  MoveToEx(dc, kLightBox.left, y, nullptr);
  LineTo(dc, kLightBox.right, y);
}

void Paint(HWND dialog, const RaysParams& p) {
  HDC dc = GetWindowDC(dialog);
  const PanelRect& s = kColourSwatch;
  paintSwatch(dc, s.left, s.top, s.right, s.bottom, p.rayColor);
  // White areas with black outlines and lines, unless a step selects otherwise.
  HPEN black = CreatePen(PS_SOLID, 1, kBlack);
  HBRUSH white = CreateSolidBrush(kWhite);
  HGDIOBJ oldPen = SelectObject(dc, black);
  HGDIOBJ oldBrush = SelectObject(dc, white);
  Outline(dc, kGraphArea);
  DrawCurves(dc, p);
  DrawBars(dc, p, g_request != nullptr ? g_request->graphBarCount : 0);
  DrawLightBox(dc, p);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(white);
  DeleteObject(black);
  ReleaseDC(dialog, dc);
}

INT_PTR CALLBACK RaysDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  RaysParams* p = EditedBlockAs<RaysParams>();
  if (p == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, *p);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      return OnScroll(dialog, p, reinterpret_cast<HWND>(lParam)) ? 1 : 0;
    case WM_PAINT:
      Paint(dialog, *p);
      return 0;  // the default painting follows
    case WM_LBUTTONUP:
      if (PlaceLightSource(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), p)) Redraw(dialog);
      return 1;
    case WM_SYSCOLORCHANGE:
      return 1;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wParam));
          return 1;
        case RAYS_COLOUR_BUTTON:
          return pickColour(dialog, &p->rayColor);
        default:
          return 0;
      }
    default:
      return 0;
  }
}

}  // namespace

int32_t ConfigureRays(const ConfigureRequest& request) {
  g_request = &request;
  return openSettingsDialog(request, RAYS_DIALOG, RaysDialogProc);
}

}  // namespace zk
