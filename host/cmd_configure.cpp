// zelkor configure: run a module's settings dialog on a settings file, as an editor does
// when the user opens a transition's settings. The file holds the raw settings record; a
// missing file starts from the module's defaults. With --screenshot the dialog is shown,
// pictured into a PNG file and closed with OK, and no file is written back.
#include <cstdio>
#include <cstring>

#include "cli_options.h"
#include "effect_host.h"
#include "image_files.h"
#include "settings_options.h"

#if defined(_WIN32)
#include <windows.h>
// The common controls header needs <windows.h> first.
#include <commctrl.h>

#include <cstddef>
#endif

namespace zk {
namespace {

constexpr char kUsage[] =
    "usage: zelkor configure EFFECT --params-file FILE | --screenshot PNG [--params-file FILE]";

#if defined(_WIN32)

constexpr char kOwnerClass[] = "ZelkorConfigureHost";
// A moment for the dialog to settle after it shows; the capture then repaints it in full.
constexpr DWORD kSettleMs = 300;
constexpr DWORD kDialogWaitMs = 20000;
constexpr DWORD kTooltipWaitMs = 3000;

// The editor's main window stands behind the dialog: a real, hidden top-level window.
HWND CreateOwnerWindow(const std::string& effectName) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kOwnerClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  const std::string title = "zelkor configure " + effectName;
  return CreateWindowExA(0, kOwnerClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, 480, 320, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

struct DialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindShownDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (window == search->owner || !IsWindowVisible(window) || lstrcmpA(name, "#32770") != 0)
    return TRUE;
  search->found = window;
  return FALSE;
}

// `width` x `height` pixels of a device context from (left, top) on.
bool CaptureFromDc(HDC source, int32_t left, int32_t top, int32_t width, int32_t height,
                   FrameImage* picture) {
  if (source == nullptr || width <= 0 || height <= 0) return false;
  *picture = MakeFrameImage(width, height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up rows, as FrameImage keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap != nullptr && memory != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY) != 0;
    GdiFlush();
    if (ok) std::memcpy(picture->pixels.data(), bits, picture->pixels.size());
    SelectObject(memory, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  return ok;
}

// The window as it stands on its surface, frame and caption included.
bool CaptureWindow(HWND window, FrameImage* picture) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  HDC source = GetWindowDC(window);
  const bool ok = CaptureFromDc(source, 0, 0, r.right - r.left, r.bottom - r.top, picture);
  ReleaseDC(window, source);
  return ok;
}

// A rectangle of the screen as it stands, so that pop-ups over the dialog (a tooltip balloon)
// are pictured with it.
bool CaptureScreenRect(const RECT& r, FrameImage* picture) {
  HDC source = GetDC(nullptr);
  const bool ok = CaptureFromDc(source, r.left, r.top, r.right - r.left, r.bottom - r.top, picture);
  ReleaseDC(nullptr, source);
  return ok;
}

struct TooltipSearch {
  HWND dialog;
  HWND found;
};

BOOL CALLBACK FindDialogTooltip(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TooltipSearch*>(context);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != search->dialog)
    return TRUE;
  search->found = window;
  return FALSE;
}

// The first visible, enabled control that has a tooltip, or null.
HWND FirstControlWithTip(HWND tooltip) {
  const LRESULT count = SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TTTOOLINFOA tool{};
    tool.cbSize = offsetof(TTTOOLINFOA, lpReserved);
    if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&tool)))
      continue;
    HWND control = (tool.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(tool.uId) : tool.hwnd;
    if (control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control)) return control;
  }
  return nullptr;
}

// Where a dialog explains its controls in balloons, the pointer rests on one control until
// its balloon shows, and the picture takes in the balloon too. Returns the rectangle to
// capture, the dialog's widened by the balloon, or false when no balloon showed.
bool HoverForTooltip(HWND dialog, DWORD dialogThread, RECT* area) {
  GetWindowRect(dialog, area);
  TooltipSearch search{dialog, nullptr};
  EnumThreadWindows(dialogThread, FindDialogTooltip, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  HWND control = FirstControlWithTip(search.found);
  if (control == nullptr) return false;
  RECT target;
  GetWindowRect(control, &target);
  const int x = (target.left + target.right) / 2;
  const int y = (target.top + target.bottom) / 2;
  // Two moves a pixel apart: the control sees the pointer arrive and then rest on it.
  SetCursorPos(x - 1, y);
  Sleep(50);
  SetCursorPos(x, y);
  for (DWORD waited = 0; waited < kTooltipWaitMs && !IsWindowVisible(search.found); waited += 50)
    Sleep(50);
  if (!IsWindowVisible(search.found)) return false;
  Sleep(kSettleMs);  // the balloon fades in
  RECT balloon;
  GetWindowRect(search.found, &balloon);
  UnionRect(area, area, &balloon);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(area, area, &screen);
  return true;
}

// Runs beside the modal loop: waits for the dialog, lets it paint, pictures it and closes
// it with OK, which every settings dialog has.
struct ScreenshotJob {
  DWORD dialogThread;
  HWND owner;
  std::string path;
  std::string error;
  bool written = false;
};

DWORD WINAPI ScreenshotThread(void* context) {
  auto* job = static_cast<ScreenshotJob*>(context);
  DialogSearch search{job->owner, nullptr};
  for (DWORD waited = 0; search.found == nullptr && waited < kDialogWaitMs; waited += 20) {
    Sleep(20);
    EnumThreadWindows(job->dialogThread, FindShownDialog, reinterpret_cast<LPARAM>(&search));
  }
  if (search.found == nullptr) {
    job->error = "no dialog appeared";
    return 0;
  }
  Sleep(kSettleMs);
  SendMessageA(search.found, WM_NULL, 0, 0);  // the modal loop is running
  // Whatever erasing is still due happens first, then everything paints (the swatches too)
  // without being erased again, before this returns.
  RedrawWindow(search.found, nullptr, nullptr, RDW_ERASENOW | RDW_ALLCHILDREN);
  RedrawWindow(search.found, nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT area;
  const bool withBalloon = HoverForTooltip(search.found, job->dialogThread, &area);
  FrameImage picture;
  if (!(withBalloon ? CaptureScreenRect(area, &picture) : CaptureWindow(search.found, &picture)))
    job->error = "could not capture the dialog";
  else
    job->written = WriteFileAtomically(job->path, EncodePng(picture), &job->error);
  PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return 0;
}

bool RunDialog(HostedEffect& effect, const std::string& screenshot, std::string* error) {
  HWND owner = CreateOwnerWindow(effect.name);
  if (owner == nullptr) {
    *error = "cannot create the owner window";
    return false;
  }
  ScreenshotJob job{GetCurrentThreadId(), owner, screenshot, std::string()};
  HANDLE capture = nullptr;
  if (!screenshot.empty()) capture = CreateThread(nullptr, 0, ScreenshotThread, &job, 0, nullptr);
  ConfigureEffect(effect, owner, 0);
  if (capture != nullptr) {
    WaitForSingleObject(capture, INFINITE);
    CloseHandle(capture);
  }
  DestroyWindow(owner);
  if (!screenshot.empty() && !job.written) {
    *error = screenshot + ": " + (job.error.empty() ? "not written" : job.error);
    return false;
  }
  return true;
}

#else

// Dialogs exist only in the Windows modules: natively the configure call answers 1 and
// leaves the record as it is.
bool RunDialog(HostedEffect& effect, const std::string& screenshot, std::string* error) {
  if (!screenshot.empty()) {
    *error = "--screenshot: settings dialogs exist only in the Windows build";
    return false;
  }
  ConfigureEffect(effect, nullptr, 0);
  std::fprintf(stderr, "zelkor: %s: no settings dialog in this build; record unchanged\n",
               effect.name.c_str());
  return true;
}

#endif

}  // namespace

int RunConfigure(const CommandContext& ctx) {
  std::string name, file, screenshot;
  for (size_t i = 0; i < ctx.args.size(); ++i) {
    if (ctx.args[i] == "--params-file" && i + 1 < ctx.args.size())
      file = ctx.args[++i];
    else if (ctx.args[i] == "--screenshot" && i + 1 < ctx.args.size())
      screenshot = ctx.args[++i];
    else if (name.empty() && !ctx.args[i].empty() && ctx.args[i][0] != '-')
      name = ctx.args[i];
    else
      return Fail(kUsage);
  }
  if (name.empty() || (file.empty() && screenshot.empty())) return Fail(kUsage);
  HostedEffect effect;
  std::string error;
  if (!OpenEffect(ModulePath(ModuleDirectory(ctx.modulesDir), name), &effect, &error))
    return Fail(error);
  if (effect.params.empty()) {
    CloseEffect(&effect);
    return Fail(name + " has no settings");
  }
  std::vector<uint8_t> existing;
  std::string ignored;
  if (!file.empty() && ReadWholeFile(file, &existing, &ignored)) {
    SettingsOptions options;
    options.paramsFile = file;
    if (!ApplySettingsOptions(options, &effect, &error)) {
      CloseEffect(&effect);
      return Fail(error);
    }
  }
  bool ok = RunDialog(effect, screenshot, &error);
  if (ok && screenshot.empty()) ok = WriteFileAtomically(file, effect.params, &error);
  CloseEffect(&effect);
  return ok ? 0 : Fail(error);
}

}  // namespace zk
