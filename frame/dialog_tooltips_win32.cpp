#include <windows.h>
// The common controls header needs <windows.h> first.
#include <commctrl.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "dialog_tooltips.h"

namespace zk {
namespace {

constexpr DWORD kTooltipStyle = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON;
constexpr LPARAM kMaxTipWidth = 200;  // pixels; longer texts wrap
constexpr LPARAM kShowMilliseconds = 10000;
constexpr UINT kToolFlags = TTF_SUBCLASS | TTF_TRANSPARENT | TTF_CENTERTIP;
// The tool record up to its lParam, without the reserved member of newer versions: 44 bytes,
// which every version of the control accepts.
constexpr UINT kToolRecordSize = offsetof(TTTOOLINFOA, lpReserved);
#if !defined(_WIN64)
static_assert(kToolRecordSize == 44, "tool record size");
#endif

DialogTooltips* g_moduleTooltips = nullptr;

void DetachAtExit() {
  if (g_moduleTooltips != nullptr) g_moduleTooltips->detach();
}

}  // namespace

DialogTooltips::DialogTooltips(const TooltipSet& tools)
    : tooltipWindow(nullptr), dialogWindow(nullptr), moduleInstance(nullptr), tools_(&tools) {
  INITCOMMONCONTROLSEX classes;
  classes.dwSize = sizeof classes;
  classes.dwICC = 0xFF;  // list views through animation controls
  InitCommonControlsEx(&classes);
}

DialogTooltips::~DialogTooltips() { detach(); }

int32_t DialogTooltips::addTool(HWND control, const char* text) {
  if (control == nullptr || text == nullptr) return 0;
  if (dialogWindow == nullptr) dialogWindow = GetParent(control);
  if (tooltipWindow == nullptr) {
    tooltipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, kTooltipStyle, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialogWindow,
                                    nullptr, moduleInstance, nullptr);
    if (tooltipWindow == nullptr) return 0;
  }
  SendMessageA(tooltipWindow, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  SendMessageA(tooltipWindow, TTM_SETDELAYTIME, TTDT_AUTOPOP, kShowMilliseconds);
  TTTOOLINFOA tool;
  std::memset(&tool, 0, sizeof tool);
  tool.cbSize = kToolRecordSize;
  tool.uFlags = kToolFlags;
  tool.hwnd = control;
  tool.uId = 0;
  GetClientRect(control, &tool.rect);
  tool.hinst = nullptr;
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(tooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  return 1;
}

int32_t DialogTooltips::addToolById(HWND dialog, int32_t controlId, const char* text) {
  if (dialog == nullptr) return 0;
  HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr) return 0;
  return addTool(control, text);
}

int32_t DialogTooltips::addToolHere(int32_t controlId, const char* text) {
  if (dialogWindow == nullptr) return 0;
  return addToolById(dialogWindow, controlId, text);
}

void DialogTooltips::activate(BOOL active) {
  if (tooltipWindow != nullptr) SendMessageA(tooltipWindow, TTM_ACTIVATE, active, 0);
}

void DialogTooltips::attachDialog(HWND dialog, HINSTANCE instance) {
  if (dialogWindow != nullptr) return;
  dialogWindow = dialog;
  moduleInstance = instance;
  if (dialog != nullptr && instance != nullptr) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(tools_->smallIconId));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ShowVersionInTitle();
  }
  if (tooltipWindow == nullptr) {
    for (int32_t i = 0; i < tools_->count; ++i)
      addToolHere(tools_->entries[i].controlId, tools_->entries[i].text);
  }
}

void DialogTooltips::detach() {
  if (tooltipWindow != nullptr) DestroyWindow(tooltipWindow);
  tooltipWindow = nullptr;
  dialogWindow = nullptr;
  moduleInstance = nullptr;
}

void DialogTooltips::ShowVersionInTitle() {
  char version[64];
  if (!ReadProductVersion(moduleInstance, version, sizeof version)) return;
  char title[251];
  GetWindowTextA(dialogWindow, title, sizeof title);
  char caption[sizeof title + sizeof version + 16];
  std::snprintf(caption, sizeof caption, "%s Version %s", title, version);
  SetWindowTextA(dialogWindow, caption);
}

bool ReadProductVersion(HINSTANCE instance, char* text, int32_t size) {
  if (size <= 0) return false;
  text[0] = '\0';
  char path[254];
  const DWORD length = GetModuleFileNameA(instance, path, sizeof path);
  if (length == 0 || length >= sizeof path) return false;  // none, or a cut-off path
  DWORD ignored = 0;
  const DWORD blockSize = GetFileVersionInfoSizeA(path, &ignored);
  if (blockSize == 0) return false;  // no version resource: the title stays as it is
  char* block = new (std::nothrow) char[blockSize];
  if (block == nullptr) return false;
  bool found = false;
  void* value = nullptr;
  UINT valueLength = 0;
  if (GetFileVersionInfoA(path, 0, blockSize, block) &&
      VerQueryValueA(block, "\\StringFileInfo\\040904E4\\ProductVersion", &value, &valueLength) &&
      value != nullptr && valueLength != 0) {
    const char* version = static_cast<const char*>(value);
    const size_t n = strnlen(version, valueLength);
    if (n != 0 && n < static_cast<size_t>(size)) {
      std::memcpy(text, version, n);
      text[n] = '\0';
      found = true;
    }
  }
  delete[] block;
  return found;
}

DialogTooltips& ModuleDialogTooltips(const TooltipSet& tools) {
  if (g_moduleTooltips == nullptr) {
    static DialogTooltips instance(tools);
    g_moduleTooltips = &instance;
    std::atexit(DetachAtExit);
  }
  return *g_moduleTooltips;
}

}  // namespace zk
