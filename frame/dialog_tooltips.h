// Balloon tooltips for every control of a settings dialog, and the module's product
// version in the dialog's title ("Bloom Version 2.01"). Each module that uses it keeps one
// process-wide instance (ModuleDialogTooltips) and gives it its own icon and texts.
#pragma once

#include <cstdint>

namespace zk {

// One tooltip: the control it explains and its text (a constant string of the module;
// "\n" breaks the line).
struct TooltipEntry {
  int32_t controlId;
  const char* text;
};

// What differs between the modules: the dialog's small icon and the tools, in the order
// they are added.
struct TooltipSet {
  int32_t smallIconId;
  const TooltipEntry* entries;
  int32_t count;
};

}  // namespace zk

#if defined(_WIN32)

#include <windows.h>

namespace zk {

class DialogTooltips {
 public:
  // Clears the fields and registers every common control class.
  explicit DialogTooltips(const TooltipSet& tools);
  virtual ~DialogTooltips();
  DialogTooltips(const DialogTooltips&) = delete;
  DialogTooltips& operator=(const DialogTooltips&) = delete;

  // Adds one tool for `control`; creates the tooltip window on first use. 1 on success,
  // 0 for a null control or text or when the tooltip window cannot be made.
  int32_t addTool(HWND control, const char* text);
  // The control `controlId` of `dialog`; 0 when there is no such control.
  int32_t addToolById(HWND dialog, int32_t controlId, const char* text);
  // The control `controlId` of the attached dialog, if there is one.
  int32_t addToolHere(int32_t controlId, const char* text);
  void activate(BOOL active);
  // Once per opening of the dialog: the small icon, the version in the title and all the
  // tools. Further calls (re-initialisations of the same dialog) do nothing.
  void attachDialog(HWND dialog, HINSTANCE instance);
  // Destroys the tooltip window and forgets the dialog; the next attachDialog starts over.
  void detach();

  HWND tooltipWindow;
  HWND dialogWindow;
  HINSTANCE moduleInstance;

 private:
  void ShowVersionInTitle();
  const TooltipSet* tools_;
};

// The module's instance, made on first use; process exit runs its detach.
DialogTooltips& ModuleDialogTooltips(const TooltipSet& tools);

// The module's ProductVersion ("040904E4" table) into `text`; false when there is none.
bool ReadProductVersion(HINSTANCE instance, char* text, int32_t size);

}  // namespace zk

#endif  // _WIN32
