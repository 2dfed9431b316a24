// The "Cuboids II" settings dialog, built from the settings table; its own rules: the
// direction buttons' icons, and the rotation patterns and background choosers enabled only
// where they apply. OK is the only way out.
#include "cuboids2_ids.h"
#include "cuboids2_params.h"
#include "dialog_binder.h"
#include "plugin.h"

namespace zk {
namespace {

// The icon of each direction button, in id order.
constexpr int32_t kDirectionIcons[] = {103, 104, 105, 106, 107, 108, 116, 115, 114, 113,
                                       118, 117, 110, 109, 112, 111, 122, 119, 120, 121};

bool ShowIcons(HWND dialog, void*, UINT message, WPARAM, LPARAM, INT_PTR*) {
  if (message != WM_INITDIALOG) return false;
  HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
  for (int32_t j = 0; j <= CUBOIDS_DIRECTION_LAST - CUBOIDS_DIRECTION_FIRST; ++j) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kDirectionIcons[j]));
    SendDlgItemMessageA(dialog, CUBOIDS_DIRECTION_FIRST + j, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(icon));
  }
  return false;  // the binder shows the record
}

void ShowEnabling(HWND dialog, void* block) {
  const CuboidsParams& p = *static_cast<const CuboidsParams*>(block);
  for (int32_t id = CUBOIDS_PATTERN_FIRST; id <= CUBOIDS_PATTERN_LAST; ++id)
    EnableWindow(GetDlgItem(dialog, id), p.fixedRotation != 0);
  EnableWindow(GetDlgItem(dialog, CUBOIDS_COLOUR_SELECT), p.backgroundType == 0);
  EnableWindow(GetDlgItem(dialog, CUBOIDS_BITMAP_SELECT), p.backgroundType == 1);
}

}  // namespace

extern const DialogRules kDialogRules = {ShowIcons, ShowEnabling};

}  // namespace zk
