// DialogTooltips on a window of our own: the balloon window and its tools, the caption
// from a module's version resource, attaching once per opening, and detaching.
#if defined(_WIN32)

#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "dialog_tooltips.h"
#include "dialog_tooltips_probe.h"
#include "test_support.h"

namespace zk::test {
namespace {

constexpr int32_t kFirstButton = 10;
constexpr int32_t kSecondButton = 11;
constexpr int32_t kMissing = 999;

const TooltipEntry kEntries[] = {
    {kFirstButton, "First line.\nSecond line."},
    {kMissing, "Nobody sees this."},
    {kSecondButton, "Eleven."},
};
const TooltipSet kTestTools = {122, kEntries, 3};

// A captioned popup with two buttons, standing in for a dialog.
class FakeDialog {
 public:
  explicit FakeDialog(const char* title) {
    window_ = CreateWindowExA(0, "STATIC", title, WS_POPUP | WS_CAPTION, 0, 0, 300, 200, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int32_t id : {kFirstButton, kSecondButton}) {
      CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 10 + 60 * (id - kFirstButton), 10,
                      50, 20, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleA(nullptr), nullptr);
    }
  }
  ~FakeDialog() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  HWND control(int32_t id) const { return GetDlgItem(window_, id); }
  std::string title() const {
    char text[512];
    GetWindowTextA(window_, text, sizeof text);
    return text;
  }

 private:
  HWND window_;
};

std::string ClassOf(HWND window) {
  char name[64];
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The bloom module's instance, for its version and icon resources.
class LoadedBloom {
 public:
  LoadedBloom() : module_(LoadLibraryA("modules\\bloom.vfx")) {}
  ~LoadedBloom() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HINSTANCE instance() const { return module_; }

 private:
  HMODULE module_;
};

TEST(DialogTooltips, StartsEmptyAndRefusesNulls) {
  FakeDialog dialog("Test");
  DialogTooltips tips(kTestTools);
  EXPECT_EQ(tips.tooltipWindow, nullptr);
  EXPECT_EQ(tips.dialogWindow, nullptr);
  EXPECT_EQ(tips.moduleInstance, nullptr);
  EXPECT_EQ(tips.addTool(nullptr, "text"), 0);
  EXPECT_EQ(tips.addTool(dialog.control(kFirstButton), nullptr), 0);
  EXPECT_EQ(tips.addToolById(nullptr, kFirstButton, "text"), 0);
  EXPECT_EQ(tips.addToolById(dialog.window(), kMissing, "text"), 0);
  EXPECT_EQ(tips.addToolHere(kFirstButton, "text"), 0);  // no dialog attached
  EXPECT_EQ(tips.tooltipWindow, nullptr);
  EXPECT_EQ(tips.dialogWindow, nullptr);
  tips.activate(TRUE);  // nothing to activate yet
  tips.detach();
  EXPECT_EQ(tips.tooltipWindow, nullptr);
}

TEST(DialogTooltips, FirstToolMakesOneBalloonWindowOwnedByTheDialog) {
  FakeDialog dialog("Test");
  DialogTooltips tips(kTestTools);
  HWND first = dialog.control(kFirstButton);
  ASSERT_EQ(tips.addTool(first, "one"), 1);
  EXPECT_EQ(tips.dialogWindow, dialog.window());  // taken from the control's parent
  HWND tip = tips.tooltipWindow;
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(ClassOf(tip), "tooltips_class32");
  const LONG style = GetWindowLongA(tip, GWL_STYLE);
  EXPECT_EQ(static_cast<DWORD>(style) & 0x80000043u,
            0x80000043u);  // popup, always, no prefix, balloon
  EXPECT_EQ(GetWindow(tip, GW_OWNER), dialog.window());
  EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 200);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
  ASSERT_EQ(ToolCount(tip), 1);
  const ToolInfo t = ToolAt(tip, 0);
  EXPECT_EQ(t.flags & 0x112u, 0x112u);  // subclass, transparent, centred
  EXPECT_EQ(t.control, first);
  EXPECT_EQ(t.id, 0u);
  RECT client;
  GetClientRect(first, &client);
  EXPECT_TRUE(EqualRect(&t.rect, &client));
  EXPECT_EQ(t.text, "one");

  ASSERT_EQ(tips.addTool(dialog.control(kSecondButton), "two"), 1);
  EXPECT_EQ(tips.tooltipWindow, tip);  // the same window serves every tool
  EXPECT_EQ(ToolCount(tip), 2);
  EXPECT_EQ(tips.addToolHere(kSecondButton, "two again"), 1);
  EXPECT_EQ(tips.addToolHere(kMissing, "none"), 0);
  EXPECT_EQ(ToolCount(tip), 3);

  tips.detach();
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_EQ(tips.tooltipWindow, nullptr);
  EXPECT_EQ(tips.dialogWindow, nullptr);
  EXPECT_EQ(tips.moduleInstance, nullptr);
  tips.detach();  // a second detach only clears the fields again
  EXPECT_EQ(tips.tooltipWindow, nullptr);
}

TEST(DialogTooltips, AttachAddsIconVersionAndToolsOnlyOnce) {
  LoadedBloom bloom;
  ASSERT_NE(bloom.instance(), nullptr);
  FakeDialog dialog("Test");
  DialogTooltips tips(kTestTools);
  tips.attachDialog(dialog.window(), bloom.instance());
  EXPECT_EQ(tips.dialogWindow, dialog.window());
  EXPECT_EQ(tips.moduleInstance, bloom.instance());
  EXPECT_EQ(dialog.title(), "Test Version 2.01");
  const LRESULT icon = SendMessageA(dialog.window(), WM_GETICON, ICON_SMALL, 0);
  EXPECT_NE(icon, 0);
  EXPECT_EQ(reinterpret_cast<HICON>(icon), LoadIconA(bloom.instance(), MAKEINTRESOURCEA(122)));
  HWND tip = tips.tooltipWindow;
  ASSERT_NE(tip, nullptr);
  ASSERT_EQ(ToolCount(tip), 2);  // the missing control is skipped
  EXPECT_EQ(ToolAt(tip, 0).control, dialog.control(kFirstButton));
  EXPECT_EQ(ToolAt(tip, 0).text, "First line.\nSecond line.");
  EXPECT_EQ(ToolAt(tip, 1).control, dialog.control(kSecondButton));
  EXPECT_EQ(ToolAt(tip, 1).text, "Eleven.");

  // A re-initialisation of the same dialog changes nothing.
  tips.attachDialog(dialog.window(), bloom.instance());
  EXPECT_EQ(dialog.title(), "Test Version 2.01");
  EXPECT_EQ(tips.tooltipWindow, tip);
  EXPECT_EQ(ToolCount(tip), 2);

  // After detach the next dialog gets everything afresh.
  tips.detach();
  EXPECT_FALSE(IsWindow(tip));
  FakeDialog next("Again");
  tips.attachDialog(next.window(), bloom.instance());
  EXPECT_EQ(next.title(), "Again Version 2.01");
  ASSERT_NE(tips.tooltipWindow, nullptr);
  EXPECT_EQ(ToolCount(tips.tooltipWindow), 2);
  EXPECT_EQ(GetWindow(tips.tooltipWindow, GW_OWNER), next.window());
}

TEST(DialogTooltips, WithoutAVersionResourceTheTitleStays) {
  // The test program carries no version resource and no icon 122.
  FakeDialog dialog("Plain");
  DialogTooltips tips(kTestTools);
  tips.attachDialog(dialog.window(), GetModuleHandleA(nullptr));
  EXPECT_EQ(dialog.title(), "Plain");
  ASSERT_NE(tips.tooltipWindow, nullptr);
  EXPECT_EQ(ToolCount(tips.tooltipWindow), 2);
}

TEST(DialogTooltips, ToolsAddedBeforeAttachingKeepTheFirstDialog) {
  // addTool takes the control's parent as the dialog, and attachDialog then does nothing.
  LoadedBloom bloom;
  FakeDialog dialog("Early");
  DialogTooltips tips(kTestTools);
  ASSERT_EQ(tips.addTool(dialog.control(kSecondButton), "early"), 1);
  tips.attachDialog(dialog.window(), bloom.instance());
  EXPECT_EQ(dialog.title(), "Early");
  EXPECT_EQ(ToolCount(tips.tooltipWindow), 1);
}

// Records the TTM_ACTIVATE messages the tooltip window receives.
WNDPROC g_tooltipProc = nullptr;
int g_activations = 0;
WPARAM g_lastActivate = 99;
LRESULT CALLBACK RecordActivate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TTM_ACTIVATE) {
    ++g_activations;
    g_lastActivate = wParam;
  }
  return CallWindowProcA(g_tooltipProc, window, message, wParam, lParam);
}

TEST(DialogTooltips, ActivateReachesTheBalloonWindow) {
  FakeDialog dialog("Test");
  DialogTooltips tips(kTestTools);
  ASSERT_EQ(tips.addTool(dialog.control(kFirstButton), "one"), 1);
  g_activations = 0;
  g_tooltipProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      tips.tooltipWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordActivate)));
  tips.activate(TRUE);
  EXPECT_EQ(g_activations, 1);
  EXPECT_EQ(g_lastActivate, 1u);
  tips.activate(FALSE);
  EXPECT_EQ(g_activations, 2);
  EXPECT_EQ(g_lastActivate, 0u);
  SetWindowLongPtrA(tips.tooltipWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_tooltipProc));
}

TEST(DialogTooltips, ProductVersionComesFromEachModulesOwnResource) {
  LoadedBloom bloom;
  char version[16];
  ASSERT_TRUE(ReadProductVersion(bloom.instance(), version, sizeof version));
  EXPECT_STREQ(version, "2.01");
  HMODULE crossfade = LoadLibraryA("modules\\crossfade.vfx");
  ASSERT_NE(crossfade, nullptr);
  ASSERT_TRUE(ReadProductVersion(crossfade, version, sizeof version));
  EXPECT_STREQ(version, "1.01");
  FreeLibrary(crossfade);
  EXPECT_FALSE(ReadProductVersion(GetModuleHandleA(nullptr), version, sizeof version));
  EXPECT_FALSE(ReadProductVersion(bloom.instance(), version, 4));  // "2.01" needs 5 bytes
}

TEST(DialogTooltips, ModuleInstanceIsMadeOnce) {
  DialogTooltips& first = ModuleDialogTooltips(kTestTools);
  DialogTooltips& second = ModuleDialogTooltips(kTestTools);
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(first.tooltipWindow, nullptr);
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
