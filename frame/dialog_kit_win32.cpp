// The settings dialog kit: every module's dialog is built from these few operations, so a
// trackbar, a value label or a colour button behaves the same in all of them.
#include <windows.h>
// The common controls and common dialogs headers need <windows.h> first.
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>

#include "dialog_kit.h"
#include "plugin.h"

namespace zk {
namespace {

// The record the open dialog edits. It stays set after the dialog closes; the next
// configure call replaces it.
void* g_editedBlock = nullptr;
const ConfigureRequest* g_request = nullptr;

// Trackbars live in the common controls library; registering the class twice is harmless.
void RegisterTrackbarClass() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_UPDOWN_CLASS;
  if (!InitCommonControlsEx(&controls)) InitCommonControls();
}

// The chooser's record as the 32-bit common dialog library expects it.
static_assert(sizeof(void*) != 4 || sizeof(CHOOSECOLORA) == 36, "CHOOSECOLORA layout");

// Entries 2 to 16 of the chooser's custom colours: white, so that the row reads as empty.
constexpr COLORREF kBlankCustomColour = RGB(255, 255, 255);

}  // namespace

void* EditedBlock() { return g_editedBlock; }
const ConfigureRequest* ConfiguringRequest() { return g_request; }

int32_t openSettingsDialog(const ConfigureRequest& request, int32_t templateId, DLGPROC procedure) {
  g_editedBlock = request.paramBlock;
  g_request = &request;
  // Every control reads and writes through the record pointer: without a record there is
  // nothing to show or edit, so the dialog stays closed.
  if (g_editedBlock == nullptr) return 1;
  RegisterTrackbarClass();
  DialogBoxParamA(static_cast<HINSTANCE>(ModuleInstance()), MAKEINTRESOURCEA(templateId),
                  static_cast<HWND>(request.parentWindow), procedure, 0);
  return 1;
}

void initTrackbar(HWND trackbar, uint32_t rangeWord, int32_t position, int32_t pageSize,
                  int32_t ticFrequency) {
  SendMessageA(trackbar, TBM_SETRANGE, 0, static_cast<LPARAM>(rangeWord));
  SendMessageA(trackbar, TBM_SETPOS, 0, static_cast<LPARAM>(position));
  SendMessageA(trackbar, TBM_SETTICFREQ, static_cast<WPARAM>(ticFrequency), 0);
  SendMessageA(trackbar, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(pageSize));
}

int32_t readTrackbar(HWND trackbar) {
  return static_cast<int32_t>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
}

void showFloatLabel(HWND dialog, int32_t labelId, float value) {
  char text[100];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  SetDlgItemTextA(dialog, labelId, text);
}

void showIntLabel(HWND dialog, int32_t labelId, int32_t value) {
  SetDlgItemInt(dialog, labelId, static_cast<UINT>(value), TRUE);
}

void paintSwatch(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 uint32_t colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, left, top, right, bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

INT_PTR pickColour(HWND dialog, uint32_t* colourField) {
  COLORREF custom[16];
  custom[0] = *colourField;
  for (int i = 1; i < 16; ++i) custom[i] = kBlankCustomColour;
  CHOOSECOLORA chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = dialog;
  chooser.hInstance = nullptr;
  chooser.rgbResult = *colourField;
  chooser.lpCustColors = custom;
  chooser.Flags = 0;
  if (ChooseColorA(&chooser)) {
    *colourField = chooser.rgbResult;
    InvalidateRect(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
  }
  return 1;
}


}  // namespace zk
