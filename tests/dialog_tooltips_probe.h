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

inline ToolInfo ToolAt(HWND tip, int32_t index) {
  char text[1024] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = text;
  SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tool));
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
