#if defined(_WIN32)

#include "dialog_driver.h"

#include <commctrl.h>

namespace zk::test {
namespace {

constexpr char kOwnerClass[] = "ZelkorTestHostWindow";
constexpr char kDialogClass[] = "#32770";
constexpr WPARAM kFlushCookie = 0x5A4B4452;
constexpr DWORD kPollMs = 5;

// The colour chooser's red, green and blue edit fields, and the file chooser's name field
// (a plain edit in one layout, an editable combo box in the other).
constexpr int kChooserRedEdit = 706;
constexpr int kChooserGreenEdit = 707;
constexpr int kChooserBlueEdit = 708;
constexpr int kFileNameEdit = 1152;
constexpr int kFileNameCombo = 1148;

UINT FlushMessage() {
  static const UINT message = RegisterWindowMessageA("ZelkorDialogDriverFlush");
  return message;
}

// Runs on the dialog's thread: the marker message is retrieved only after everything posted
// before it has been dispatched and handled.
LRESULT CALLBACK FlushHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG* m = reinterpret_cast<const MSG*>(lParam);
    if (m->hwnd == nullptr && m->message == FlushMessage() && m->wParam == kFlushCookie)
      SetEvent(reinterpret_cast<HANDLE>(m->lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RegisterOwnerClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kOwnerClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}

std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr,
                      nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

// Window texts through WM_GETTEXT, which crosses to the window's thread.
std::string WindowText(HWND window) {
  if (window == nullptr) return std::string();
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(copied));
  return ToUtf8(text);
}

bool IsDialogClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, kDialogClass) == 0;
}

struct WindowSearch {
  HWND exclude;
  HWND owner;  // null: any owner
  HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  if (window == search->exclude || !IsWindowVisible(window) || !IsDialogClass(window)) return TRUE;
  if (search->owner != nullptr && GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM context) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

BOOL CALLBACK CollectDialogs(HWND window, LPARAM context) {
  if (IsDialogClass(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

}  // namespace

DialogDriver::DialogDriver() {
  ownerReady_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  flushed_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

DialogDriver::~DialogDriver() {
  CloseEverything();
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (thread_ != nullptr) CloseHandle(thread_);
  CloseHandle(ownerReady_);
  CloseHandle(flushed_);
}

bool DialogDriver::Open(HostedEffect& effect, int32_t graphBarCount) {
  HostedEffect* e = &effect;
  return Start(
      [e, graphBarCount](HWND owner) { return ConfigureEffect(*e, owner, graphBarCount); });
}

bool DialogDriver::Start(std::function<int32_t(HWND owner)> call) {
  if (thread_ != nullptr) return false;  // one call per driver
  call_ = std::move(call);
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
  if (thread_ == nullptr) return false;
  const HANDLE waits[2] = {ownerReady_, thread_};
  if (WaitForMultipleObjects(2, waits, FALSE, kTimeoutMs) != WAIT_OBJECT_0) return false;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, FlushHook, nullptr, threadId_);
  dialog_ = WaitForThreadDialog(kTimeoutMs);
  return dialog_ != nullptr && Flush();
}

DWORD WINAPI DialogDriver::ThreadMain(void* self) {
  auto* d = static_cast<DialogDriver*>(self);
  RegisterOwnerClass();
  // A host window of this thread owns the dialog, as in an editor; it stays hidden.
  d->owner_ = CreateWindowExA(0, kOwnerClass, "Zelkor test host", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                              200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);  // the thread's message queue exists now
  SetEvent(d->ownerReady_);
  d->result_ = d->call_(d->owner_);
  DestroyWindow(d->owner_);
  return 0;
}

bool DialogDriver::closed() const {
  return thread_ == nullptr || WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0;
}

bool DialogDriver::WaitClosed(DWORD timeoutMs) {
  return thread_ != nullptr && WaitForSingleObject(thread_, timeoutMs) == WAIT_OBJECT_0;
}

bool DialogDriver::Flush(DWORD timeoutMs) {
  if (closed()) return true;
  ResetEvent(flushed_);
  // Posting fails once the thread is on its way out; then its end is what to wait for.
  if (!PostThreadMessageA(threadId_, FlushMessage(), kFlushCookie,
                          reinterpret_cast<LPARAM>(flushed_)))
    return WaitForSingleObject(thread_, timeoutMs) == WAIT_OBJECT_0;
  const HANDLE waits[2] = {flushed_, thread_};
  const DWORD r = WaitForMultipleObjects(2, waits, FALSE, timeoutMs);
  return r == WAIT_OBJECT_0 || r == WAIT_OBJECT_0 + 1;
}

HWND DialogDriver::WaitForThreadDialog(DWORD timeoutMs) const {
  return WaitForDialog(owner_, nullptr, timeoutMs);
}

HWND DialogDriver::WaitForOwnedDialog(HWND ownerWindow, DWORD timeoutMs) const {
  return WaitForDialog(ownerWindow, ownerWindow, timeoutMs);
}

HWND DialogDriver::WaitForDialog(HWND exclude, HWND ownerWindow, DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    WindowSearch search{exclude, ownerWindow, nullptr};
    EnumThreadWindows(threadId_, FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (closed()) return nullptr;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool DialogDriver::WaitGone(HWND window, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

HWND DialogDriver::Control(int32_t id) const {
  return dialog_ != nullptr ? GetDlgItem(dialog_, id) : nullptr;
}

std::string DialogDriver::Title() const { return WindowText(dialog_); }
std::string DialogDriver::Text(int32_t id) const { return WindowText(Control(id)); }

std::string DialogDriver::ClassName(int32_t id) const {
  char name[64] = {};
  if (HWND c = Control(id)) GetClassNameA(c, name, sizeof name);
  return name;
}

bool DialogDriver::Exists(int32_t id) const { return Control(id) != nullptr; }

bool DialogDriver::IsChecked(int32_t id) const {
  HWND c = Control(id);
  return c != nullptr && SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool DialogDriver::IsEnabled(int32_t id) const {
  HWND c = Control(id);
  return c != nullptr && IsWindowEnabled(c);
}

bool DialogDriver::IsVisible(int32_t id) const {
  HWND c = Control(id);
  return c != nullptr && IsWindowVisible(c);
}

TrackbarState DialogDriver::Trackbar(int32_t id) const {
  TrackbarState s;
  HWND t = Control(id);
  if (t == nullptr) return s;
  s.minimum = static_cast<int32_t>(SendMessageA(t, TBM_GETRANGEMIN, 0, 0));
  s.maximum = static_cast<int32_t>(SendMessageA(t, TBM_GETRANGEMAX, 0, 0));
  s.position = static_cast<int32_t>(SendMessageA(t, TBM_GETPOS, 0, 0));
  s.pageSize = static_cast<int32_t>(SendMessageA(t, TBM_GETPAGESIZE, 0, 0));
  s.vertical = (GetWindowLongA(t, GWL_STYLE) & TBS_VERT) != 0;
  // The count includes the two end tics; the others sit one frequency apart.
  const LRESULT tics = SendMessageA(t, TBM_GETNUMTICS, 0, 0);
  int32_t firstInside = s.maximum;
  for (LRESULT i = 0; i + 2 < tics; ++i) {
    const int32_t at = static_cast<int32_t>(SendMessageA(t, TBM_GETTIC, i, 0));
    if (at > s.minimum && at < firstInside) firstInside = at;
  }
  if (tics > 2) s.ticFrequency = firstInside - s.minimum;
  return s;
}

int32_t DialogDriver::ComboSelection(int32_t id) const {
  HWND c = Control(id);
  return c != nullptr ? static_cast<int32_t>(SendMessageA(c, CB_GETCURSEL, 0, 0)) : CB_ERR;
}

std::vector<std::string> DialogDriver::ComboItems(int32_t id) const {
  std::vector<std::string> items;
  HWND c = Control(id);
  if (c == nullptr) return items;
  const LRESULT count = SendMessageW(c, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(c, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    items.push_back(ToUtf8(text));
  }
  return items;
}

RECT DialogDriver::ControlRect(int32_t id) const {
  RECT r{};
  if (HWND c = Control(id)) {
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

COLORREF DialogDriver::WindowPixel(POINT at) const {
  // Painting waits behind every other message and a control may still repaint over the
  // dialog's own drawing: the whole dialog is painted again, as the user would see it.
  RedrawWindow(dialog_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetWindowDC(dialog_);
  const COLORREF c = GetPixel(dc, at.x, at.y);
  ReleaseDC(dialog_, dc);
  return c;
}

SIZE DialogDriver::UnitsToPixels(int32_t widthUnits, int32_t heightUnits) const {
  RECT r = {0, 0, widthUnits, heightUnits};
  MapDialogRect(dialog_, &r);
  return SIZE{r.right, r.bottom};
}

SIZE DialogDriver::ClientSize() const {
  RECT r{};
  GetClientRect(dialog_, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::string DialogDriver::FontFace() const {
  LOGFONTW font{};
  const HFONT handle = reinterpret_cast<HFONT>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
  if (handle == nullptr || GetObjectW(handle, sizeof font, &font) == 0) return std::string();
  return ToUtf8(font.lfFaceName);
}

void DialogDriver::MoveTrackbar(int32_t id, int32_t position) {
  HWND t = Control(id);
  if (t == nullptr) return;
  SendMessageA(t, TBM_SETPOS, TRUE, position);
  const WPARAM at = static_cast<WPARAM>(SendMessageA(t, TBM_GETPOS, 0, 0));
  // What the trackbar tells its parent when the user lets go of the thumb.
  const UINT scroll = (GetWindowLongA(t, GWL_STYLE) & TBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
  SendMessageA(dialog_, scroll, MAKEWPARAM(TB_THUMBPOSITION, at), reinterpret_cast<LPARAM>(t));
  SendMessageA(dialog_, scroll, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(t));
}

void DialogDriver::Click(int32_t id) {
  HWND c = Control(id);
  if (c == nullptr || !IsWindowEnabled(c)) return;  // nothing a user could click
  // Posted, not sent: a click that opens a chooser must not block the test's thread.
  PostMessageA(c, BM_CLICK, 0, 0);
  Flush();
}

void DialogDriver::SelectCombo(int32_t id, int32_t index) {
  HWND c = Control(id);
  if (c == nullptr) return;
  SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
}

void DialogDriver::SetText(int32_t id, const std::string& utf8) {
  HWND c = Control(id);
  if (c == nullptr) return;
  const std::wstring text = FromUtf8(utf8);
  SendMessageW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DialogDriver::PressKey(WORD virtualKey) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  HWND target = dialog_;
  if (GetGUIThreadInfo(threadId_, &info) && info.hwndFocus != nullptr) target = info.hwndFocus;
  const UINT scan = MapVirtualKeyA(virtualKey, 0);
  PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
  Flush();
}

LRESULT DialogDriver::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(dialog_, message, wParam, lParam);
}

bool DialogDriver::PickColour(int32_t buttonId, uint32_t colourWord) {
  Click(buttonId);
  const HWND chooser = WaitForOwnedDialog(dialog_);
  return chooser != nullptr && AnswerColourChooser(chooser, colourWord);
}

bool DialogDriver::PickFile(int32_t buttonId, const std::string& path) {
  Click(buttonId);
  const HWND chooser = WaitForOwnedDialog(dialog_);
  return chooser != nullptr && AnswerFileChooser(chooser, path);
}

bool DialogDriver::CancelChooserOf(int32_t buttonId) {
  Click(buttonId);
  const HWND chooser = WaitForOwnedDialog(dialog_);
  return chooser != nullptr && CancelChooser(chooser);
}

bool DialogDriver::AnswerColourChooser(HWND chooser, uint32_t colourWord) {
  // Typing the three channels, as a user of the full chooser does; each edit tells the
  // chooser, which keeps the colour it will answer with.
  const int fields[3] = {kChooserRedEdit, kChooserGreenEdit, kChooserBlueEdit};
  const uint32_t values[3] = {colourWord & 0xFF, (colourWord >> 8) & 0xFF,
                              (colourWord >> 16) & 0xFF};
  for (int i = 0; i < 3; ++i) {
    HWND edit = GetDlgItem(chooser, fields[i]);
    if (edit == nullptr) return false;
    const std::string text = std::to_string(values[i]);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
  return WaitGone(chooser, kTimeoutMs) && Flush();
}

bool DialogDriver::AnswerFileChooser(HWND chooser, const std::string& path) {
  HWND edit = GetDlgItem(chooser, kFileNameEdit);
  if (edit == nullptr) {
    // The name combo box may be wrapped (an extended combo box holding the combo box
    // holding the edit): the edit is somewhere below it.
    if (HWND combo = GetDlgItem(chooser, kFileNameCombo)) {
      EnumChildWindows(combo, FindEdit, reinterpret_cast<LPARAM>(&edit));
    }
  }
  if (edit == nullptr) return false;
  const std::wstring text = FromUtf8(path);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
  return WaitGone(chooser, kTimeoutMs) && Flush();
}

bool DialogDriver::CancelChooser(HWND chooser) {
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDCANCEL)));
  return WaitGone(chooser, kTimeoutMs) && Flush();
}

void DialogDriver::CloseEverything() {
  if (thread_ == nullptr) return;
  // Cancel, then OK (some dialogs have no Cancel), innermost dialogs first, until the
  // call returns; a thread that never comes back is stopped so the suite goes on.
  const WPARAM buttons[2] = {IDCANCEL, IDOK};
  for (int round = 0; round < 8 && !closed(); ++round) {
    std::vector<HWND> dialogs;
    EnumThreadWindows(threadId_, CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
      if (!IsWindowEnabled(*it)) continue;  // a nested modal dialog is open above it
      PostMessageA(*it, WM_COMMAND, MAKEWPARAM(buttons[round % 2], BN_CLICKED), 0);
    }
    WaitForSingleObject(thread_, 500);
  }
  if (!closed()) {
    TerminateThread(thread_, 1);
    WaitForSingleObject(thread_, kTimeoutMs);
  }
}

}  // namespace zk::test

#endif  // _WIN32
