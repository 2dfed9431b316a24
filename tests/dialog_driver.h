// Drives a module's live settings dialog from a test (Windows builds only).
//
// The configure call runs a modal loop that blocks its thread, so DialogDriver makes the
// call on a worker thread (over a hidden owner window, as a host does) and works the
// dialog from the test's thread. Every action returns once the dialog thread has handled
// it, so the settings record can be checked right after each step:
//
//   HostedEffect effect;
//   ASSERT_TRUE(OpenBuiltEffect("twister", &effect));
//   DialogDriver d;
//   ASSERT_TRUE(d.Open(effect));                        // the dialog is up and idle
//   EXPECT_EQ(d.Title(), "Twister");
//   EXPECT_EQ(d.Trackbar(107).position, 69);
//   d.MoveTrackbar(107, 25);                            // TBM_SETPOS + WM_HSCROLL
//   EXPECT_EQ(BlockAs<TwisterParams>(effect).turnTime, 0.25f);
//   d.Click(104);                                       // a radio button or push button
//   ASSERT_TRUE(d.PickColour(101, 0x0000FF));           // button, chooser, confirm
//   ASSERT_TRUE(d.CancelColour(108));                   // button, chooser, cancel
//   d.PressEscape();                                    // or d.Click(IDOK)
//   ASSERT_TRUE(d.WaitClosed());
//   EXPECT_EQ(d.result(), 1);                           // the configure call's answer
//
// Swatches: WindowPixel({x, y}) in window pixels. Template geometry: ClientSize(),
// UnitsToPixels(cx, cy), FontFace(). Texts come back as UTF-8 whatever the thread's code page.
// Combo boxes: ComboItems, ComboSelection, SelectCombo (CB_SETCURSEL + CBN_SELCHANGE). Edits:
// SetText (EN_CHANGE follows). File choosers: PickFile / CancelFile. Keys: PressKey(VK_...) goes
// through the dialog manager like a real key press. Any other blocking call can be driven the same
// way with Start(). Under Wine the null graphics driver suffices: nothing here needs a display.
#pragma once

#if defined(_WIN32)

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "effect_host.h"

namespace zk::test {

struct TrackbarState {
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t position = 0;
  int32_t pageSize = 0;
  // Distance between automatic tics (0 when the trackbar shows none): what TBM_SETTICFREQ
  // set, read back from the first tic after the minimum (needs TBS_AUTOTICKS).
  int32_t ticFrequency = 0;
  bool vertical = false;
};

class DialogDriver {
 public:
  static constexpr DWORD kTimeoutMs = 20000;  // a ceiling for slow machines, not a pace

  DialogDriver();
  ~DialogDriver();  // closes whatever is still open and waits for the call to end
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // The configure call of `effect` on its own settings record. True once the dialog is
  // shown and idle; false when the call ended without one or nothing showed in time.
  bool Open(HostedEffect& effect, int32_t graphBarCount = 0);
  // Any blocking call on the worker thread, given the hidden owner window; then waits for
  // a dialog of that thread like Open.
  bool Start(std::function<int32_t(HWND owner)> call);

  HWND dialog() const { return dialog_; }
  HWND owner() const { return owner_; }
  // Waits for the call to return; result() is then its return value.
  bool WaitClosed(DWORD timeoutMs = kTimeoutMs);
  bool closed() const;
  int32_t result() const { return result_; }

  // Reading the dialog and its controls.
  std::string Title() const;
  std::string Text(int32_t id) const;
  std::string ClassName(int32_t id) const;
  bool Exists(int32_t id) const;
  bool IsChecked(int32_t id) const;
  bool IsEnabled(int32_t id) const;
  bool IsVisible(int32_t id) const;
  TrackbarState Trackbar(int32_t id) const;
  int32_t ComboSelection(int32_t id) const;
  std::vector<std::string> ComboItems(int32_t id) const;
  // The control's rectangle in dialog units turned into client pixels by the dialog.
  RECT ControlRect(int32_t id) const;
  // A pixel of the dialog as it stands, in window coordinates (frame included), where
  // dialogs paint their colour swatches.
  COLORREF WindowPixel(POINT at) const;
  // The template's geometry: its size in dialog units as pixels (MapDialogRect), the
  // client area, and the face name of the dialog font.
  SIZE UnitsToPixels(int32_t widthUnits, int32_t heightUnits) const;
  SIZE ClientSize() const;
  std::string FontFace() const;

  // Acting on the dialog; each returns after the dialog has handled it.
  void MoveTrackbar(int32_t id, int32_t position);
  void Click(int32_t id);
  void SelectCombo(int32_t id, int32_t index);
  void SetText(int32_t id, const std::string& utf8);
  void PressKey(WORD virtualKey);
  void PressEscape() { PressKey(VK_ESCAPE); }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
  // Waits until the dialog thread has handled everything posted to it so far (or has
  // entered a nested modal loop, such as a chooser's).
  bool Flush(DWORD timeoutMs = kTimeoutMs);

  // Common dialogs opened by a button of the settings dialog: click, answer, and wait
  // until the chooser is gone and the click's handler has returned.
  bool PickColour(int32_t buttonId, uint32_t colourWord);
  bool CancelColour(int32_t buttonId) { return CancelChooserOf(buttonId); }
  bool PickFile(int32_t buttonId, const std::string& path);
  bool CancelFile(int32_t buttonId) { return CancelChooserOf(buttonId); }

  // The steps of those, for dialogs opened some other way.
  HWND WaitForOwnedDialog(HWND ownerWindow, DWORD timeoutMs = kTimeoutMs) const;
  bool AnswerColourChooser(HWND chooser, uint32_t colourWord);
  bool AnswerFileChooser(HWND chooser, const std::string& path);
  bool CancelChooser(HWND chooser);

 private:
  static DWORD WINAPI ThreadMain(void* self);
  HWND Control(int32_t id) const;
  HWND WaitForThreadDialog(DWORD timeoutMs) const;
  // A visible dialog of the worker thread other than `exclude`, owned by `ownerWindow`
  // (any owner when null).
  HWND WaitForDialog(HWND exclude, HWND ownerWindow, DWORD timeoutMs) const;
  bool WaitGone(HWND window, DWORD timeoutMs);
  bool CancelChooserOf(int32_t buttonId);
  void CloseEverything();

  std::function<int32_t(HWND)> call_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE ownerReady_ = nullptr;
  HANDLE flushed_ = nullptr;
  HHOOK hook_ = nullptr;
  HWND owner_ = nullptr;
  HWND dialog_ = nullptr;
  int32_t result_ = -1;
};

// The settings record as the module left it.
template <class Block>
Block BlockAs(const HostedEffect& effect) {
  Block block{};
  if (effect.params.size() == sizeof block) std::memcpy(&block, effect.params.data(), sizeof block);
  return block;
}

}  // namespace zk::test

#endif  // _WIN32
