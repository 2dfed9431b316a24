// The character rain's settings dialog: every control edits the host's record at once; OK,
// Escape and the close box only end the dialog. The three timing values stay in order.
#include <windows.h>
// The common controls header needs <windows.h> first.
#include <commctrl.h>

#include "chars_params.h"
#include "dialog_binder.h"
#include "setting_conversions.h"

namespace zk {
namespace {

// The timing values in the order they keep, each at least a step from its neighbours.
float CharsParams::*const kTiming[] = {&CharsParams::dimOutEnd, &CharsParams::blendBrightnessStart,
                                       &CharsParams::blendSceneBStart};
constexpr float kTimingStep = 0.01f;

// The moved value goes above those before it, then below those after it (single-precision
// steps, as the fields are floats); returns true when it had to be corrected.
bool KeepTimingOrder(CharsParams* p, int32_t moved) {
  float& value = p->*kTiming[moved];
  bool corrected = false;
  for (int32_t i = 0; i < 3; ++i) {
    const float other = p->*kTiming[i];
    if (i < moved && !(value > other)) {
      value = other + kTimingStep;
      corrected = true;
    } else if (i > moved && value >= other) {
      value = other - kTimingStep;
      corrected = true;
    }
  }
  return corrected;
}

// A corrected value moves its thumb to where the value shows.
void TimingChanged(HWND dialog, void* block, const SettingField& field) {
  auto* p = static_cast<CharsParams*>(block);
  for (int32_t i = 0; i < 3; ++i) {
    if (&(p->*kTiming[i]) != static_cast<void*>(static_cast<uint8_t*>(block) + field.offset))
      continue;
    if (KeepTimingOrder(p, i))
      SendDlgItemMessageA(dialog, field.control.id, TBM_SETPOS, TRUE, ShownPosition(field, block));
  }
}

}  // namespace

extern const DialogRules kDialogRules = {/*onMessage=*/nullptr, /*show=*/nullptr, TimingChanged};

}  // namespace zk
