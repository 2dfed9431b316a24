// The dialog driver's own checks, and its implementation: the suite collects *_test.cpp
// files, so the driver is compiled here once for every dialog test that includes its header.
#if defined(_WIN32)

#include "dialog_driver.cpp"

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk::test {
namespace {

// A scratch dialog made of the controls other modules' dialogs use, recording what its
// procedure was told.
enum ScratchId : int32_t {
  kCombo = 201,
  kCheck = 202,
  kEdit = 203,
  kVerticalBar = 204,
  kDisabledButton = 205,
  kPlainButton = 206,
};

struct ScratchLog {
  std::vector<std::string> events;
};
ScratchLog* g_log = nullptr;

HWND AddControl(HWND dialog, const char* cls, const char* text, DWORD style, int32_t id, int x,
                int y, int w, int h) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

INT_PTR CALLBACK ScratchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowTextW(dialog, L"\u706b\u7130 scratch");
      HWND combo =
          AddControl(dialog, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, kCombo, 5, 5, 120, 120);
      for (const wchar_t* item : {L"wave", L"\u706b", L"rain"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      SendMessageW(combo, CB_SETCURSEL, 1, 0);
      AddControl(dialog, "BUTTON", "Check", BS_AUTOCHECKBOX, kCheck, 5, 35, 100, 16);
      AddControl(dialog, "EDIT", "12", ES_AUTOHSCROLL | WS_BORDER, kEdit, 5, 55, 60, 18);
      HWND bar = AddControl(dialog, TRACKBAR_CLASSA, "", TBS_VERT | TBS_AUTOTICKS, kVerticalBar,
                            150, 5, 30, 120);
      SendMessageA(bar, TBM_SETRANGE, 0, MAKELPARAM(1, 3));
      SendMessageA(bar, TBM_SETTICFREQ, 1, 0);
      SendMessageA(bar, TBM_SETPAGESIZE, 0, 1);
      HWND disabled =
          AddControl(dialog, "BUTTON", "Off", BS_PUSHBUTTON, kDisabledButton, 5, 80, 60, 20);
      EnableWindow(disabled, FALSE);
      AddControl(dialog, "BUTTON", "Plain", BS_PUSHBUTTON, kPlainButton, 70, 80, 60, 20);
      return TRUE;
    }
    case WM_VSCROLL:
      g_log->events.push_back(
          "vscroll " + std::to_string(LOWORD(wParam)) + " " +
          std::to_string(SendMessageA(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0)));
      return TRUE;
    case WM_COMMAND:
      g_log->events.push_back("command " + std::to_string(LOWORD(wParam)) + " " +
                              std::to_string(HIWORD(wParam)));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, LOWORD(wParam) == IDOK ? 11 : 22);
      return TRUE;
    default:
      return FALSE;
  }
}

// An empty template: the procedure adds the controls.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu, windowClass, title;
};

int32_t RunScratchDialog(HWND owner) {
  static EmptyTemplate t{};
  t.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.header.cx = 200;
  t.header.cy = 100;
  // A Unicode dialog, so its title keeps every character whatever the code page.
  return static_cast<int32_t>(
      DialogBoxIndirectParamW(GetModuleHandleA(nullptr), &t.header, owner, ScratchProc, 0));
}

bool Logged(const ScratchLog& log, const std::string& event) {
  for (const std::string& e : log.events)
    if (e == event) return true;
  return false;
}

class DialogDriverScratch : public ::testing::Test {
 protected:
  void SetUp() override { g_log = &log_; }
  void TearDown() override { g_log = nullptr; }
  ScratchLog log_;
};

TEST_F(DialogDriverScratch, ReadsControlsAndTitleAsUtf8) {
  DialogDriver d;
  ASSERT_TRUE(d.Start(RunScratchDialog));
  EXPECT_EQ(d.Title(), "\xE7\x81\xAB\xE7\x84\xB0 scratch");
  EXPECT_EQ(d.ComboItems(kCombo), (std::vector<std::string>{"wave", "\xE7\x81\xAB", "rain"}));
  EXPECT_EQ(d.ComboSelection(kCombo), 1);
  EXPECT_EQ(d.ClassName(kCombo), "ComboBox");
  EXPECT_FALSE(d.IsChecked(kCheck));
  EXPECT_EQ(d.Text(kEdit), "12");
  EXPECT_TRUE(d.IsEnabled(kPlainButton));
  EXPECT_FALSE(d.IsEnabled(kDisabledButton));
  EXPECT_TRUE(d.IsVisible(kPlainButton));
  EXPECT_FALSE(d.Exists(999));
  const TrackbarState bar = d.Trackbar(kVerticalBar);
  EXPECT_TRUE(bar.vertical);
  EXPECT_EQ(bar.minimum, 1);
  EXPECT_EQ(bar.maximum, 3);
  EXPECT_EQ(bar.pageSize, 1);
  EXPECT_EQ(bar.ticFrequency, 1);
  // The owner is disabled while the modal dialog runs and enabled again afterwards.
  EXPECT_FALSE(IsWindowEnabled(d.owner()));
  d.PressKey(VK_RETURN);  // the dialog manager's default button: IDOK
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 11);
  EXPECT_TRUE(IsWindowEnabled(d.owner()) || !IsWindow(d.owner()));
}

TEST_F(DialogDriverScratch, ActionsReachTheProcedureBeforeTheyReturn) {
  DialogDriver d;
  ASSERT_TRUE(d.Start(RunScratchDialog));
  d.SelectCombo(kCombo, 2);
  EXPECT_TRUE(Logged(log_, "command 201 1"));  // CBN_SELCHANGE
  EXPECT_EQ(d.ComboSelection(kCombo), 2);
  d.Click(kCheck);
  EXPECT_TRUE(d.IsChecked(kCheck));
  EXPECT_TRUE(Logged(log_, "command 202 0"));  // BN_CLICKED
  d.SetText(kEdit, "345");
  EXPECT_EQ(d.Text(kEdit), "345");
  EXPECT_TRUE(Logged(log_, "command 203 768"));  // EN_CHANGE
  d.MoveTrackbar(kVerticalBar, 9);               // clamped by the control
  EXPECT_TRUE(Logged(log_, "vscroll 4 3"));      // TB_THUMBPOSITION at 3
  EXPECT_TRUE(Logged(log_, "vscroll 8 3"));      // TB_ENDTRACK
  const size_t before = log_.events.size();
  d.Click(kDisabledButton);  // a user cannot click it
  EXPECT_EQ(log_.events.size(), before);
  d.PressEscape();
  ASSERT_TRUE(d.WaitClosed());
  EXPECT_EQ(d.result(), 22);
  EXPECT_TRUE(Logged(log_, "command 2 0"));
}

TEST_F(DialogDriverScratch, LeftOpenIsClosedByTheDestructor) {
  HWND owner = nullptr;
  {
    DialogDriver d;
    ASSERT_TRUE(d.Start(RunScratchDialog));
    owner = d.owner();
  }
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_TRUE(Logged(log_, "command 2 0"));
}

uint32_t g_chosenColour = 0;

int32_t RunColourChooser(HWND owner) {
  COLORREF custom[16] = {};
  CHOOSECOLORA c{};
  c.lStructSize = sizeof c;
  c.hwndOwner = owner;
  c.rgbResult = 0x808080;
  c.lpCustColors = custom;
  const BOOL ok = ChooseColorA(&c);
  g_chosenColour = c.rgbResult;
  return ok ? 1 : 0;
}

TEST(DialogDriver, AnswersAndCancelsTheColourChooser) {
  {
    DialogDriver d;
    ASSERT_TRUE(d.Start(RunColourChooser));
    ASSERT_TRUE(d.AnswerColourChooser(d.dialog(), 0x123456));
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(g_chosenColour, 0x123456u);
  }
  {
    DialogDriver d;
    ASSERT_TRUE(d.Start(RunColourChooser));
    ASSERT_TRUE(d.CancelChooser(d.dialog()));
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(d.result(), 0);
  }
}

char g_chosenFile[MAX_PATH];

int32_t RunFileChooser(HWND owner) {
  g_chosenFile[0] = '\0';
  OPENFILENAMEA f{};
  f.lStructSize = sizeof f;
  f.hwndOwner = owner;
  f.lpstrFilter = "Bitmaps (*.bmp)\0*.bmp\0All files\0*.*\0";
  f.lpstrFile = g_chosenFile;
  f.nMaxFile = sizeof g_chosenFile;
  f.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return GetOpenFileNameA(&f) ? 1 : 0;
}

TEST(DialogDriver, AnswersAndCancelsTheFileChooser) {
  char directory[MAX_PATH];
  GetCurrentDirectoryA(sizeof directory, directory);
  const std::string path = std::string(directory) + "\\zelkor_tests.exe";
  {
    DialogDriver d;
    ASSERT_TRUE(d.Start(RunFileChooser));
    ASSERT_TRUE(d.AnswerFileChooser(d.dialog(), path));
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(d.result(), 1);
    EXPECT_STRCASEEQ(g_chosenFile, path.c_str());
  }
  {
    DialogDriver d;
    ASSERT_TRUE(d.Start(RunFileChooser));
    ASSERT_TRUE(d.CancelChooser(d.dialog()));
    ASSERT_TRUE(d.WaitClosed());
    EXPECT_EQ(d.result(), 0);
  }
}

}  // namespace
}  // namespace zk::test

#endif  // _WIN32
