// The "Marbles" settings dialog, built from the settings table. The module's own rules: the
// order buttons set two fields, the light positions are typed into boxes and taken only when
// OK is pressed, the light's controls are enabled for the mode that uses them, and the
// "neutral" buttons put a turn (or the colour intensity) back.
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>

#include "dialog_binder.h"
#include "marbles_dialog.h"
#include "marbles_ids.h"
#include "marbles_params.h"
#include "saturating_trunc.h"
#include "setting_conversions.h"

namespace zk {
namespace {

// An order button and the fields it sets; farFirst -1: left as it is.
struct OrderButton {
  int32_t id;
  int32_t order;
  int32_t farFirst;
};
const OrderButton kOrderButtons[] = {{MARBLES_ORDER_BOARD, kMarblesTogether, -1},
                                     {MARBLES_ORDER_TUB, kMarblesByDistance, 1},
                                     {MARBLES_ORDER_BUMP, kMarblesByDistance, 0},
                                     {MARBLES_ORDER_RANDOM, kMarblesRandomly, -1}};

// A "neutral" button and the trackbar position it puts its field back to (100: colour as
// sampled, 1.0f).
struct NeutralButton {
  int32_t id;
  const char* field;
  int32_t position;
};
const NeutralButton kNeutralButtons[] = {
    {MARBLES_ROTATE_X_NEUTRAL, "rotateX", 0},      {MARBLES_ROTATE_Y_NEUTRAL, "rotateY", 0},
    {MARBLES_ROTATE_Z_NEUTRAL, "rotateZ", 0},      {MARBLES_LIGHT_ROT_X_NEUTRAL, "lightRotX", 0},
    {MARBLES_LIGHT_ROT_Y_NEUTRAL, "lightRotY", 0}, {MARBLES_LIGHT_ROT_Z_NEUTRAL, "lightRotZ", 0},
    {MARBLES_COLOR_HUE_NEUTRAL, "colorHue", 100}};

// x, y, z of light position 1, then of position 2.
const int32_t kPositionBoxes[6] = {MARBLES_POS1_X, MARBLES_POS1_Y, MARBLES_POS1_Z,
                                   MARBLES_POS2_X, MARBLES_POS2_Y, MARBLES_POS2_Z};
float& Position(MarblesParams& p, int32_t k) { return k < 3 ? p.lightPos1[k] : p.lightPos2[k - 3]; }

// Unknown orders render as one board and show so.
int32_t OrderButtonOf(const MarblesParams& p) {
  for (const OrderButton& b : kOrderButtons) {
    if (b.order == p.order && (b.farFirst < 0 || b.farFirst == (p.farFirst != 0 ? 1 : 0)))
      return b.id;
  }
  return MARBLES_ORDER_BOARD;
}

void Enable(HWND dialog, int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

// Position 2 serves the straight motion only, the light's turning the rotation only.
void ShowRecord(HWND dialog, void* block) {
  MarblesParams& p = *static_cast<MarblesParams*>(block);
  CheckRadioButton(dialog, MARBLES_ORDER_BOARD, MARBLES_ORDER_RANDOM, OrderButtonOf(p));
  for (int32_t k = 0; k < 6; ++k)
    SetDlgItemInt(dialog, kPositionBoxes[k], SaturatingTrunc(Position(p, k)), TRUE);
  for (int32_t id : {MARBLES_POS2_TEXT, MARBLES_POS2_X, MARBLES_POS2_Y, MARBLES_POS2_Z})
    Enable(dialog, id, p.lightMode == kLightLinear);
  for (int32_t id : {MARBLES_LIGHT_ROT_X_TEXT, MARBLES_LIGHT_ROT_Y_TEXT, MARBLES_LIGHT_ROT_Z_TEXT,
                     MARBLES_LIGHT_ROT_X, MARBLES_LIGHT_ROT_Y, MARBLES_LIGHT_ROT_Z})
    Enable(dialog, id, p.lightMode == kLightRotating);
}

bool OnMessage(HWND dialog, void* block, UINT message, WPARAM wParam, LPARAM, INT_PTR* result) {
  if (message != WM_COMMAND) return false;
  MarblesParams& p = *static_cast<MarblesParams*>(block);
  const int32_t id = LOWORD(wParam);
  if (id == IDOK) {  // the positions as typed; the binder then closes the dialog
    for (int32_t k = 0; k < 6; ++k)
      Position(p, k) = static_cast<float>(
          static_cast<int32_t>(GetDlgItemInt(dialog, kPositionBoxes[k], nullptr, TRUE)));
    return false;
  }
  if (HIWORD(wParam) != BN_CLICKED) return false;
  for (const OrderButton& b : kOrderButtons) {
    if (id != b.id) continue;
    p.order = b.order;
    if (b.farFirst >= 0) p.farFirst = static_cast<uint8_t>(b.farFirst);
    return true;
  }
  for (const NeutralButton& b : kNeutralButtons) {
    if (id != b.id) continue;
    const SettingField& f = *FindSetting(kMarblesSchema, b.field);
    StorePosition(f, b.position, block);
    showBoundField(dialog, f);
    UpdateWindow(dialog);
    *result = 1;
    return true;
  }
  return false;
}

}  // namespace

extern const DialogRules kDialogRules = {OnMessage,         /*show=*/nullptr, /*changed=*/nullptr,
                                         /*paint=*/nullptr, ShowRecord,       &kMarblesTooltips};

void RegisterMarblesControls() { InitCommonControls(); }

}  // namespace zk
