// The "Options for Logo" settings dialog, built from the settings table; its own rule: a
// layer group's controls, the mask chooser and the background choosers are enabled only
// where they apply. OK is the only way out.
#include "dialog_binder.h"
#include "logo_ids.h"
#include "logo_params.h"

namespace zk {
namespace {

constexpr int32_t kCaptionsPerLayer = 4;  // "Motion", "Rotation", "Start", "End"

void Enable(HWND dialog, int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

void ShowEnabling(HWND dialog, void* block) {
  const LogoParams& p = *static_cast<const LogoParams*>(block);
  for (int32_t k = 0; k < kLogoLayerCount; ++k) {
    const bool on = p.layers[k].useLayer != 0;
    // The group's rows after "use this", with the trackbars' labels, and its captions.
    for (int32_t row = 1; row < kLogoRowsPerLayer; ++row) {
      const ControlBinding& c = kLogoSchema.fields[k * kLogoRowsPerLayer + row].control;
      Enable(dialog, c.id, on);
      if (c.kind == ControlKind::Trackbar) Enable(dialog, c.second, on);
    }
    for (int32_t j = 0; j < kCaptionsPerLayer; ++j)
      Enable(dialog, LOGO_CAPTION_FIRST + kCaptionsPerLayer * k + j, on);
  }
  Enable(dialog, LOGO_MASK_SELECT, p.maskSource == 1);
  Enable(dialog, LOGO_COLOUR_SELECT, p.backgroundType == kBackgroundColour);
  Enable(dialog, LOGO_BITMAP_SELECT, p.backgroundType == kBackgroundBitmap);
}

}  // namespace

extern const DialogRules kDialogRules = {nullptr, ShowEnabling};

}  // namespace zk
