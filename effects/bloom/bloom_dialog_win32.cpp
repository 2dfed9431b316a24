// Bloom's settings dialog, built from the settings table; the module's one rule of its own:
// each direction button shows its icon.
#include <windows.h>

#include "bloom_dialog.h"
#include "bloom_params.h"
#include "dialog_binder.h"
#include "plugin.h"

namespace zk {
namespace {

// The icon of each direction's button, by direction (0 has no button of its own).
const int32_t kIconOfDirection[] = {0,   105, 106, 107, 102, 103, 104, 108, 110, 109, 111,
                                    112, 113, 114, 115, 116, 117, 118, 120, 119, 121};

bool OnMessage(HWND dialog, void*, UINT message, WPARAM, LPARAM, INT_PTR*) {
  if (message != WM_INITDIALOG) return false;
  const ControlBinding& directions = FindSetting(kBloomSchema, "bloomDirection")->control;
  for (int32_t i = 0; i < directions.choiceCount; ++i) {
    const RadioChoice& c = directions.choices[i];
    HICON icon = LoadIconA(static_cast<HINSTANCE>(ModuleInstance()),
                           MAKEINTRESOURCEA(kIconOfDirection[c.value]));
    SendDlgItemMessageA(dialog, c.id, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  }
  return false;  // the binder shows the record
}

}  // namespace

extern const DialogRules kDialogRules = {
    OnMessage,         /*show=*/nullptr,       /*changed=*/nullptr,
    /*paint=*/nullptr, /*showRecord=*/nullptr, &kBloomTooltips};

}  // namespace zk
