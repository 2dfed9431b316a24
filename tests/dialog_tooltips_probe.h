// Reading a live tooltip window from a test (Windows builds only): its tools in the order
// they were added, each with its control and text, and the balloon window a dialog owns.
#pragma once

#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <commctrl.h>

#include <cstring>
#include <string>

namespace zk::test {

struct ToolInfo {
  UINT flags;
  HWND control;
  UINT_PTR id;
  RECT rect;
  std::string text;
};

inline int32_t ToolCount(HWND tip) {
  return static_cast<int32_t>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
}

// Enumerating copies at most 80 characters of the text, and so does the ANSI text query
// under some versions of the control; the wide query returns it whole.
inline ToolInfo ToolAt(HWND tip, int32_t index) {
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  char head[1024] = {};
  tool.lpszText = head;
  SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tool));
  wchar_t wide[1024] = {};
  TTTOOLINFOW query{};
  query.cbSize = sizeof query;
  query.hwnd = tool.hwnd;
  query.uId = tool.uId;
  query.lpszText = wide;
  SendMessageW(tip, TTM_GETTEXTW, sizeof wide / sizeof wide[0], reinterpret_cast<LPARAM>(&query));
  char text[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return ToolInfo{tool.uFlags, tool.hwnd, tool.uId, tool.rect, text};
}

struct TooltipSearch {
  HWND dialog;
  HWND found;
};

inline BOOL CALLBACK MatchTooltipWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TooltipSearch*>(data);
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search->dialog) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The tooltip window owned by `dialog` among the windows of the dialog's thread.
inline HWND FindTooltipWindow(HWND dialog) {
  TooltipSearch search{dialog, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), MatchTooltipWindow,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace zk::test

#endif  // _WIN32
