// Twister's settings from the command line: named fields and whole records render what the
// record says, bad settings are refused, and `configure` edits a settings file (in its
// dialog on Windows; natively the file is left as it is).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image_files.h"
#include "test_support.h"
#include "twister_params.h"

#if defined(_WIN32)
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>

#include "twister_ids.h"
#endif

namespace zk {
namespace {

using test::RunZelkor;
using test::TempPath;

std::vector<uint8_t> RecordBytes(const TwisterParams& p) {
  std::vector<uint8_t> bytes(sizeof p);
  std::memcpy(bytes.data(), &p, sizeof p);
  return bytes;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  ReadWholeFile(path, &bytes, &error);
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string error;
  return WriteFileAtomically(path, bytes, &error);
}

class TwisterCli : public ::testing::Test {
 protected:
  void SetUp() override {
    a_ = TempPath("twister_a.bmp");
    b_ = TempPath("twister_b.bmp");
    out_ = TempPath("twister_out.bmp");
    std::string error;
    ASSERT_TRUE(WriteImageFile(a_, test::PatternFrame(9, 6, 61), &error)) << error;
    ASSERT_TRUE(WriteImageFile(b_, test::PatternFrame(9, 6, 62), &error)) << error;
    std::remove(out_.c_str());
  }
  std::string Render(const std::string& settings) const {
    return "render twister --from " + a_ + " --to " + b_ + " --out " + out_ + " --progress 0.4 " +
           settings;
  }
  // The module's own frame for the record, through the host library.
  FrameImage Expected(const TwisterParams& p) const {
    HostedEffect effect;
    EXPECT_TRUE(test::OpenBuiltEffect("twister", &effect));
    std::memcpy(effect.params.data(), &p, sizeof p);
    FrameImage a, b;
    std::string error;
    EXPECT_TRUE(ReadBmp24(a_, &a, &error));
    EXPECT_TRUE(ReadBmp24(b_, &b, &error));
    FrameImage out = MakeFrameImage(9, 6);
    EXPECT_EQ(1, RenderEffectFrame(effect, a, b, 0.4f, RenderChoices(), &out));
    CloseEffect(&effect);
    return out;
  }
  FrameImage Rendered() const {
    FrameImage out;
    std::string error;
    EXPECT_TRUE(ReadBmp24(out_, &out, &error)) << error;
    return out;
  }
  std::string a_, b_, out_;
};

TEST_F(TwisterCli, NamedFieldsStartFromTheDefaults) {
  ASSERT_EQ(0, RunZelkor(Render("--set turnTime=0.5 --set backgroundColour=0x0000FF")));
  TwisterParams p;
  WriteTwisterDefaults(&p);
  p.turnTime = 0.5f;
  p.backgroundColour = 0x0000FF;
  EXPECT_EQ(Rendered().pixels, Expected(p).pixels);
  // The defaults alone differ from that frame: the settings did reach the module.
  TwisterParams defaults;
  WriteTwisterDefaults(&defaults);
  EXPECT_NE(Expected(defaults).pixels, Expected(p).pixels);
}

TEST_F(TwisterCli, WholeRecordFromAFileThenNamedFields) {
  const TwisterParams p = {0x00FF00, 540, 2, 0x804020, 0.35f};
  const std::string file = TempPath("twister_record.bin");
  ASSERT_TRUE(WriteFileBytes(file, RecordBytes(p)));
  ASSERT_EQ(0, RunZelkor(Render("--params-file " + file + " --set shadingMode=0")));
  TwisterParams q = p;
  q.shadingMode = 0;
  EXPECT_EQ(Rendered().pixels, Expected(q).pixels);
}

TEST_F(TwisterCli, BadSettingsAreRefusedWithoutOutput) {
  const std::string cases[] = {
      "--set bendDegrees=200",
      "--set turnTime=1.5",
      "--set shadingMode=3",
      "--set backgroundColour=0x1000000",
      "--set twist=1",
      "--set turnTime",
      "--params-hex 00112233445566778899001122334455667788",  // 19 bytes
      "--params-hex zz",
  };
  for (const std::string& c : cases) {
    std::remove(out_.c_str());
    EXPECT_NE(0, RunZelkor(Render(c))) << c;
    EXPECT_TRUE(ReadFileBytes(out_).empty()) << c;
  }
}

TEST(TwisterConfigureCli, RefusesRecordsOfTheWrongSize) {
  const std::string file = TempPath("twister_short.bin");
  const std::vector<uint8_t> shortRecord(19, 7);
  ASSERT_TRUE(WriteFileBytes(file, shortRecord));
  EXPECT_NE(0, RunZelkor("configure twister --params-file " + file));
  EXPECT_EQ(ReadFileBytes(file), shortRecord);
  EXPECT_NE(0, RunZelkor("configure crossfade --params-file " + file));  // no settings
  EXPECT_NE(0, RunZelkor("configure twister"));                          // no file
}

#if !defined(_WIN32)

TEST(TwisterConfigureCli, NativeBuildLeavesTheFileAlone) {
  const std::string file = TempPath("twister_native.bin");
  const TwisterParams p = {0x123456, 540, 0, 0x654321, 0.25f};
  ASSERT_TRUE(WriteFileBytes(file, RecordBytes(p)));
  EXPECT_EQ(0, RunZelkor("configure twister --params-file " + file));
  EXPECT_EQ(ReadFileBytes(file), RecordBytes(p));
  // A missing file starts from the defaults.
  std::remove(file.c_str());
  EXPECT_EQ(0, RunZelkor("configure twister --params-file " + file));
  TwisterParams defaults;
  WriteTwisterDefaults(&defaults);
  EXPECT_EQ(ReadFileBytes(file), RecordBytes(defaults));
  EXPECT_NE(0, RunZelkor("configure twister --screenshot " + TempPath("twister_shot.png")));
}

#else

// The dialog of another process, found by its title.
struct ProcessDialog {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ProcessDialog*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char title[32] = {};
  GetWindowTextA(window, title, sizeof title);
  if (process != search->process || !IsWindowVisible(window) || std::strcmp(title, "Twister") != 0)
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForProcessDialog(DWORD process) {
  ProcessDialog search{process, nullptr};
  for (int i = 0; i < 3000 && search.found == nullptr; ++i) {
    Sleep(10);
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

PROCESS_INFORMATION StartZelkor(const std::string& arguments) {
  std::string command = "zelkor.exe " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    process.hProcess = nullptr;
  return process;
}

DWORD FinishZelkor(PROCESS_INFORMATION& process) {
  DWORD code = 259;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return code;
}

TEST(TwisterConfigureCli, DialogEditsTheSettingsFile) {
  const std::string file = TempPath("twister_configure.bin");
  const TwisterParams p = {0x123456, 540, 0, 0x654321, 0.5f};
  ASSERT_TRUE(WriteFileBytes(file, RecordBytes(p)));
  PROCESS_INFORMATION process = StartZelkor("configure twister --params-file " + file);
  ASSERT_NE(process.hProcess, nullptr);
  const HWND dialog = WaitForProcessDialog(process.dwProcessId);
  ASSERT_NE(dialog, nullptr);
  // Owned by the command's own top-level window, as by an editor's.
  const HWND owner = GetWindow(dialog, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  char title[64] = {};
  GetWindowTextA(owner, title, sizeof title);
  EXPECT_STREQ(title, "zelkor configure twister");

  const HWND bar = GetDlgItem(dialog, TWISTER_TURN_TIME);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 50);  // the file's record, not the defaults
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, TWISTER_BEND_540), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(bar, TBM_SETPOS, TRUE, 20);
  SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 20), reinterpret_cast<LPARAM>(bar));
  SendMessageA(GetDlgItem(dialog, TWISTER_SHADE_SPECIAL), BM_CLICK, 0, 0);
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(FinishZelkor(process), 0u);

  TwisterParams edited = p;
  edited.turnTime = 0.2f;
  edited.shadingMode = 2;
  EXPECT_EQ(ReadFileBytes(file), RecordBytes(edited));
}

TEST(TwisterConfigureCli, ScreenshotPicturesTheDialogAndClosesIt) {
  const std::string png = TempPath("twister_dialog.png");
  std::remove(png.c_str());
  ASSERT_EQ(0, RunZelkor("configure twister --screenshot " + png));
  const std::vector<uint8_t> bytes = ReadFileBytes(png);
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + 12, "IHDR", 4), 0);
  const uint32_t width = (bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19];
  const uint32_t height = (bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23];
  // 187 x 170 dialog units come to some 280 x 280 pixels in an 8-point font.
  EXPECT_GT(width, 187u);
  EXPECT_GT(height, 170u);
  EXPECT_LT(width, 600u);
  EXPECT_LT(height, 600u);
}

#endif

}  // namespace
}  // namespace zk
