// The rays settings dialog: the trackbars and the colour come from the settings table; here
// are the density spinner, the threshold graph and the light-source box painted into the
// free areas, and the click that places the light source. Every change is written into the
// host's record at once, so "Abbrechen" keeps it too.
#include <windows.h>
// The common controls and the message crackers need <windows.h> first.
#include <commctrl.h>
#include <windowsx.h>

#include "dialog_binder.h"
#include "dialog_kit.h"
#include "rays_ids.h"
#include "rays_panel.h"
#include "rays_params.h"

namespace zk {
namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kCurveRed = 0x0000FF;
constexpr COLORREF kBarBlue = 0xFF0000;

void ShowDensity(HWND dialog, const RaysParams& p) {
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

bool OnMessage(HWND dialog, void* block, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  auto* p = static_cast<RaysParams*>(block);
  switch (message) {
    case WM_INITDIALOG:
      ShowDensity(dialog, *p);
      return false;  // the table's controls follow
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, RAYS_DENSITY_SPIN)) return false;
      p->density = LOWORD(SendMessageA(reinterpret_cast<HWND>(lParam), UDM_GETPOS, 0, 0));
      showIntLabel(dialog, RAYS_DENSITY_VALUE, p->density);
      *result = 1;
      return true;
    case WM_LBUTTONUP:
      if (PlaceLightSource(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), p)) Redraw(dialog);
      *result = 1;
      return true;
    default:
      return false;
  }
}

// Every trackbar shapes the graph, which the binder's update then paints again.
void Changed(HWND dialog, void*, const SettingField&) { InvalidateRect(dialog, nullptr, FALSE); }

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

void Paint(HWND dialog, const void* block) {
  const RaysParams& p = *static_cast<const RaysParams*>(block);
  HDC dc = GetWindowDC(dialog);
  // White areas with black outlines and lines, unless a step selects otherwise.
  HPEN black = CreatePen(PS_SOLID, 1, kBlack);
  HBRUSH white = CreateSolidBrush(kWhite);
  HGDIOBJ oldPen = SelectObject(dc, black);
  HGDIOBJ oldBrush = SelectObject(dc, white);
  Outline(dc, kGraphArea);
  DrawCurves(dc, p);
  const ConfigureRequest* request = ConfiguringRequest();
  DrawBars(dc, p, request != nullptr ? request->graphBarCount : 0);
  DrawLightBox(dc, p);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(white);
  DeleteObject(black);
  ReleaseDC(dialog, dc);
}

}  // namespace

extern const DialogRules kDialogRules = {OnMessage, /*show=*/nullptr, Changed, Paint};

}  // namespace zk
