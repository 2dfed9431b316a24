// The fire's settings dialog: every trackbar and check box writes the host's record at
// once; only the confirm button ends the dialog (Escape and the close box do nothing).
#include "dialog_binder.h"
#include "firestorm_ids.h"
#include "firestorm_params.h"

namespace zk {
namespace {

// The share only matters when not every pixel is tested.
void EnableShare(HWND dialog, void* block) {
  const BOOL on = static_cast<const FirestormParams*>(block)->allEdgeDetection == 0;
  for (int32_t id : {FIRESTORM_SHARE_LABEL, FIRESTORM_SHARE_VALUE, FIRESTORM_SHARE})
    EnableWindow(GetDlgItem(dialog, id), on);
}

}  // namespace

extern const DialogRules kDialogRules = {/*onMessage=*/nullptr, EnableShare};

}  // namespace zk
